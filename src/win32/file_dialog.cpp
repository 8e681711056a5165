#include "win32/file_dialog.h"

#include <commdlg.h>

#include <algorithm>

#include "win32/cp932_path.h"
#include "win32/text.h"

namespace win32 {

namespace {

// Room for long paths; the logic cuts what it stores to its own field.
constexpr DWORD kFileNameBuffer = 4096;

}  // namespace

bool ChooseFileToOpen(HWND owner, const char* filter, const char* title,
                      const char* initialDirectory, ChosenFile* file) {
  // Converted before the bars are replaced: 0x7C can be the second byte of a CP932 character.
  std::wstring filters = Cp932ToWide(filter);
  std::replace(filters.begin(), filters.end(), L'|', L'\0');
  filters.append(2, L'\0');
  const std::wstring caption = Cp932ToWide(title);
  const std::wstring directory = Cp932ToWide(initialDirectory);
  std::wstring path(kFileNameBuffer, L'\0');

  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = kFileNameBuffer;
  dialog.lpstrInitialDir = directory.empty() ? nullptr : directory.c_str();
  dialog.lpstrTitle = caption.empty() ? nullptr : caption.c_str();
  dialog.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameW(&dialog)) return false;
  *file = ToChosenFile(path.c_str());
  return true;
}

}  // namespace win32
