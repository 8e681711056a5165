#include "win32/cp932_path.h"

#include <windows.h>

#include "win32/growing_buffer.h"
#include "win32/text.h"

namespace win32 {

std::optional<std::string> PathToCp932(const std::wstring& path) {
  bool complete = false;
  std::string narrow = WideToCp932(path, BestFit::kRefused, &complete);
  if (complete) return narrow;
  // A component without a short name stays long in the short form, and is lacking again.
  const std::wstring shortPath = TextInGrowingBuffer([&path](wchar_t* buffer, DWORD size) {
    return GetShortPathNameW(path.c_str(), buffer, size);
  });
  if (shortPath.empty()) return std::nullopt;
  narrow = WideToCp932(shortPath, BestFit::kRefused, &complete);
  if (complete) return narrow;
  return std::nullopt;
}

ChosenFile ToChosenFile(const std::wstring& path) {
  if (std::optional<std::string> narrow = PathToCp932(path)) return {*narrow, true};
  return {WideToCp932(path, BestFit::kRefused), false};
}

}  // namespace win32
