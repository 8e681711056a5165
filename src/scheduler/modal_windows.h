#pragma once

#include "platform/alerts.h"
#include "platform/dialog_handler.h"
#include "scheduler/ui_busy.h"

// The program's dialogs, each keeping the interface busy while it is open; one owned by the
// main window is also the one a click on the icon brings forward.
class BusyDialogHost : public DialogHost {
 public:
  BusyDialogHost(DialogHost& host, UiBusy& busy) : m_host(host), m_busy(busy) {}
  DialogResult RunModal(int templateId, DialogHandler& handler) override;
  DialogResult RunModalOwnedBy(WindowHandle owner, int templateId, DialogHandler& handler) override;

 private:
  DialogHost& m_host;
  UiBusy& m_busy;
};

// The program's message boxes, each keeping the interface busy while it is open.
class BusyAlerts : public Alerts {
 public:
  BusyAlerts(Alerts& alerts, UiBusy& busy) : m_alerts(alerts), m_busy(busy) {}
  void ShowWarning(const char* text, const char* caption) override;
  bool AskRetry(const char* text, const char* caption) override;
  void Beep() override { m_alerts.Beep(); }

 private:
  Alerts& m_alerts;
  UiBusy& m_busy;
};
