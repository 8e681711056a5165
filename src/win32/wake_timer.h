#pragma once

#include <windows.h>

#include "platform/wake_timer.h"
#include "win32/handles.h"

namespace win32 {

// A waitable timer of its own, made at the first Set and closed at Cancel.
class Win32WakeTimer : public WakeTimer {
 public:
  bool Set(long long dueSeconds) override;
  void Cancel() override;

 private:
  OwnedWaitableTimer m_timer;
};

}  // namespace win32
