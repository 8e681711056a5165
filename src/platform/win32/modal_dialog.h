#pragma once

#include <cstdint>

#include "platform/dialog_controls.h"
#include "platform/dialog_handler.h"
#include "platform/window_timers.h"

namespace win32 {

// A modal dialog from a resource template whose messages go to a logic handler.
// Make it first, hand it to the handler as its controls and timers, then Run.
class ModalDialog : public DialogControls, public WindowTimers {
 public:
  // Returns the result the dialog ended with, or -1 when it could not be created.
  int Run(int templateId, DialogHandler& handler, void* owner);

  void SetItemText(int id, const char* text) override;
  void MoveWindow(int x, int y, int width, int height, bool repaint) override;
  Size ScreenSize() override;
  void EndDialog(int result) override;

  void StartTimer(unsigned id, unsigned periodMs) override;
  void StopTimer(unsigned id) override;

  void* Handle() const { return m_window; }

  // The dialog procedure's work; the answer is the procedure's result.
  std::intptr_t Dispatch(void* window, unsigned message, std::uintptr_t wParam);

 private:
  void* m_window = nullptr;
  DialogHandler* m_handler = nullptr;
};

}  // namespace win32
