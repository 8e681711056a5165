#pragma once

#include <windows.h>

#include <string>

#include "platform/executable_location.h"

namespace win32 {

// A function of a system DLL that older systems may lack: null there.
template <typename Function>
Function Export(HMODULE module, const char* name) {
  // Through a plain function pointer, the cast that the compiler accepts for any signature.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

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
