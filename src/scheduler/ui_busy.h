#pragma once

#include "platform/window_handle.h"

// Whether one of the program's own windows is open (the settings, the version box, an error
// box), during which the frame runs no action and a click on its icon opens no menu but brings
// the front dialog forward. One object, shared by those that open the windows and the frame.
class UiBusy {
 public:
  bool IsBusy() const { return m_settingsOpen || m_aboutOpen || m_errorBoxes > 0; }

  bool SettingsOpen() const { return m_settingsOpen; }
  void SetSettingsOpen(bool open) { m_settingsOpen = open; }
  void SetAboutOpen(bool open) { m_aboutOpen = open; }
  // Boxes may nest; the interface stays busy until the last one closes.
  void ErrorBoxOpened() { ++m_errorBoxes; }
  void ErrorBoxClosed() { --m_errorBoxes; }

  // The dialog that a click on the icon brings forward; null when none.
  WindowHandle FrontDialog() const { return m_frontDialog; }
  void SetFrontDialog(WindowHandle dialog) { m_frontDialog = dialog; }

  void Clear() { *this = UiBusy(); }

 private:
  bool m_settingsOpen = false;
  bool m_aboutOpen = false;
  int m_errorBoxes = 0;
  WindowHandle m_frontDialog = nullptr;
};
