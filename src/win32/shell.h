#pragma once

#include "platform/shell.h"

namespace win32 {

class Win32Shell : public Shell {
 public:
  bool ExecuteFile(const char* verb, const char* file) override;
  bool ExecuteSelf(const char* parameters) override;
};

}  // namespace win32
