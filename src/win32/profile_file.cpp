#include "win32/profile_file.h"

#include <windows.h>

#include <string>

#include "win32/handles.h"
#include "win32/text.h"
#include "win32/whole_file.h"

namespace win32 {

ProfileStore::ReadResult Win32ProfileFile::Read(std::string& bytes) {
  if (!m_leftoverRemoved) {
    DeleteFileW(TemporaryPath().c_str());
    m_leftoverRemoved = true;
  }
  const OwnedFile file(CreateFileW(m_path.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? ReadResult::kMissing
                                                                            : ReadResult::kFailed;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) return ReadResult::kFailed;
  std::string contents(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!contents.empty() && (!ReadFile(file.Get(), contents.data(),
                                      static_cast<DWORD>(contents.size()), &read, nullptr) ||
                            read != contents.size())) {
    return ReadResult::kFailed;
  }
  bytes = std::move(contents);
  return ReadResult::kOk;
}

bool Win32ProfileFile::Write(const std::string& bytes) {
  // Windows refuses to move over a read-only file, but Wine would replace it: ask first.
  const DWORD attributes = GetFileAttributesW(m_path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return false;
  }
  const std::wstring temporary = TemporaryPath();
  if (WriteWholeFile(temporary, bytes) &&
      MoveFileExW(temporary.c_str(), m_path.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(temporary.c_str());
  return false;
}

std::string Win32ProfileFile::Path() { return WideToCp932(m_path, BestFit::kUsed); }

}  // namespace win32
