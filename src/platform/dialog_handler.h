#pragma once

#include <string>

#include "platform/dialog_controls.h"

// The logic side of a modal dialog: the window layer attaches the dialog's controls when the
// window exists and forwards its messages here.
class DialogHandler {
 public:
  virtual ~DialogHandler() = default;

  void Attach(DialogControls& controls) { m_controls = &controls; }
  // Null until the window exists.
  WindowHandle Handle() { return m_controls != nullptr ? m_controls->Handle() : nullptr; }

  virtual bool OnInitDialog() { return true; }
  virtual void OnOK() { Controls().EndDialog(DialogResult::kOk); }
  virtual void OnCancel() { Controls().EndDialog(DialogResult::kCancel); }
  virtual void OnTimer(unsigned /*id*/) {}
  // A button click or a menu command other than OK and Cancel.
  virtual void OnCommand(int /*id*/) {}
  // A right click in a list view.
  virtual void OnListRightClick(int /*listId*/) {}
  // The text of a cell of a list whose rows were set by SetListRowCount; the list asks for it
  // whenever it shows the cell or another window reads it.
  virtual std::string OnListCell(int /*listId*/, int /*row*/, int /*column*/) { return {}; }
  // Files dropped on an edit that accepts them: the first file.
  virtual void OnDropFiles(int /*editId*/, const ChosenFile& /*firstFile*/) {}

 protected:
  DialogControls& Controls() { return *m_controls; }
  // For dialogs whose owner is hidden or missing, where the template's placement would put
  // them in a corner of the screen.
  void CenterOnScreen() {
    const DialogControls::Size screen = Controls().ScreenSize();
    const DialogControls::Size window = Controls().WindowSize();
    Controls().MoveWindow((screen.width - window.width) / 2, (screen.height - window.height) / 2,
                          window.width, window.height, false);
  }

 private:
  DialogControls* m_controls = nullptr;
};

// Shows dialogs modally.
class DialogHost {
 public:
  virtual ~DialogHost() = default;
  // Owned by the main window when there is one.
  virtual DialogResult RunModal(int templateId, DialogHandler& handler) = 0;
  // Owned by `owner`, another dialog.
  virtual DialogResult RunModalOwnedBy(WindowHandle owner, int templateId,
                                       DialogHandler& handler) = 0;
};
