#include "win32/shell.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "win32/module.h"
#include "win32/text.h"

namespace win32 {

namespace {

// ShellExecute's result is a number in a handle's clothing: above 32 means started.
bool Started(HINSTANCE result) { return reinterpret_cast<INT_PTR>(result) > 32; }

}  // namespace

bool Win32Shell::ExecuteFile(const char* verb, const char* file) {
  const std::wstring wideVerb = Cp932ToWide(verb);
  const std::wstring wideFile = Cp932ToWide(file);
  return Started(
      ShellExecuteW(nullptr, wideVerb.c_str(), wideFile.c_str(), nullptr, nullptr, SW_SHOW));
}

bool Win32Shell::ExecuteSelf(const char* parameters) {
  const std::wstring path = ExecutablePath();
  const std::wstring wideParameters = Cp932ToWide(parameters);
  return Started(
      ShellExecuteW(nullptr, L"open", path.c_str(), wideParameters.c_str(), nullptr, SW_SHOW));
}

}  // namespace win32
