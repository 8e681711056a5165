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

  if (m_ports.dialogs.RunModalOwnedBy(nullptr, IDD_SETTINGS, dialog) == kDialogResultOk) {
    for (int i = 0; i < m_table.Size(); ++i) m_table.SetSlot(i, copy.GetSlot(i));
    m_bNoError = dialog.m_bNoError;
    // Written now, so that a crash later loses no edit.
    SaveProfile();
  }

  g_hFrontDialog = nullptr;
  m_bSettingsOpen = 0;
}
