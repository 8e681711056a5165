#include "win32/system_ports.h"

#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <time.h>

#include <algorithm>
#include <string_view>

#include "text/cp932.h"
#include "win32/frame_window.h"
#include "win32/handles.h"
#include "win32/modal_dialog.h"
#include "win32/module.h"
#include "win32/text.h"

namespace win32 {

long long Win32Clock::Now() { return static_cast<long long>(_time64(nullptr)); }

std::tm Win32Clock::LocalTime(long long seconds) {
  const __time64_t t = static_cast<__time64_t>(seconds);
  std::tm broken{};
  _localtime64_s(&broken, &t);
  return broken;
}

void Win32Clock::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

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

void Win32Alerts::ShowWarning(const char* text, const char* caption) {
  MessageBoxW(m_owner.Handle(), Cp932ToWide(text).c_str(), Cp932ToWide(caption).c_str(),
              MB_OK | MB_ICONEXCLAMATION);
}

bool Win32Alerts::AskRetry(const char* text, const char* caption) {
  // No owner, for the taskbar button: the hidden frame would give it none. At sign-in other
  // programs' windows come up meanwhile, and the foreground may be refused: hence topmost,
  // which without an owner is all that system-modal means (Wine ignores MB_TOPMOST).
  const int answer =
      MessageBoxW(nullptr, Cp932ToWide(text).c_str(), Cp932ToWide(caption).c_str(),
                  MB_RETRYCANCEL | MB_ICONEXCLAMATION | MB_SETFOREGROUND | MB_SYSTEMMODAL);
  if (answer != 0) return answer == IDRETRY;
  // No answer: the box could not be shown, which is tried again, or its loop met the quit of a
  // frame closed meanwhile, which ends the start.
  MSG quit;
  return PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) == FALSE;
}

void Win32Alerts::Beep() { MessageBeep(MB_OK); }

std::string Win32Strings::Load(unsigned id) {
  const wchar_t* resource = nullptr;
  // A zero buffer size answers a pointer to the resource's own text.
  const int length =
      LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&resource), 0);
  if (length <= 0 || resource == nullptr) return {};
  return WideToCp932(std::wstring_view(resource, static_cast<std::size_t>(length)), BestFit::kUsed);
}

DialogResult Win32DialogHost::RunModal(int templateId, DialogHandler& handler) {
  ModalDialog dialog;
  return dialog.Run(templateId, handler, m_owner.Handle());
}

DialogResult Win32DialogHost::RunModalOwnedBy(WindowHandle owner, int templateId,
                                              DialogHandler& handler) {
  ModalDialog dialog;
  return dialog.Run(templateId, handler, ToHwnd(owner));
}

