#include "win32/frame_window.h"

#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <cwchar>
#include <utility>

#include "resource.h"
#include "win32/dpi.h"
#include "win32/popup_menus.h"
#include "win32/text.h"

namespace win32 {

namespace {

// Fixed: other programs and users' scripts find the hidden window by its class and title.
constexpr wchar_t kClassName[] = L"ChimedayClass";
constexpr wchar_t kTitle[] = L"chimeday.exe";
static_assert(WM_TRAYNOTIFY == WM_USER + 100);
// WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, and 0x8000 in the low word that belongs to the
// window's class: no code of ours reads it, but other programs can read the style, so it stays.
constexpr DWORD kFrameStyle = 0x00C88000;

LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* frame = reinterpret_cast<FrameWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (frame == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return frame->Dispatch(window, message, wParam, lParam);
}

}  // namespace

MainWindowHost::Creation FrameWindow::Create(FrameHandler& handler, CommandTarget& commands) {
  m_handler = &handler;
  m_commands = &commands;
  m_taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.style = CS_BYTEALIGNWINDOW;
  windowClass.lpfnWndProc = FrameProcedure;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);
  const HWND window = CreateWindowExW(0, kClassName, kTitle, kFrameStyle, 0, 0, 1, 1, nullptr,
                                      nullptr, instance, this);
  if (window == nullptr) {
    return m_createRefused ? MainWindowHost::Creation::kRefused : MainWindowHost::Creation::kFailed;
  }
  ShowWindow(window, SW_HIDE);
  UpdateWindow(window);
  return MainWindowHost::Creation::kCreated;
}

void FrameWindow::Close() { SendMessageW(m_window, WM_CLOSE, 0, 0); }

void FrameWindow::RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

LRESULT FrameWindow::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      m_window = window;
      break;
    case WM_CREATE: {
      const int result = m_handler->OnCreate();
      m_createRefused = result == -1;
      return result;
    }
    case WM_SETFOCUS:
      // Never keep the focus: give it back to where it came from.
      if (wParam != 0) SetFocus(reinterpret_cast<HWND>(static_cast<UINT_PTR>(wParam)));
      return 0;
    case WM_TRAYNOTIFY:
      OnTrayNotify(wParam, lParam);
      return 0;
    case WM_DPICHANGED:
      // The icon's image at the new size; the frame itself is never shown.
      m_handler->OnDpiChanged();
      return 0;
    case WM_TIMER:
      m_handler->OnTimer(static_cast<unsigned>(wParam));
      return 0;
    case WM_COMMAND:
      if (!m_handler->OnCommand(LOWORD(wParam))) m_commands->OnCommand(LOWORD(wParam));
      return 0;
    case MM_MCINOTIFY:
      // The device's id is in lParam.
      m_handler->OnMciNotify(wParam == MCI_NOTIFY_SUCCESSFUL, static_cast<unsigned>(lParam));
      break;
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMRESUMEAUTOMATIC) m_handler->OnResume();
      return BROADCAST_QUERY_DENY;
    case WM_TIMECHANGE:
      m_handler->OnTimeChange();
      return 0;
    case WM_CLOSE:
      m_handler->OnClose();
      DestroyWindow(window);
      return 0;
    case WM_QUERYENDSESSION:
      return m_handler->OnQueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION:
      m_handler->OnEndSession(wParam != 0);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      m_window = nullptr;
      break;
    default:
      if (message == m_taskbarCreated && m_taskbarCreated != 0) {
        m_handler->OnTaskbarCreated();
        return 0;
      }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

namespace {

FrameHandler::TrayEvent TrayEventOf(UINT event) {
  using TrayEvent = FrameHandler::TrayEvent;
  switch (event) {
    case WM_LBUTTONDOWN:
      return TrayEvent::kLeftDown;
    case WM_RBUTTONDOWN:
      return TrayEvent::kRightDown;
    case WM_RBUTTONUP:
      return TrayEvent::kRightUp;
    case NIN_KEYSELECT:
      return TrayEvent::kKeySelect;
    case WM_CONTEXTMENU:
      return TrayEvent::kContextMenu;
  }
  return TrayEvent::kOther;
}

}  // namespace

