#pragma once

#include "platform/window_handle.h"

class DialogHandler;

// Whether one of the program's own modal windows is open (the settings and the editor, the
// version box, an error box), during which the frame runs no action and a click on its icon
// opens no menu but brings the front dialog forward. The windows mark it themselves: each is
// open for exactly as long as a Scope made by the code that runs its modal loop (modal_windows.h),
// so no caller sets or clears it, and nested windows count by themselves. It stands for the
// flags m_bSettingsOpen, m_bErrorShowing and g_bAboutOpen, and for g_hFrontDialog.
class UiBusy {
 public:
  class Scope {
   public:
    // `front`: the dialog that a click on the icon brings forward while this window is open;
    // without one, the enclosing window's stays.
    explicit Scope(UiBusy& busy, int templateId = 0, DialogHandler* front = nullptr)
        : m_busy(busy), m_outer(busy.m_innermost), m_templateId(templateId), m_front(front) {
      busy.m_innermost = this;
    }
    ~Scope() { m_busy.m_innermost = m_outer; }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    friend class UiBusy;
    UiBusy& m_busy;
    const Scope* m_outer;
    int m_templateId;
    DialogHandler* m_front;
  };

  bool IsBusy() const { return m_innermost != nullptr; }
  // Whether a dialog made from this template is open.
  bool IsOpen(int templateId) const;
  // Null when no open window names one, or before the front dialog's window exists.
  WindowHandle FrontDialog() const;

 private:
  const Scope* m_innermost = nullptr;
};
