#include "platform/win32/system_ports.h"

#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <time.h>

#include "platform/cp932.h"
#include "platform/win32/modal_dialog.h"
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
  return MessageBoxW(static_cast<HWND>(m_owner ? *m_owner : nullptr), Cp932ToWide(text).c_str(),
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

int Win32DialogHost::RunModal(int templateId, DialogHandler& handler) {
  ModalDialog dialog;
  return dialog.Run(templateId, handler, m_owner ? *m_owner : nullptr);
}

unsigned Win32Mci::SendString(const char* command, char* reply, unsigned replySize, bool notify) {
  wchar_t wideReply[260] = {};
  const HWND window = notify && m_notifyWindow ? static_cast<HWND>(*m_notifyWindow) : nullptr;
  const MCIERROR error = mciSendStringW(Cp932ToWide(command).c_str(), reply ? wideReply : nullptr,
                                        reply ? sizeof wideReply / sizeof wideReply[0] : 0, window);
  if (reply != nullptr && replySize > 0)
    cp932::CopyToField(reply, replySize, WideToCp932(wideReply));
  return error;
}

unsigned Win32Drives::DriveType(const char* rootPath) {
  return GetDriveTypeW(Cp932ToWide(rootPath).c_str());
}

void Win32Foreground::BringForward(void* window) {
  const HWND target = static_cast<HWND>(window);
  // Under Wine the detaching below leaves no foreground window at all; the attachment is
  // only needed where the system refuses the plain call.
  if (SetForegroundWindow(target)) return;
  const DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  const DWORD targetThread = GetWindowThreadProcessId(target, nullptr);
  AttachThreadInput(targetThread, foregroundThread, TRUE);
  SetForegroundWindow(target);
  AttachThreadInput(targetThread, foregroundThread, FALSE);
}

void Win32Power::KeepSystemAwake() { SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED); }

NamedMutex::Result Win32Mutex::CreateOwned(const char* name) {
  m_handle = CreateMutexW(nullptr, TRUE, Cp932ToWide(name).c_str());
  if (m_handle == nullptr) return Result::kFailed;
  return GetLastError() == ERROR_ALREADY_EXISTS ? Result::kAlreadyExists : Result::kCreated;
}

void Win32Mutex::Release() {
  if (m_handle != nullptr) ReleaseMutex(static_cast<HANDLE>(m_handle));
}

}  // namespace win32
