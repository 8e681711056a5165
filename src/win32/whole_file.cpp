#include "win32/whole_file.h"

#include <windows.h>

#include "win32/handles.h"

namespace win32 {

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
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

}  // namespace win32
