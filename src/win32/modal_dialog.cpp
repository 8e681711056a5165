#include "win32/modal_dialog.h"

#include <commctrl.h>

#include "win32/cp932_path.h"
#include "win32/file_dialog.h"
#include "win32/handles.h"
#include "win32/popup_menus.h"
#include "win32/text.h"
#include "win32/window_info.h"

namespace win32 {

namespace {

INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrW(window, DWLP_USER, lParam);
  auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  return dialog ? dialog->Dispatch(window, message, wParam, lParam) : FALSE;
}

// Registering again is harmless and cheap, so each dialog asks; a once-only static would link
// the thread-safe guard machinery for it.
void RegisterListViewClass() {
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
}

}  // namespace

DialogResult ModalDialog::Run(int templateId, DialogHandler& handler, HWND owner) {
  RegisterListViewClass();
  m_handler = &handler;
  handler.Attach(*this);
  const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId),
                                         owner, DialogProcedure, reinterpret_cast<LPARAM>(this));
  m_window = nullptr;
  m_handler = nullptr;
  m_editLimits.Clear();
  switch (result) {
    case IDOK:
      return DialogResult::kOk;
    case IDCANCEL:
      return DialogResult::kCancel;
    default:
      return DialogResult::kFailed;
  }
}

INT_PTR ModalDialog::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      m_window = window;
      AcceptDroppedFiles(window, *this);
      return m_handler->OnInitDialog() ? TRUE : FALSE;
    case WM_TIMER:
      m_handler->OnTimer(static_cast<unsigned>(wParam));
      return FALSE;  // and the default processing
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const unsigned code = HIWORD(wParam);
      switch (id) {
        case IDOK:
          m_handler->OnOK();
          return TRUE;
        case IDCANCEL:
          m_handler->OnCancel();
          return TRUE;
      }
      if (code == EN_CHANGE) {
        m_editLimits.OnChange(Item(id), id);
        return FALSE;
      }
      // BN_CLICKED is 0, as is the code of a menu command.
      if (code == BN_CLICKED) {
        m_handler->OnCommand(id);
        return TRUE;
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (!HasClass(header->hwndFrom, WC_LISTVIEWW)) return FALSE;
      const int id = static_cast<int>(header->idFrom);
      switch (header->code) {
        case NM_RCLICK:
          m_handler->OnListRightClick(id);
          SetWindowLongPtrW(window, DWLP_MSGRESULT, 0);
          return TRUE;
        case LVN_GETDISPINFOW:
          GiveListCell(id, reinterpret_cast<NMLVDISPINFOW*>(lParam)->item);
          return TRUE;
        case LVN_ODFINDITEMW:
          SetWindowLongPtrW(window, DWLP_MSGRESULT,
                            FindListRow(id, *reinterpret_cast<const NMLVFINDITEMW*>(lParam)));
          return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}

void ModalDialog::OnDropFiles(int editId, const std::wstring& firstFile) {
  m_handler->OnDropFiles(editId, ToChosenFile(firstFile));
}

WindowHandle ModalDialog::Handle() { return ToHandle(m_window); }

void ModalDialog::MoveWindow(int x, int y, int width, int height, bool repaint) {
  ::MoveWindow(m_window, x, y, width, height, repaint ? TRUE : FALSE);
}

DialogControls::Size ModalDialog::ScreenSize() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

int ModalDialog::ScreenDpi() {
  const ScreenDc screen(GetDC(nullptr));
  return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

DialogControls::Size ModalDialog::WindowSize() {
  RECT frame = {};
  GetWindowRect(m_window, &frame);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void ModalDialog::KeepItemInside(int id) {
  RECT client = {};
  GetClientRect(m_window, &client);
  RECT item = {};
  GetWindowRect(Item(id), &item);
  MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&item), 2);
  if (item.right <= client.right) return;
  const int width = client.right - 2 * item.left;
  SetWindowPos(Item(id), nullptr, 0, 0, width > 0 ? width : 0, item.bottom - item.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalDialog::EndDialog(DialogResult result) {
  ::EndDialog(m_window, result == DialogResult::kOk ? IDOK : IDCANCEL);
}

void ModalDialog::StartTimer(unsigned id, unsigned periodMs) {
  SetTimer(m_window, id, periodMs, nullptr);
}

void ModalDialog::StopTimer(unsigned id) { KillTimer(m_window, id); }

bool ModalDialog::AskYesNo(const char* text, const char* caption) {
  return MessageBoxW(m_window, Cp932ToWide(text).c_str(), Cp932ToWide(caption).c_str(), MB_YESNO) ==
         IDYES;
}

void ModalDialog::ShowWarning(const char* text, const char* caption) {
  MessageBoxW(m_window, Cp932ToWide(text).c_str(), Cp932ToWide(caption).c_str(),
              MB_OK | MB_ICONEXCLAMATION);
}

void ModalDialog::TrackListMenu(const std::vector<int>& grayedIds) {
  // The chosen item comes as WM_COMMAND with code 0, which Dispatch hands to OnCommand.
  TrackPopupAtCursor(m_window, Popup::kSettingsList, grayedIds);
}

bool ModalDialog::ChooseFileToOpen(const char* filter, const char* title,
                                   const char* initialDirectory, ChosenFile* file) {
  return win32::ChooseFileToOpen(m_window, filter, title, initialDirectory, file);
}

}  // namespace win32
