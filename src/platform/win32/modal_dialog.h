#pragma once

#include <cstdint>

#include "platform/dialog_controls.h"
#include "platform/dialog_handler.h"

namespace win32 {

// A modal dialog from a resource template whose messages go to a logic handler.
class ModalDialog : public DialogControls {
 public:
  // Returns the result the dialog ended with, or -1 when it could not be created.
  int Run(int templateId, DialogHandler& handler, void* owner);

  void* Handle() override { return m_window; }
  void SetItemText(int id, const char* text) override;
  void MoveWindow(int x, int y, int width, int height, bool repaint) override;
  Size ScreenSize() override;
  Size WindowSize() override;
  void EndDialog(int result) override;

  void StartTimer(unsigned id, unsigned periodMs) override;
  void StopTimer(unsigned id) override;

  // The dialog procedure's work; the answer is the procedure's result.
  std::intptr_t Dispatch(void* window, unsigned message, std::uintptr_t wParam);

 private:
  void* m_window = nullptr;
  DialogHandler* m_handler = nullptr;
};

}  // namespace win32
