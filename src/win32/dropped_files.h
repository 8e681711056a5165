#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// Where the edits of a dialog that accept dropped files report the first file dropped.
class DropTarget {
 public:
  virtual ~DropTarget() = default;
  virtual void OnDropFiles(int editId, const std::wstring& firstFile) = 0;
};

// Subclasses every edit of the dialog with the WS_EX_ACCEPTFILES style.
void AcceptDroppedFiles(HWND dialog, DropTarget& target);

}  // namespace win32
