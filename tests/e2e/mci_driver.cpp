#include "mci_driver.h"

#include <cstdlib>

extern "C" BOOL WINAPI mciDriverNotify(HWND callback, MCIDEVICEID device, UINT status);

namespace driver {
namespace {

SRWLOCK g_playLock = SRWLOCK_INIT;
HANDLE g_playCancel = nullptr;  // set to end the current playback early
HANDLE g_playThread = nullptr;
UINT g_playEnd = MCI_NOTIFY_ABORTED;  // the code an early end notifies

struct Playback {
  HWND callback;
  MCIDEVICEID device;
  DWORD ms;
  HANDLE cancel;
};

DWORD WINAPI Play(void* parameter) {
  const Playback playback = *static_cast<Playback*>(parameter);
  delete static_cast<Playback*>(parameter);
  const bool played = WaitForSingleObject(playback.cancel, playback.ms) == WAIT_TIMEOUT;
  AcquireSRWLockExclusive(&g_playLock);
  const UINT code = played ? MCI_NOTIFY_SUCCESSFUL : g_playEnd;
  ReleaseSRWLockExclusive(&g_playLock);
  if (playback.callback != nullptr) {
    Log(code == MCI_NOTIFY_SUCCESSFUL   ? "notify successful"
        : code == MCI_NOTIFY_SUPERSEDED ? "notify superseded"
                                        : "notify aborted");
    mciDriverNotify(playback.callback, playback.device, code);
  }
  return 0;
}

}  // namespace

std::wstring Environment(const wchar_t* name) {
  wchar_t value[512];
  const DWORD length = GetEnvironmentVariableW(name, value, 512);
  return length > 0 && length < 512 ? std::wstring(value, length) : std::wstring();
}

DWORD EnvironmentNumber(const wchar_t* name, DWORD fallback) {
  const std::wstring text = Environment(name);
  return text.empty() ? fallback : static_cast<DWORD>(std::wcstoul(text.c_str(), nullptr, 10));
}

void Log(const std::string& line) {
  const std::wstring path = Environment(DRIVER_LOG_VARIABLE);
  if (path.empty()) return;
  const HANDLE file =
      CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

std::string Number(DWORD value) { return std::to_string(value); }

std::string Narrow(const wchar_t* text) {
  if (text == nullptr || *text == L'\0') return std::string();
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), size, nullptr, nullptr);
  narrow.resize(static_cast<std::size_t>(size - 1));
  return narrow;
}

void StartPlayback(HWND callback, MCIDEVICEID device, DWORD ms) {
  auto* playback = new Playback{callback, device, ms, CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  AcquireSRWLockExclusive(&g_playLock);
  g_playCancel = playback->cancel;
  g_playThread = CreateThread(nullptr, 0, Play, playback, 0, nullptr);
  ReleaseSRWLockExclusive(&g_playLock);
}

void EndPlayback(UINT code) {
  AcquireSRWLockExclusive(&g_playLock);
  g_playEnd = code;
  HANDLE thread = g_playThread;
  HANDLE cancel = g_playCancel;
  g_playThread = nullptr;
  g_playCancel = nullptr;
  ReleaseSRWLockExclusive(&g_playLock);
  if (thread == nullptr) return;
  SetEvent(cancel);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  CloseHandle(cancel);
}

LRESULT DriverEntry(HDRVR driver, UINT message, LPARAM first, LPARAM second, UINT type,
                    MCIDEVICEID& device, CommandHandler onCommand) {
  switch (message) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_ENABLE:
    case DRV_DISABLE:
    case DRV_CLOSE:
    case DRV_QUERYCONFIGURE:
      return 1;
    case DRV_OPEN: {
      // The device's type, and its standard commands: no table of our own.
      auto* open = reinterpret_cast<MCI_OPEN_DRIVER_PARMS*>(second);
      if (open == nullptr) return 1;
      open->wCustomCommandTable = MCI_NO_COMMAND_TABLE;
      open->wType = type;
      device = open->wDeviceID;
      return open->wDeviceID;
    }
    default:
      if (message >= DRV_MCI_FIRST && message <= DRV_MCI_LAST) {
        return onCommand(message, static_cast<DWORD>(first), static_cast<DWORD_PTR>(second));
      }
      return DefDriverProc(0, driver, message, first, second);
  }
}

}  // namespace driver
