#pragma once

#include <string>
#include <vector>

#include "platform/window_handle.h"
#include "platform/window_timers.h"

// How a dialog ended: by OK, by Cancel (Esc and the close box included), or not shown at all.
enum class DialogResult { kOk, kCancel, kFailed };

// A file the user named with the file dialog or by a drop. `path` is code page 932 that names
// it: its full path, or the short (8.3) form where code page 932 lacks a character of it.
// Where neither can be spelled, `usable` is false and `path` only shows it, '?' for what is
// lacking: stored, it would name no file or another one.
struct ChosenFile {
  std::string path;
  bool usable = true;
};

// What a dialog's logic may do with its own window and controls. Texts are code page 932.
class DialogControls : public WindowTimers {
 public:
  struct Size {
    int width;
    int height;
  };

  virtual WindowHandle Handle() = 0;
  virtual void MoveWindow(int x, int y, int width, int height, bool repaint) = 0;
  // Hides or shows the dialog window itself; hidden, its modal loop goes on.
  virtual void ShowDialog(bool shown) = 0;
  virtual Size ScreenSize() = 0;
  // The dots per inch the dialog is drawn at, its monitor's: 96 at 100 %, 144 at 150 %.
  virtual int WindowDpi() = 0;
  // The dialog window's outer size in pixels.
  virtual Size WindowSize() = 0;
  // Narrows a control that reaches past the right of the client area so that it ends as far
  // inside as it begins: dialog units do not scale with the DPI quite as pixels do.
  virtual void KeepItemInside(int id) = 0;
  // Ends the modal loop with the given result.
  virtual void EndDialog(DialogResult result) = 0;

  // Texts of edits, statics and buttons. GetItemText answers the whole text; the caller cuts
  // it to its field.
  virtual void SetItemText(int id, const char* text) = 0;
  virtual std::string GetItemText(int id) = 0;
  // The most bytes the user may type into an edit.
  virtual void LimitText(int id, int limit) = 0;
  // Gives a control the keyboard focus, an edit with its whole text selected.
  virtual void FocusItem(int id) = 0;

  virtual void CheckButton(int id, bool checked) = 0;
  virtual bool IsButtonChecked(int id) = 0;
  virtual void EnableItem(int id, bool enabled) = 0;
  virtual void ShowItem(int id, bool shown) = 0;

  virtual void AddComboItem(int id, const char* text) = 0;
  // An index outside the list leaves no item selected.
  virtual void SetComboSelection(int id, int index) = 0;
  // The selected index; -1 when none is.
  virtual int ComboSelection(int id) = 0;

  // List views in report view.
  virtual void SetListFullRowSelect(int id) = 0;
  virtual int ListClientWidth(int id) = 0;
  virtual void InsertListColumn(int id, int column, const char* header, int width) = 0;
  // Replaces every row by `rows` rows whose texts the list asks of the dialog's OnListCell as
  // it shows them, so that opening on any table takes as long as one screen of rows; the
  // selection goes with the old rows.
  virtual void SetListRowCount(int id, int rows) = 0;
  virtual void SetSelectionMark(int id, int row) = 0;
  // -1 when there is no mark.
  virtual int SelectionMark(int id) = 0;
  // Gives the row the selected and focused state and scrolls it into view.
  virtual void SelectListRow(int id, int row) = 0;

  // A yes/no question owned by the dialog, without an icon; true for yes.
  virtual bool AskYesNo(const char* text, const char* caption) = 0;
  // A warning owned by the dialog: the exclamation icon and OK.
  virtual void ShowWarning(const char* text, const char* caption) = 0;
  // Tracks the settings list's menu at the cursor, owned by the dialog, with the given items
  // grayed; a chosen item comes back as the dialog's OnCommand.
  virtual void TrackListMenu(const std::vector<int>& grayedIds) = 0;
  // The file-open dialog; `filter` is "name|pattern|...||". True and the chosen file when the
  // user chose one.
  virtual bool ChooseFileToOpen(const char* filter, const char* title, const char* initialDirectory,
                                ChosenFile* file) = 0;
};
