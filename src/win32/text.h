#pragma once

#include <string>
#include <string_view>

// Conversions at the boundary: the program's text is code page 932, the API's is UTF-16; a
// profile saved by an editor may be UTF-8.
namespace win32 {

// Best fit turns a character code page 932 lacks into a look-alike (ë into e), which reads well
// on screen but can make a path or a line name something else; refused, the character becomes
// '?'.
enum class BestFit { kUsed, kRefused };

std::wstring Cp932ToWide(std::string_view text);
// `complete`, when given, says whether nothing became '?'.
std::string WideToCp932(std::wstring_view text, BestFit bestFit, bool* complete = nullptr);

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

}  // namespace win32
