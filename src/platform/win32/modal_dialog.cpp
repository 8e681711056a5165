#include "platform/win32/modal_dialog.h"

#include <windows.h>

#include "platform/win32/text.h"

namespace win32 {

namespace {

INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrW(window, DWLP_USER, lParam);
  auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  return dialog ? dialog->Dispatch(window, message, wParam) : FALSE;
}

}  // namespace

int ModalDialog::Run(int templateId, DialogHandler& handler, void* owner) {
  m_handler = &handler;
  handler.Attach(*this);
  const INT_PTR result =
      DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId),
                      static_cast<HWND>(owner), DialogProcedure, reinterpret_cast<LPARAM>(this));
  m_window = nullptr;
  m_handler = nullptr;
  return static_cast<int>(result);
}

std::intptr_t ModalDialog::Dispatch(void* window, unsigned message, std::uintptr_t wParam) {
  switch (message) {
    case WM_INITDIALOG:
      m_window = window;
      return m_handler->OnInitDialog() ? TRUE : FALSE;
    case WM_TIMER:
      m_handler->OnTimer(static_cast<unsigned>(wParam));
      return FALSE;  // and the default processing
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          m_handler->OnOK();
          return TRUE;
        case IDCANCEL:
          m_handler->OnCancel();
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

void ModalDialog::SetItemText(int id, const char* text) {
  SetDlgItemTextW(static_cast<HWND>(m_window), id, Cp932ToWide(text).c_str());
}

void ModalDialog::MoveWindow(int x, int y, int width, int height, bool repaint) {
  ::MoveWindow(static_cast<HWND>(m_window), x, y, width, height, repaint ? TRUE : FALSE);
}

DialogControls::Size ModalDialog::ScreenSize() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

DialogControls::Size ModalDialog::WindowSize() {
  RECT frame = {};
  GetWindowRect(static_cast<HWND>(m_window), &frame);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void ModalDialog::EndDialog(int result) { ::EndDialog(static_cast<HWND>(m_window), result); }

void ModalDialog::StartTimer(unsigned id, unsigned periodMs) {
  SetTimer(static_cast<HWND>(m_window), id, periodMs, nullptr);
}

void ModalDialog::StopTimer(unsigned id) { KillTimer(static_cast<HWND>(m_window), id); }

}  // namespace win32
