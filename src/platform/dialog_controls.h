#pragma once

#include "platform/window_timers.h"

// What a dialog's logic may do with its own window and controls. Texts are code page 932.
class DialogControls : public WindowTimers {
 public:
  struct Size {
    int width;
    int height;
  };

  // The dialog's window as an opaque handle.
  virtual void* Handle() = 0;
  virtual void SetItemText(int id, const char* text) = 0;
  virtual void MoveWindow(int x, int y, int width, int height, bool repaint) = 0;
  virtual Size ScreenSize() = 0;
  // The dialog window's outer size in pixels.
  virtual Size WindowSize() = 0;
  // Ends the modal loop with the given result.
  virtual void EndDialog(int result) = 0;
};

constexpr int kDialogResultOk = 1;
constexpr int kDialogResultCancel = 2;
