#include "scheduler/tray_activation.h"

bool TrayActivation::Acts(FrameHandler::TrayEvent event) {
  using TrayEvent = FrameHandler::TrayEvent;
  switch (event) {
    case TrayEvent::kRightUp:
      m_rightReleased = true;
      return false;
    case TrayEvent::kContextMenu: {
      const bool fromMouse = m_rightReleased;
      m_rightReleased = false;
      return !fromMouse && !m_menuOpen;
    }
    case TrayEvent::kKeySelect:
      m_rightReleased = false;
      return !m_menuOpen;
    case TrayEvent::kLeftDown:
    case TrayEvent::kRightDown:
      // A release not followed by its menu event must not swallow a later key's.
      m_rightReleased = false;
      return true;
    case TrayEvent::kOther:
      break;
  }
  return false;
}
