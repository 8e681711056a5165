#include "settings/drop_edit.h"

#include <string>

#include "platform/dialog_controls.h"
#include "texts.h"

void CDropEdit::SubclassDlgItem(int id, DialogControls& controls) {
  m_id = id;
  m_controls = &controls;
}

void CDropEdit::OnDropFiles(const ChosenFile& firstFile) {
  // A drop can only reach an edit that has a window, so an unattached one ignores it.
  if (m_controls == nullptr) return;
  SetPath(firstFile);
}

void CDropEdit::SetPath(const ChosenFile& file) {
  if (!file.usable) {
    const std::string text = std::string(texts::kUnusableFileName) + "\n" + file.path;
    m_controls->ShowWarning(text.c_str(), texts::kErrorCaption);
    return;
  }
  m_controls->SetItemText(m_id, file.path.c_str());
}
