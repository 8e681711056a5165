#include "platform/win32/module.h"

#include <windows.h>

#include "platform/win32/text.h"

namespace win32 {

std::wstring ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring ExecutableDirectory() {
  std::wstring path = ExecutablePath();
  path.erase(path.find_last_of(L'\\') + 1);
  return path;
}

std::wstring ProcessCommandLine() { return GetCommandLineW(); }

std::string Win32Location::DirectoryCp932() { return WideToCp932(ExecutableDirectory()); }

std::string Win32Location::FullPathCp932() { return WideToCp932(ExecutablePath()); }

}  // namespace win32
