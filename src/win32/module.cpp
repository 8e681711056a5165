#include "win32/module.h"

#include <windows.h>

#include "win32/cp932_path.h"
#include "win32/growing_buffer.h"
#include "win32/text.h"

namespace win32 {

std::wstring ExecutablePath() {
  return TextInGrowingBuffer(
      [](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
}

std::wstring ExecutableDirectory() {
  std::wstring path = ExecutablePath();
  path.erase(path.find_last_of(L'\\') + 1);
  return path;
}

std::wstring ProcessCommandLine() { return GetCommandLineW(); }

// The directory names the default readme and starts the file dialog. Where code page 932
// lacks a character of its name (a folder named with a check mark or an accented letter),
// the text would name no folder, or another one; the short (8.3) form is ASCII and names it.
std::string Win32Location::DirectoryCp932() {
  const std::wstring directory = ExecutableDirectory();
  return PathToCp932(directory).value_or(WideToCp932(directory, BestFit::kUsed));
}

std::string Win32Location::FullPathCp932() { return WideToCp932(ExecutablePath(), BestFit::kUsed); }

}  // namespace win32
