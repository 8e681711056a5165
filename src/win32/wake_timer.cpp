#include "win32/wake_timer.h"

#include "win32/module.h"

namespace win32 {

namespace {

// The power plan's "allow wake timers" in the sleep settings: 0 off, 1 on, 2 only the system's
// important ones, which ours is not.
constexpr GUID kSleepSubgroup = {
    0x238C9FA8, 0x0AAD, 0x41ED, {0x83, 0xF4, 0x97, 0xBE, 0x24, 0x2C, 0x8F, 0x20}};
constexpr GUID kAllowWakeTimers = {
    0xBD3B718A, 0x0680, 0x4D9D, {0x8A, 0xB2, 0xE1, 0xD2, 0xB4, 0xAC, 0x80, 0x6D}};

// Whether the active power plan lets our timer wake the system on the power source in use. True
// where the plan cannot be read: powrprof is loaded only here and may lack the calls (Wine).
bool PowerPlanAllowsWakeTimers() {
  const OwnedLibrary powrprof(
      LoadLibraryExW(L"powrprof.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  if (!powrprof) return true;
  using GetActiveScheme = DWORD(WINAPI*)(HKEY, GUID**);
  using ReadValueIndex = DWORD(WINAPI*)(HKEY, const GUID*, const GUID*, const GUID*, DWORD*);
  SYSTEM_POWER_STATUS power{};
  const bool onBattery = GetSystemPowerStatus(&power) && power.ACLineStatus == 0;
  const auto getActiveScheme = Export<GetActiveScheme>(powrprof.Get(), "PowerGetActiveScheme");
  const auto readValueIndex = Export<ReadValueIndex>(
      powrprof.Get(), onBattery ? "PowerReadDCValueIndex" : "PowerReadACValueIndex");
  if (getActiveScheme == nullptr || readValueIndex == nullptr) return true;
  OwnedLocalMemory<GUID> scheme;
  if (getActiveScheme(nullptr, scheme.Put()) != ERROR_SUCCESS || !scheme) return true;
  DWORD value = 1;
  if (readValueIndex(nullptr, scheme.Get(), &kSleepSubgroup, &kAllowWakeTimers, &value) !=
      ERROR_SUCCESS) {
    return true;
  }
  return value == 1;
}

}  // namespace

bool Win32WakeTimer::Set(long long dueSeconds) {
  if (!m_timer) m_timer.Reset(CreateWaitableTimerW(nullptr, TRUE, nullptr));
  if (!m_timer) return false;
  // Absolute: 100 ns units of UTC since 1601, which lie 11644473600 s before the clock's epoch.
  LARGE_INTEGER due;
  due.QuadPart = (dueSeconds + 11644473600LL) * 10000000LL;
  SetLastError(ERROR_SUCCESS);
  if (!SetWaitableTimer(m_timer.Get(), &due, 0, nullptr, nullptr, TRUE)) return false;
  // Set, but it will not wake the system: Windows says so with ERROR_NOT_SUPPORTED, Wine with
  // ERROR_TIMER_RESUME_IGNORED (722), the error of the same status, which mingw does not name.
  constexpr DWORD kTimerResumeIgnored = 722;
  const DWORD error = GetLastError();
  return error != ERROR_NOT_SUPPORTED && error != kTimerResumeIgnored &&
         PowerPlanAllowsWakeTimers();
}

void Win32WakeTimer::Cancel() { m_timer.Reset(); }

}  // namespace win32
