#include "scheduler/modal_windows.h"

DialogResult BusyDialogHost::RunModal(int templateId, DialogHandler& handler) {
  const UiBusy::Scope open(m_busy, templateId, &handler);
  return m_host.RunModal(templateId, handler);
}

DialogResult BusyDialogHost::RunModalOwnedBy(WindowHandle owner, int templateId,
                                             DialogHandler& handler) {
  const UiBusy::Scope open(m_busy, templateId);
  return m_host.RunModalOwnedBy(owner, templateId, handler);
}

void BusyAlerts::ShowWarning(const char* text, const char* caption) {
  const UiBusy::Scope open(m_busy);
  m_alerts.ShowWarning(text, caption);
}

bool BusyAlerts::AskRetry(const char* text, const char* caption) {
  const UiBusy::Scope open(m_busy);
  return m_alerts.AskRetry(text, caption);
}
