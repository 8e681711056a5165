#include "win32/edit_limits.h"

#include "text/edit_byte_limit.h"
#include "win32/text.h"
#include "win32/window_info.h"

namespace win32 {

namespace {

// wchar_t is UTF-16 here, as char16_t is.
std::u16string ToUtf16(std::wstring_view text) { return {text.begin(), text.end()}; }

int Cp932CharacterSize(std::u16string_view character) {
  return static_cast<int>(
      WideToCp932(std::wstring(character.begin(), character.end()), BestFit::kUsed).size());
}

}  // namespace

void EditLimits::Limit(HWND edit, int id, int bytes) {
  if (bytes <= 0) {
    m_limits.erase(id);
    SendMessageW(edit, EM_LIMITTEXT, 0, 0);
    return;
  }
  SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(bytes), 0);
  m_limits[id] = Limited{bytes, WindowText(edit)};
}

void EditLimits::SetText(HWND edit, int id, const std::wstring& text) {
  m_settingText = true;
  SetWindowTextW(edit, text.c_str());
  m_settingText = false;
  const auto limited = m_limits.find(id);
  if (limited != m_limits.end()) limited->second.accepted = text;
}

void EditLimits::OnChange(HWND edit, int id) {
  const auto limited = m_limits.find(id);
  if (limited == m_limits.end()) return;
  Limited& limit = limited->second;
  const std::wstring text = WindowText(edit);
  // The program's own text, the cut one set below included, is taken as it is.
  if (m_settingText) {
    limit.accepted = text;
    return;
  }
  const ByteLimitedText fitted =
      FitToByteLimit(ToUtf16(limit.accepted), ToUtf16(text), limit.bytes, Cp932CharacterSize);
  limit.accepted.assign(fitted.text.begin(), fitted.text.end());
  if (!fitted.cut) return;
  m_settingText = true;
  SetWindowTextW(edit, limit.accepted.c_str());
  m_settingText = false;
  const WPARAM caret = fitted.caret;
  SendMessageW(edit, EM_SETSEL, caret, static_cast<LPARAM>(caret));
  MessageBeep(MB_OK);
}

}  // namespace win32
