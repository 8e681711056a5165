#include "settings/drop_edit.h"

#include "platform/dialog_controls.h"

void CDropEdit::SubclassDlgItem(int id, DialogControls& controls) {
  m_id = id;
  m_controls = &controls;
}

void CDropEdit::OnDropFiles(const char* firstFile) {
  // A drop can only reach an edit that has a window, so an unattached one ignores it.
  if (m_controls == nullptr) return;
  m_controls->SetItemText(m_id, firstFile);
}
