#pragma once

#include <optional>
#include <string>

// The tray menu, tracked at the cursor; the chosen item reaches the frame as a command.
class PopupMenu {
 public:
  // Its second item: the quick reservation while a slot is free, else the version box.
  enum class Tray { kSlotFree, kTableFull };
  // An item of this showing alone, before the menu's own and a separator; its text is code
  // page 932.
  struct Item {
    unsigned id;
    std::string text;
  };

  virtual ~PopupMenu() = default;
  virtual void TrackAtCursor(Tray menu, const std::optional<Item>& first) = 0;
};
