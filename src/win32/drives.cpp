#include "win32/drives.h"

#include <windows.h>

namespace win32 {

bool Win32Drives::IsCdRom(char letter) {
  const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
  return GetDriveTypeW(root) == DRIVE_CDROM;
}

}  // namespace win32
