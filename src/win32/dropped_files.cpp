#include "win32/dropped_files.h"

#include <commctrl.h>
#include <shellapi.h>

#include "win32/handles.h"
#include "win32/window_info.h"

namespace win32 {

namespace {

constexpr UINT_PTR kDropEditSubclass = 1;

void DropFiles(HWND edit, HDROP files, DropTarget& target) {
  // The edit's own handling would leave the drop's memory allocated.
  const OwnedDrop drop(files);
  if (DragQueryFileW(files, 0xFFFFFFFF, nullptr, 0) > 0) {
    const UINT length = DragQueryFileW(files, 0, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    const UINT copied = DragQueryFileW(files, 0, name.data(), length + 1);
    name.resize(copied);
    target.OnDropFiles(GetDlgCtrlID(edit), name);
  }
}

LRESULT CALLBACK DropEditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR subclassId, DWORD_PTR target) {
  switch (message) {
    case WM_DROPFILES:
      DropFiles(edit, reinterpret_cast<HDROP>(wParam), *reinterpret_cast<DropTarget*>(target));
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, DropEditProcedure, subclassId);
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

BOOL CALLBACK SubclassDropEdit(HWND child, LPARAM target) {
  if ((GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0 &&
      HasClass(child, WC_EDITW)) {
    SetWindowSubclass(child, DropEditProcedure, kDropEditSubclass, static_cast<DWORD_PTR>(target));
  }
  return TRUE;
}

}  // namespace

void AcceptDroppedFiles(HWND dialog, DropTarget& target) {
  EnumChildWindows(dialog, SubclassDropEdit, reinterpret_cast<LPARAM>(&target));
}

}  // namespace win32
