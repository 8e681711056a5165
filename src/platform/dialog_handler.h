#pragma once

#include "platform/dialog_controls.h"

// The logic side of a modal dialog: the window layer forwards its messages here.
class DialogHandler {
 public:
  explicit DialogHandler(DialogControls& controls) : m_controls(controls) {}
  virtual ~DialogHandler() = default;

  virtual bool OnInitDialog() { return true; }
  virtual void OnOK() { m_controls.EndDialog(kDialogResultOk); }
  virtual void OnCancel() { m_controls.EndDialog(kDialogResultCancel); }
  virtual void OnTimer(unsigned /*id*/) {}

 protected:
  DialogControls& m_controls;
};
