#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/dialog_controls.h"
#include "platform/dialog_handler.h"

namespace win32 {

// A modal dialog from a resource template whose messages go to a logic handler.
class ModalDialog : public DialogControls {
 public:
  // Returns the result the dialog ended with, or -1 when it could not be created.
  int Run(int templateId, DialogHandler& handler, void* owner);

  void* Handle() override { return m_window; }
  void MoveWindow(int x, int y, int width, int height, bool repaint) override;
  Size ScreenSize() override;
  Size WindowSize() override;
  void EndDialog(int result) override;

  void StartTimer(unsigned id, unsigned periodMs) override;
  void StopTimer(unsigned id) override;

  void SetItemText(int id, const char* text) override;
  std::string GetItemText(int id) override;
  void LimitText(int id, int limit) override;

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
  void DeleteAllListRows(int id) override;
  void InsertListRow(int id, int row, const char* text) override;
  void SetListCell(int id, int row, int column, const char* text) override;
  void SetSelectionMark(int id, int row) override;
  int SelectionMark(int id) override;
  void SelectListRow(int id, int row) override;

  bool AskYesNo(const char* text, const char* caption) override;
  void TrackPopupMenu(int popupIndex, const std::vector<int>& grayedIds) override;
  bool ChooseFileToOpen(const char* filter, const char* title, const char* initialDirectory,
                        std::string* path) override;

  // The dialog procedure's work; the answer is the procedure's result.
  std::intptr_t Dispatch(void* window, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam);
  // WM_DROPFILES on an edit that accepts dropped files.
  void DropFiles(int editId, void* drop);

 private:
  // An edit whose text is limited in code page 932 bytes, and its last text within the limit.
  struct ByteLimit {
    int bytes;
    std::wstring accepted;
  };

  void AcceptDroppedFiles();
  void EnforceByteLimit(int id);

  void* m_window = nullptr;
  DialogHandler* m_handler = nullptr;
  std::map<int, ByteLimit> m_byteLimits;
  // Set while the program itself changes a limited edit's text.
  bool m_settingText = false;
};

}  // namespace win32
