#pragma once

#include "platform/foreground.h"

namespace win32 {

class Win32Foreground : public Foreground {
 public:
  void BringForward(WindowHandle window) override;
};

}  // namespace win32
