#pragma once

#include "platform/mci.h"

namespace win32 {

class FrameWindow;

// Completions are notified to the hidden frame.
class Win32Mci : public Mci {
 public:
  explicit Win32Mci(const FrameWindow& notified) : m_notified(notified) {}
  bool SendString(const char* command, char* reply, unsigned replySize, bool notify) override;
  unsigned DeviceId(const char* name) override;

 private:
  const FrameWindow& m_notified;
};

}  // namespace win32
