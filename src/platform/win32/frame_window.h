#pragma once

#include <cstdint>
#include <map>

#include "platform/frame_handler.h"
#include "platform/main_window_host.h"
#include "platform/popup_menu.h"
#include "platform/tray_icon.h"
#include "platform/window_timers.h"

namespace win32 {

// The resident program's hidden main window: class "ChimedayClass", title "chimeday.exe".
// Its messages go to a FrameHandler; it also serves as that handler's timers, tray icon
// and tray menu.
class FrameWindow : public WindowTimers, public TrayIcon, public PopupMenu {
 public:
  ~FrameWindow() override;

  // Creates the window, never shown; the handler's OnCreate runs inside.
  MainWindowHost::Creation Create(FrameHandler& handler, CommandTarget& commands);
  void Close();
  // Runs the thread's message loop until the window is destroyed.
  static int RunMessageLoop();

  // Where the window's handle will be; null until it exists. Owners of boxes and dialogs read it.
  void* const* HandleSlot() const { return &m_window; }

  void StartTimer(unsigned id, unsigned periodMs) override;
  void StopTimer(unsigned id) override;

  void Add(unsigned iconId, const char* tip) override;
  void Modify(unsigned iconId, const char* tip) override;
  void Delete() override;

  void TrackAtCursor(int popupIndex) override;

  // The window procedure's work.
  std::intptr_t Dispatch(void* window, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam);

 private:
  void Notify(unsigned action, unsigned iconId, const char* tip);
  void* SmallIcon(unsigned iconId);

  void* m_window = nullptr;
  FrameHandler* m_handler = nullptr;
  CommandTarget* m_commands = nullptr;
  unsigned m_taskbarCreated = 0;
  bool m_createRefused = false;  // the handler's OnCreate said no
  std::map<unsigned, void*> m_icons;
};

}  // namespace win32
