#pragma once

// The tray menu: a popup of menu resource 128 tracked at the cursor; the chosen item reaches
// the frame as a command.
class PopupMenu {
 public:
  virtual ~PopupMenu() = default;
  virtual void TrackAtCursor(int popupIndex) = 0;
};
