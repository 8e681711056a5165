#include "win32/mutex.h"

#include "win32/text.h"

namespace win32 {

NamedMutex::Result Win32Mutex::CreateOwned(const char* name) {
  const HANDLE handle = CreateMutexW(nullptr, TRUE, Cp932ToWide(name).c_str());
  // Read before anything else can set it.
  const DWORD error = GetLastError();
  m_handle.Reset(handle);
  if (!m_handle) return Result::kFailed;
  return error == ERROR_ALREADY_EXISTS ? Result::kAlreadyExists : Result::kCreated;
}

void Win32Mutex::Release() {
  if (m_handle) ReleaseMutex(m_handle.Get());
}

}  // namespace win32