// With the icon's version 4 the event is in the low word of lParam and the icon's id in the
// high one (0, as before the version). A key's event gives in wParam the point where its menu
// belongs: the pointer may be anywhere.
void FrameWindow::OnTrayNotify(WPARAM wParam, LPARAM lParam) {
  const UINT event = LOWORD(lParam);
  if (event == NIN_KEYSELECT || event == WM_CONTEXTMENU) {
    m_keyboardAnchor =
        POINT{static_cast<short>(LOWORD(wParam)), static_cast<short>(HIWORD(wParam))};
  }
  m_handler->OnTrayNotify(TrayEventOf(event));
  m_keyboardAnchor.reset();
}

void FrameWindow::StartTimer(unsigned id, unsigned periodMs) {
  SetTimer(m_window, id, periodMs, nullptr);
}

void FrameWindow::StopTimer(unsigned id) { KillTimer(m_window, id); }

bool FrameWindow::Add(unsigned iconId, const char* tip) {
  // The shell refuses an icon it holds already, as after a TaskbarCreated that did not forget
  // it: the icon is there when it takes a change to it.
  if (!Notify(NIM_ADD, iconId, tip) && !Notify(NIM_MODIFY, iconId, tip)) return false;
  // The keyboard reaches the icon only with version 4; a new taskbar forgets it.
  NOTIFYICONDATAW data = IconData(0);
  data.uVersion = NOTIFYICON_VERSION_4;
  Shell_NotifyIconW(NIM_SETVERSION, &data);
  return true;
}

void FrameWindow::Modify(unsigned iconId, const char* tip) { Notify(NIM_MODIFY, iconId, tip); }

void FrameWindow::Delete() {
  NOTIFYICONDATAW data = IconData(0);
  Shell_NotifyIconW(NIM_DELETE, &data);
}

namespace {

template <std::size_t size>
void CopyText(wchar_t (&field)[size], const char* text) {
  wcsncpy(field, Cp932ToWide(text).c_str(), size - 1);
}

}  // namespace

NOTIFYICONDATAW FrameWindow::IconData(UINT flags) const {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = m_window;
  data.uID = 0;
  data.uFlags = flags;
  return data;
}

bool FrameWindow::Notify(DWORD action, unsigned iconId, const char* tip) {
  // Version 4 shows the tip only when asked to.
  NOTIFYICONDATAW data = IconData(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
  data.uCallbackMessage = WM_TRAYNOTIFY;
  data.hIcon = SmallIcon(iconId);
  CopyText(data.szTip, tip);
  return Shell_NotifyIconW(action, &data) != FALSE;
}

void FrameWindow::ShowBalloon(const char* title, const char* text) {
  NOTIFYICONDATAW data = IconData(NIF_INFO);  // nothing else: the icon and its tip stay
  data.dwInfoFlags = NIIF_INFO;
  CopyText(data.szInfoTitle, title);
  CopyText(data.szInfo, text);
  Shell_NotifyIconW(NIM_MODIFY, &data);
}

HICON FrameWindow::SmallIcon(unsigned iconId) {
  // The image drawn for the notification area's size at the DPI of the frame's monitor, where
  // the taskbar is: after a change of DPI the images are loaded again.
  const int size = MetricForDpi(SM_CXSMICON, WindowDpi(m_window));
  if (size != m_iconSize) m_icons.clear();
  m_iconSize = size;
  auto found = m_icons.find(iconId);
  if (found != m_icons.end()) return found->second.Get();
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  OwnedIcon icon(static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  if (!icon) return LoadIconW(instance, MAKEINTRESOURCEW(iconId));  // shared: never destroyed
  return m_icons.emplace(iconId, std::move(icon)).first->second.Get();
}

void FrameWindow::TrackAtCursor(Tray menu, const std::optional<Item>& first) {
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(m_window);
  std::optional<FirstMenuItem> firstItem;
  if (first) firstItem = FirstMenuItem{first->id, Cp932ToWide(first->text)};
  const Popup popup = menu == Tray::kSlotFree ? Popup::kTraySlotFree : Popup::kTrayTableFull;
  if (!m_keyboardAnchor) {
    TrackPopupAtCursor(m_window, popup, {}, firstItem);
  } else if (!TrackPopupAt(m_window, popup, *m_keyboardAnchor, firstItem)) {
    // Closed with Esc: the keyboard goes back to the icons, where the user was.
    NOTIFYICONDATAW data = IconData(0);
    Shell_NotifyIconW(NIM_SETFOCUS, &data);
  }
  PostMessageW(m_window, WM_NULL, 0, 0);
}

}  // namespace win32
