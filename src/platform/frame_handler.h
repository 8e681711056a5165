#pragma once

// The logic behind the resident program's hidden main window; the window layer calls these
// from its window procedure.
class FrameHandler {
 public:
  // What happened on the tray icon: a mouse button pressed or the right one released; Enter or
  // Space on the icon holding the keyboard focus (kKeySelect); the menu key or Shift+F10, which
  // the shell also reports after a right button's release (kContextMenu).
  enum class TrayEvent { kLeftDown, kRightDown, kRightUp, kKeySelect, kContextMenu, kOther };

  virtual ~FrameHandler() = default;
  // -1 refuses the window's creation.
  virtual int OnCreate() = 0;
  virtual void OnTimer(unsigned id) = 0;
  virtual void OnTrayNotify(TrayEvent event) = 0;
  // False for a command that the frame does not handle itself.
  virtual bool OnCommand(unsigned id) = 0;
  // An MCI device's notification that a play command ended; `successful` when it played its
  // range to the end, rather than being stopped, superseded or failing. `device` is its id
  // (Mci::DeviceId).
  virtual void OnMciNotify(bool successful, unsigned device) = 0;
  // Before the window is destroyed.
  virtual void OnClose() = 0;
  virtual bool OnQueryEndSession() = 0;
  virtual void OnEndSession(bool ending) = 0;
  virtual void OnTaskbarCreated() = 0;
  // The DPI of the frame's monitor changed: the icon's image has another size there.
  virtual void OnDpiChanged() = 0;
  // The system came back from sleep or hibernation.
  virtual void OnResume() = 0;
  // The clock or the time zone was changed.
  virtual void OnTimeChange() = 0;
};

// Where the frame's unhandled commands go: the application object.
class CommandTarget {
 public:
  virtual ~CommandTarget() = default;
  virtual bool OnCommand(unsigned id) = 0;
};
