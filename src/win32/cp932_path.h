#pragma once

#include <optional>
#include <string>

#include "platform/dialog_controls.h"

// Paths from the system in the program's code page.
namespace win32 {

// Code page 932 text that names the same file: the path itself, or its short (8.3) form where
// code page 932 lacks a character of it. Nothing where neither can be spelled, as on a volume
// that keeps no short names, or for a file that is gone.
std::optional<std::string> PathToCp932(const std::wstring& path);

// A file the user named with the file dialog or by a drop, as the logic takes it.
ChosenFile ToChosenFile(const std::wstring& path);

}  // namespace win32
