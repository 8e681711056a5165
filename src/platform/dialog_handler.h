#pragma once

#include "platform/dialog_controls.h"

// The logic side of a modal dialog: the window layer attaches the dialog's controls when the
// window exists and forwards its messages here.
class DialogHandler {
 public:
  virtual ~DialogHandler() = default;

  void Attach(DialogControls& controls) { m_controls = &controls; }

  virtual bool OnInitDialog() { return true; }
  virtual void OnOK() { Controls().EndDialog(kDialogResultOk); }
  virtual void OnCancel() { Controls().EndDialog(kDialogResultCancel); }
  virtual void OnTimer(unsigned /*id*/) {}

 protected:
  DialogControls& Controls() { return *m_controls; }

 private:
  DialogControls* m_controls = nullptr;
};

// Shows dialogs modally, owned by the main window when there is one.
class DialogHost {
 public:
  virtual ~DialogHost() = default;
  // The result the dialog ended with; -1 when it could not be shown.
  virtual int RunModal(int templateId, DialogHandler& handler) = 0;
};
