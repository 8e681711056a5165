#include "platform/win32/system_ports.h"

#include <windows.h>
#include <shellapi.h>
#include <time.h>

#include "platform/win32/module.h"
#include "platform/win32/text.h"

namespace win32 {

long long Win32Clock::Now() { return static_cast<long long>(_time64(nullptr)); }

std::tm Win32Clock::LocalTime(long long seconds) {
  const __time64_t t = static_cast<__time64_t>(seconds);
  std::tm broken{};
  _localtime64_s(&broken, &t);
  return broken;
}

long Win32Shell::ExecuteFile(const char* verb, const char* file) {
  const std::wstring wideVerb = Cp932ToWide(verb);
  const std::wstring wideFile = Cp932ToWide(file);
  return static_cast<long>(reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, wideVerb.c_str(), wideFile.c_str(), nullptr, nullptr, SW_SHOW)));
}

long Win32Shell::ExecuteSelf(const char* parameters) {
  const std::wstring path = ExecutablePath();
  const std::wstring wideParameters = Cp932ToWide(parameters);
  return static_cast<long>(reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", path.c_str(), wideParameters.c_str(), nullptr, SW_SHOW)));
}

int Win32Alerts::ShowMessageBox(const char* text, const char* caption, unsigned style) {
  return MessageBoxW(static_cast<HWND>(m_owner), Cp932ToWide(text).c_str(),
                     Cp932ToWide(caption).c_str(), style);
}

void Win32Alerts::PlayBeep(unsigned type) { MessageBeep(type); }

std::string Win32Strings::Load(unsigned id) {
  const wchar_t* resource = nullptr;
  // A zero buffer size answers a pointer to the resource's own text.
  const int length =
      LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&resource), 0);
  if (length <= 0 || resource == nullptr) return {};
  return WideToCp932(std::wstring_view(resource, static_cast<std::size_t>(length)));
}

}  // namespace win32
