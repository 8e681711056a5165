#pragma once

#include <windows.h>

#include "platform/dialog_controls.h"

namespace win32 {

// The file-open dialog owned by `owner`; `filter` is "name|pattern|...||", texts are code page
// 932. True and the chosen file when the user chose one.
bool ChooseFileToOpen(HWND owner, const char* filter, const char* title,
                      const char* initialDirectory, ChosenFile* file);

}  // namespace win32
