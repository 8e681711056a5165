#pragma once

#include <string>

#include "platform/executable_location.h"

namespace win32 {

// The running executable's full path, never truncated.
std::wstring ExecutablePath();
// Its directory with the trailing backslash.
std::wstring ExecutableDirectory();
// The process command line as the system gave it.
std::wstring ProcessCommandLine();

class Win32Location : public ExecutableLocation {
 public:
  std::string DirectoryCp932() override;
  std::string FullPathCp932() override;
};

}  // namespace win32
