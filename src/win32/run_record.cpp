#include "win32/run_record.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "win32/handles.h"
#include "win32/whole_file.h"

namespace win32 {

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
  if (!WriteWholeFile(m_path, std::to_string(lastCheck) + "\r\n")) DeleteFileW(m_path.c_str());
}

}  // namespace win32