namespace {

constexpr wchar_t kRunKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\run";
// The longest value name the registry allows, and its terminator.
constexpr DWORD kValueNameBuffer = 16384;

HKEY RootOf(RunKey::Hive hive) {
  return hive == RunKey::Hive::kMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

}  // namespace

bool Win32RunKey::ValueNames(Hive hive, std::vector<std::string>* names) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(RootOf(hive), kRunKeyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return false;
  std::wstring name(kValueNameBuffer, L'\0');
  for (DWORD index = 0;; ++index) {
    DWORD length = kValueNameBuffer;
    const LONG status =
        RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    // Any other failure, such as the key being deleted meanwhile, would repeat forever.
    if (status != ERROR_SUCCESS) break;
    names->push_back(WideToCp932(std::wstring_view(name.data(), length), BestFit::kUsed));
  }
  RegCloseKey(key);
  return true;
}

bool Win32RunKey::SetValue(Hive hive, const char* name, const char* data, int size) {
  if (data == nullptr || size <= 0) return false;
  const std::string_view bytes(data, static_cast<std::size_t>(size));
  const std::string_view path = bytes.substr(0, bytes.find('\0'));
  std::wstring value = Cp932ToWide(path);
  // The program's own path is written as the system spells it, so that a folder name outside
  // code page 932 still starts it.
  const std::wstring executable = ExecutablePath();
  if (WideToCp932(executable, BestFit::kUsed) == path) value = executable;
  // As many characters as bytes were given, zeros behind the path, never without terminator.
  value.resize(std::max(value.size() + 1, bytes.size()), L'\0');

  const HKEY root = RootOf(hive);
  HKEY key = nullptr;
  LONG status = RegOpenKeyExW(root, kRunKeyPath, 0, KEY_SET_VALUE, &key);
  if (status != ERROR_SUCCESS) {
    status = RegCreateKeyExW(root, kRunKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                             nullptr, &key, nullptr);
  }
  if (status != ERROR_SUCCESS) return false;
  status = RegSetValueExW(key, Cp932ToWide(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.data()),
                          static_cast<DWORD>(value.size() * sizeof(wchar_t)));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

void Win32RunKey::DeleteValue(Hive hive, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(RootOf(hive), kRunKeyPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  // A missing value answers ERROR_FILE_NOT_FOUND, which is no error here.
  RegDeleteValueW(key, Cp932ToWide(name).c_str());
  RegCloseKey(key);
}

bool Win32Mci::SendString(const char* command, char* reply, unsigned replySize, bool notify) {
  wchar_t wideReply[260] = {};
  const HWND window = notify ? m_notified.Handle() : nullptr;
  const MCIERROR error = mciSendStringW(Cp932ToWide(command).c_str(), reply ? wideReply : nullptr,
                                        reply ? sizeof wideReply / sizeof wideReply[0] : 0, window);
  if (reply != nullptr && replySize > 0)
    cp932::CopyToField(reply, replySize, WideToCp932(wideReply, BestFit::kUsed));
  return error == 0;
}

unsigned Win32Mci::DeviceId(const char* name) { return mciGetDeviceIDW(Cp932ToWide(name).c_str()); }

bool Win32Drives::IsCdRom(char letter) {
  const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
  return GetDriveTypeW(root) == DRIVE_CDROM;
}

void Win32Foreground::BringForward(WindowHandle window) {
  const HWND target = ToHwnd(window);
  // Under Wine the detaching below leaves no foreground window at all; the attachment is
  // only needed where the system refuses the plain call.
  if (SetForegroundWindow(target)) return;
  const DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  const DWORD targetThread = GetWindowThreadProcessId(target, nullptr);
  AttachThreadInput(targetThread, foregroundThread, TRUE);
  SetForegroundWindow(target);
  AttachThreadInput(targetThread, foregroundThread, FALSE);
}

void Win32Power::KeepSystemAwake(bool on) {
  m_system = on;
  Request();
}

void Win32Power::KeepDisplayOn(bool on) {
  m_display = on;
  Request();
}

void Win32Power::Request() {
  EXECUTION_STATE state = ES_CONTINUOUS;
  if (m_system || m_display) state |= ES_SYSTEM_REQUIRED;
  if (m_display) state |= ES_DISPLAY_REQUIRED;
  SetThreadExecutionState(state);
}

namespace {

// The power plan's "allow wake timers" in the sleep settings: 0 off, 1 on, 2 only the system's
// important ones, which ours is not.
constexpr GUID kSleepSubgroup = {
    0x238C9FA8, 0x0AAD, 0x41ED, {0x83, 0xF4, 0x97, 0xBE, 0x24, 0x2C, 0x8F, 0x20}};
constexpr GUID kAllowWakeTimers = {
    0xBD3B718A, 0x0680, 0x4D9D, {0x8A, 0xB2, 0xE1, 0xD2, 0xB4, 0xAC, 0x80, 0x6D}};

template <typename Function>
Function Export(HMODULE module, const char* name) {
  // Through a plain function pointer, the cast that the compiler accepts for any signature.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Whether the active power plan lets our timer wake the system on the power source in use. True
// where the plan cannot be read: powrprof is loaded only here and may lack the calls (Wine).
bool PowerPlanAllowsWakeTimers() {
  const HMODULE powrprof = LoadLibraryExW(L"powrprof.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (powrprof == nullptr) return true;
  using GetActiveScheme = DWORD(WINAPI*)(HKEY, GUID**);
  using ReadValueIndex = DWORD(WINAPI*)(HKEY, const GUID*, const GUID*, const GUID*, DWORD*);
  SYSTEM_POWER_STATUS power{};
  const bool onBattery = GetSystemPowerStatus(&power) && power.ACLineStatus == 0;
  const auto getActiveScheme = Export<GetActiveScheme>(powrprof, "PowerGetActiveScheme");
  const auto readValueIndex = Export<ReadValueIndex>(
      powrprof, onBattery ? "PowerReadDCValueIndex" : "PowerReadACValueIndex");
  bool allowed = true;
  GUID* scheme = nullptr;
  if (getActiveScheme != nullptr && readValueIndex != nullptr &&
      getActiveScheme(nullptr, &scheme) == ERROR_SUCCESS && scheme != nullptr) {
    DWORD value = 1;
    if (readValueIndex(nullptr, scheme, &kSleepSubgroup, &kAllowWakeTimers, &value) ==
        ERROR_SUCCESS) {
      allowed = value == 1;
    }
    LocalFree(scheme);
  }
  FreeLibrary(powrprof);
  return allowed;
}

}  // namespace

Win32WakeTimer::~Win32WakeTimer() { Cancel(); }

bool Win32WakeTimer::Set(long long dueSeconds) {
  if (m_timer == nullptr) m_timer = CreateWaitableTimerW(nullptr, TRUE, nullptr);
  if (m_timer == nullptr) return false;
  // Absolute: 100 ns units of UTC since 1601, which lie 11644473600 s before the clock's epoch.
  LARGE_INTEGER due;
  due.QuadPart = (dueSeconds + 11644473600LL) * 10000000LL;
  SetLastError(ERROR_SUCCESS);
  if (!SetWaitableTimer(m_timer, &due, 0, nullptr, nullptr, TRUE)) return false;
  // Set, but it will not wake the system: Windows says so with ERROR_NOT_SUPPORTED, Wine with
  // ERROR_TIMER_RESUME_IGNORED (722), the error of the same status, which mingw does not name.
  constexpr DWORD kTimerResumeIgnored = 722;
  const DWORD error = GetLastError();
  return error != ERROR_NOT_SUPPORTED && error != kTimerResumeIgnored &&
         PowerPlanAllowsWakeTimers();
}

void Win32WakeTimer::Cancel() {
  if (m_timer == nullptr) return;
  CancelWaitableTimer(m_timer);
  CloseHandle(m_timer);
  m_timer = nullptr;
}

NamedMutex::Result Win32Mutex::CreateOwned(const char* name) {
  m_handle = CreateMutexW(nullptr, TRUE, Cp932ToWide(name).c_str());
  if (m_handle == nullptr) return Result::kFailed;
  return GetLastError() == ERROR_ALREADY_EXISTS ? Result::kAlreadyExists : Result::kCreated;
}

void Win32Mutex::Release() {
  if (m_handle != nullptr) ReleaseMutex(m_handle);
}

}  // namespace win32
