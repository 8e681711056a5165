#include "win32/strings.h"

#include <windows.h>

#include <string_view>

#include "win32/text.h"

namespace win32 {

std::string Win32Strings::Load(unsigned id) {
  const wchar_t* resource = nullptr;
  // A zero buffer size answers a pointer to the resource's own text.
  const int length =
      LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&resource), 0);
  if (length <= 0 || resource == nullptr) return {};
  return WideToCp932(std::wstring_view(resource, static_cast<std::size_t>(length)), BestFit::kUsed);
}

}  // namespace win32
