#pragma once

#include "platform/frame_handler.h"

// Which of the icon's events act as a click: stop what plays, open the menu. The mouse acts on
// a button's press, as it always has; the keyboard on Enter, Space and the menu key. The shell
// follows the release of a right click with the menu key's event as well: that one belongs to
// the click already acted on, and must not open the menu a second time.
class TrayActivation {
 public:
  bool Acts(FrameHandler::TrayEvent event);
  // While the menu is open the keyboard is in it, not on the icon: a key's event then is the
  // second one that the shell sends for a single Enter.
  void SetMenuOpen(bool open) { m_menuOpen = open; }

 private:
  bool m_rightReleased = false;  // the next kContextMenu ends a right click
  bool m_menuOpen = false;
};
