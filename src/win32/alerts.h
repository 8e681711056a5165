#pragma once

#include "platform/alerts.h"

namespace win32 {

class FrameWindow;

// Boxes owned by the hidden frame: it is made after this, and until it exists they have no
// owner.
class Win32Alerts : public Alerts {
 public:
  explicit Win32Alerts(const FrameWindow& owner) : m_owner(owner) {}
  void ShowWarning(const char* text, const char* caption) override;
  bool AskRetry(const char* text, const char* caption) override;
  void Beep() override;

 private:
  const FrameWindow& m_owner;
};

}  // namespace win32
