#pragma once

#include <windows.h>
#include <shellapi.h>

#include <map>
#include <optional>

#include "platform/frame_handler.h"
#include "platform/main_window_host.h"
#include "platform/popup_menu.h"
#include "platform/tray_icon.h"
#include "platform/window_timers.h"
#include "win32/handles.h"

namespace win32 {

// The resident program's hidden main window: class "ChimedayClass", title "chimeday.exe".
// Its messages go to a FrameHandler; it also serves as that handler's timers, tray icon
// and tray menu.
class FrameWindow : public WindowTimers, public TrayIcon, public PopupMenu {
 public:
  // Creates the window, never shown; the handler's OnCreate runs inside.
  MainWindowHost::Creation Create(FrameHandler& handler, CommandTarget& commands);
  void Close();
  // Runs the thread's message loop until the window is destroyed.
  static void RunMessageLoop();

  // Null until the window exists: boxes and dialogs made before it have no owner.
  HWND Handle() const { return m_window; }

  void StartTimer(unsigned id, unsigned periodMs) override;
  void StopTimer(unsigned id) override;

  bool Add(unsigned iconId, const char* tip) override;
  void Modify(unsigned iconId, const char* tip) override;
  void Delete() override;
  void ShowBalloon(const char* title, const char* text) override;

  void TrackAtCursor(Tray menu, const std::optional<Item>& first) override;

  // The window procedure's work.
  LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void OnTrayNotify(WPARAM wParam, LPARAM lParam);
  // The set-up every call about the one icon shares.
  NOTIFYICONDATAW IconData(UINT flags) const;
  bool Notify(DWORD action, unsigned iconId, const char* tip);
  HICON SmallIcon(unsigned iconId);

  HWND m_window = nullptr;
  FrameHandler* m_handler = nullptr;
  CommandTarget* m_commands = nullptr;
  unsigned m_taskbarCreated = 0;
  bool m_createRefused = false;           // the handler's OnCreate said no
  std::map<unsigned, OwnedIcon> m_icons;  // all of them m_iconSize pixels square
  int m_iconSize = 0;
  // Where a menu opened from the keyboard stands, while its notification is handled.
  std::optional<POINT> m_keyboardAnchor;
};

}  // namespace win32
