#include "settings/settings_editor.h"

#include "platform/dialog_handler.h"
#include "resource.h"

bool SettingsEditor::Edit(ReservationTable& table, Options& options) {
  CSettingsDlg dialog(m_ports, table, options);
  // Owned by the hidden frame, as the version box is, so it has no taskbar button of its own.
  if (m_ports.dialogs.RunModal(IDD_SETTINGS, dialog) != DialogResult::kOk) return false;
  options = dialog.m_options;
  return true;
}
