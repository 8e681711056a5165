#pragma once

// What a dialog's logic may do with its own window and controls. Texts are code page 932.
class DialogControls {
 public:
  struct Size {
    int width;
    int height;
  };

  virtual ~DialogControls() = default;
  virtual void SetItemText(int id, const char* text) = 0;
  virtual void MoveWindow(int x, int y, int width, int height, bool repaint) = 0;
  virtual Size ScreenSize() = 0;
  // Ends the modal loop with the given result.
  virtual void EndDialog(int result) = 0;
};

constexpr int kDialogResultOk = 1;
constexpr int kDialogResultCancel = 2;
