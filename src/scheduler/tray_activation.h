#pragma once

#include "platform/frame_handler.h"

// Which of the icon's events act as a click: stop what plays, open the menu. The mouse acts on
// a button's press, as it always has; the keyboard on Enter, Space and the menu key. The shell
// follows the release of a right click with the menu key's event as well: that one belongs to
// the click already acted on, and must not open the menu a second time.
class TrayActivation {
 public:
  bool Acts(FrameHandler::TrayEvent event);

 private:
  bool m_rightReleased = false;  // the next kContextMenu ends a right click
};
