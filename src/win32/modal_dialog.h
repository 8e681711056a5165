#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/dialog_controls.h"
#include "platform/dialog_handler.h"
#include "win32/dropped_files.h"
#include "win32/edit_limits.h"
#include "win32/handles.h"

namespace win32 {

// A modal dialog from a resource template whose messages go to a logic handler, which it
// serves as the dialog's controls.
class ModalDialog : public DialogControls, private DropTarget {
 public:
  DialogResult Run(int templateId, DialogHandler& handler, HWND owner);

  WindowHandle Handle() override;
  void MoveWindow(int x, int y, int width, int height, bool repaint) override;
  void ShowDialog(bool shown) override;
  Size ScreenSize() override;
  int WindowDpi() override;
  Size WindowSize() override;
  void KeepItemInside(int id) override;
  void EndDialog(DialogResult result) override;

  void StartTimer(unsigned id, unsigned periodMs) override;
  void StopTimer(unsigned id) override;

  void SetItemText(int id, const char* text) override;
  std::string GetItemText(int id) override;
  void LimitText(int id, int limit) override;
  void FocusItem(int id) override;

  void CheckButton(int id, bool checked) override;
  bool IsButtonChecked(int id) override;
  void EnableItem(int id, bool enabled) override;
  void ShowItem(int id, bool shown) override;

  void AddComboItem(int id, const char* text) override;
  void SetComboSelection(int id, int index) override;
  int ComboSelection(int id) override;

  void SetListFullRowSelect(int id) override;
  int ListClientWidth(int id) override;
  void InsertListColumn(int id, int column, const char* header, int width) override;
  void SetListRowCount(int id, int rows) override;
  void SetSelectionMark(int id, int row) override;
  int SelectionMark(int id) override;
  void SelectListRow(int id, int row) override;

  bool AskYesNo(const char* text, const char* caption) override;
  void ShowWarning(const char* text, const char* caption) override;
  void TrackListMenu(const std::vector<int>& grayedIds) override;
  bool ChooseFileToOpen(const char* filter, const char* title, const char* initialDirectory,
                        ChosenFile* file) override;

  // The dialog procedure's work; the answer is the procedure's result.
  INT_PTR Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void OnDropFiles(int editId, const std::wstring& firstFile) override;
  // A list with LVS_OWNERDATA holds no texts: it asks for them as it needs them.
  void GiveListCell(int id, LVITEMW& item);
  int FindListRow(int id, const NMLVFINDITEMW& find);
  HWND Item(int id) const { return GetDlgItem(m_window, id); }
  LRESULT SendItem(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendDlgItemMessageW(m_window, id, message, wParam, lParam);
  }

  HWND m_window = nullptr;
  DialogHandler* m_handler = nullptr;
  int m_dpi = 96;
  OwnedFont m_font;  // the controls' once the DPI has changed
  EditLimits m_editLimits;
};

}  // namespace win32
