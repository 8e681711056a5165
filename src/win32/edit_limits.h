#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace win32 {

// Edits whose text is limited in code page 932 bytes, as the logic counts, while an edit
// itself counts UTF-16 units. The edit's own limit stops plain typing at as many units; what
// would still go past the bytes (double-byte characters, a paste) is cut on each change.
class EditLimits {
 public:
  // A limit of 0 or less lifts both limits.
  void Limit(HWND edit, int id, int bytes);
  // Sets an edit's text; the program may set more than the user may type.
  void SetText(HWND edit, int id, const std::wstring& text);
  // On each change of an edit's text.
  void OnChange(HWND edit, int id);
  void Clear() { m_limits.clear(); }

 private:
  struct Limited {
    int bytes;
    std::wstring accepted;  // its last text within the limit
  };

  std::map<int, Limited> m_limits;
  // Set while the program itself changes a limited edit's text.
  bool m_settingText = false;
};

}  // namespace win32
