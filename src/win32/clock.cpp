#include "win32/clock.h"

#include <windows.h>
#include <time.h>

namespace win32 {

long long Win32Clock::Now() { return static_cast<long long>(_time64(nullptr)); }

std::tm Win32Clock::LocalTime(long long seconds) {
  const __time64_t t = static_cast<__time64_t>(seconds);
  std::tm broken{};
  _localtime64_s(&broken, &t);
  return broken;
}

void Win32Clock::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

}  // namespace win32
