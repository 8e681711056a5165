// The frame's settings command, here because it owns the settings dialog's whole life.
#include "platform/dialog_handler.h"
#include "resource.h"
#include "scheduler/main_frame.h"
#include "scheduler/ui_busy.h"
#include "settings/settings_dlg.h"

void CMainFrame::OnSettings() {
  if (m_bSettingsOpen) return;
  m_bSettingsOpen = 1;

  CSettingsDlg dialog(SettingsPorts{m_ports.dialogs, m_ports.clock, m_ports.drives,
                                    m_ports.location, m_ports.runKey});
  ReservationTable& copy = dialog.Table();
  copy.ResetSlots();
  int next = 0;
  for (int i = 0; i < m_table.Size(); ++i) {
    if (m_table[i].Month != SLOT_EMPTY) copy.SetSlot(next++, m_table.GetSlot(i));
  }
  dialog.m_bNoError = m_bNoError;

  // Owned by the hidden frame, as the version box is, so it has no taskbar button of its own.
  const bool ok = m_ports.dialogs.RunModal(IDD_SETTINGS, dialog) == kDialogResultOk;
  g_hFrontDialog = nullptr;
  if (ok) {
    for (int i = 0; i < m_table.Size(); ++i) m_table.SetSlot(i, copy.GetSlot(i));
    m_bNoError = dialog.m_bNoError;
    // Written now, so that a crash later loses no edit. The edits stay in effect for this run
    // even when the file cannot take them.
    if (!SaveProfile()) ReportProfileFailure("設定を保存できませんでした。");
  }

  m_bSettingsOpen = 0;
}
