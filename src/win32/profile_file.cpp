#include "win32/profile_file.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "win32/handles.h"
#include "win32/text.h"

namespace win32 {

namespace {

bool WriteWhole(const std::wstring& path, const std::string& bytes) {
  const OwnedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  if (!bytes.empty() &&
      (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
       written != bytes.size())) {
    return false;
  }
  return FlushFileBuffers(file.Get()) != 0;
}

}  // namespace

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
  if (WriteWhole(temporary, bytes) &&
      MoveFileExW(temporary.c_str(), m_path.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(temporary.c_str());
  return false;
}

std::string Win32ProfileFile::Path() { return WideToCp932(m_path, BestFit::kUsed); }

std::optional<long long> Win32RunRecord::Take() {
  char text[32] = {};
  DWORD read = 0;
  {
    const OwnedFile file(CreateFileW(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    if (!ReadFile(file.Get(), text, sizeof text - 1, &read, nullptr)) read = 0;
    text[read] = '\0';
  }
  // A record that stays would tell the same again at every start.
  if (!DeleteFileW(m_path.c_str())) return std::nullopt;
  // Only what Leave writes: digits, and the line's end that half a file, from a run that ended
  // while writing it, lacks. Eighteen digits cannot overflow.
  const std::string_view line(text, read);
  const std::size_t digits = line.size() - std::min<std::size_t>(line.size(), 2);
  if (digits == 0 || digits > 18 || line.substr(digits) != "\r\n" ||
      line.find_first_not_of("0123456789") != digits) {
    return std::nullopt;
  }
  return std::strtoll(text, nullptr, 10);
}

void Win32RunRecord::Leave(long long lastCheck) {
  // Nothing to do when it cannot be written: the next start then looks back at nothing.
  if (!WriteWhole(m_path, std::to_string(lastCheck) + "\r\n")) DeleteFileW(m_path.c_str());
}

}  // namespace win32
