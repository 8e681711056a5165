#include "win32/run_key.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "win32/handles.h"
#include "win32/module.h"
#include "win32/text.h"

namespace win32 {

namespace {

constexpr wchar_t kRunKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\run";
// The longest value name the registry allows, and its terminator.
constexpr DWORD kValueNameBuffer = 16384;

HKEY RootOf(RunKey::Hive hive) {
  return hive == RunKey::Hive::kMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

}  // namespace

bool Win32RunKey::ValueNames(Hive hive, std::vector<std::string>* names) {
  OwnedKey key;
  if (RegOpenKeyExW(RootOf(hive), kRunKeyPath, 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS)
    return false;
  std::wstring name(kValueNameBuffer, L'\0');
  for (DWORD index = 0;; ++index) {
    DWORD length = kValueNameBuffer;
    const LONG status =
        RegEnumValueW(key.Get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    // Any other failure, such as the key being deleted meanwhile, would repeat forever.
    if (status != ERROR_SUCCESS) break;
    names->push_back(WideToCp932(std::wstring_view(name.data(), length), BestFit::kUsed));
  }
  return true;
}

bool Win32RunKey::SetValue(Hive hive, const char* name, const char* data, int size) {
  if (data == nullptr || size <= 0) return false;
  const std::string_view bytes(data, static_cast<std::size_t>(size));
  const std::string_view path = bytes.substr(0, bytes.find('\0'));
  std::wstring value = Cp932ToWide(path);
  // The program's own path is written as the system spells it, so that a folder name outside
  // code page 932 still starts it.
  const std::wstring executable = ExecutablePath();
  if (WideToCp932(executable, BestFit::kUsed) == path) value = executable;
  // As many characters as bytes were given, zeros behind the path, never without terminator.
  value.resize(std::max(value.size() + 1, bytes.size()), L'\0');

  const HKEY root = RootOf(hive);
  OwnedKey key;
  LONG status = RegOpenKeyExW(root, kRunKeyPath, 0, KEY_SET_VALUE, key.Put());
  if (status != ERROR_SUCCESS) {
    status = RegCreateKeyExW(root, kRunKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                             nullptr, key.Put(), nullptr);
  }
  if (status != ERROR_SUCCESS) return false;
  status = RegSetValueExW(key.Get(), Cp932ToWide(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.data()),
                          static_cast<DWORD>(value.size() * sizeof(wchar_t)));
  return status == ERROR_SUCCESS;
}

void Win32RunKey::DeleteValue(Hive hive, const char* name) {
  OwnedKey key;
  if (RegOpenKeyExW(RootOf(hive), kRunKeyPath, 0, KEY_SET_VALUE, key.Put()) != ERROR_SUCCESS)
    return;
  // A missing value answers ERROR_FILE_NOT_FOUND, which is no error here.
  RegDeleteValueW(key.Get(), Cp932ToWide(name).c_str());
}

}  // namespace win32
