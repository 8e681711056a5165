#pragma once

#include <string>
#include <string_view>

// Conversions at the boundary: the program's text is code page 932, the API's is UTF-16.
namespace win32 {

std::wstring Cp932ToWide(std::string_view text);
std::string WideToCp932(std::wstring_view text);

}  // namespace win32
