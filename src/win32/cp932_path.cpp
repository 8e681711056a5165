#include "win32/cp932_path.h"

#include <windows.h>

#include "win32/text.h"

namespace win32 {

namespace {

std::wstring ShortPath(const std::wstring& path) {
  std::wstring shortPath(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length < shortPath.size()) {
      shortPath.resize(length);
      return shortPath;
    }
    shortPath.resize(length);
  }
}

}  // namespace

std::optional<std::string> PathToCp932(const std::wstring& path) {
  bool complete = false;
  std::string narrow = WideToCp932(path, BestFit::kRefused, &complete);
  if (complete) return narrow;
  // A component without a short name stays long in the short form, and is lacking again.
  const std::wstring shortPath = ShortPath(path);
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
