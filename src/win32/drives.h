#pragma once

#include "platform/drives.h"

namespace win32 {

class Win32Drives : public Drives {
 public:
  bool IsCdRom(char letter) override;
};

}  // namespace win32
