#pragma once

// The tray menu, tracked at the cursor; the chosen item reaches the frame as a command.
class PopupMenu {
 public:
  // Its second item: the quick reservation while a slot is free, else the version box.
  enum class Tray { kSlotFree, kTableFull };

  virtual ~PopupMenu() = default;
  virtual void TrackAtCursor(Tray menu) = 0;
};
