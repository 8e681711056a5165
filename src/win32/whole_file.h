#pragma once

#include <string>

namespace win32 {

// Writes `bytes` as the whole of the file at `path`, made or emptied first, and flushed to the
// disk; false when any of it failed.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);

}  // namespace win32
