#pragma once

#include <string>
#include <string_view>

// Conversions at the boundary: the program's text is code page 932, the API's is UTF-16.
namespace win32 {

std::wstring Cp932ToWide(std::string_view text);
std::string WideToCp932(std::wstring_view text);
// Without best fit, which turns a character code page 932 lacks into a look-alike (ë into e)
// and so can make a text name something else: what it lacks becomes '?', and `complete`,
// when given, says whether nothing was lacking.
std::string WideToCp932NoBestFit(std::wstring_view text, bool* complete = nullptr);

}  // namespace win32
