#pragma once

#include "platform/run_key.h"

namespace win32 {

// HKEY_LOCAL_MACHINE's and HKEY_CURRENT_USER's "SOFTWARE\Microsoft\Windows\CurrentVersion\run".
class Win32RunKey : public RunKey {
 public:
  bool ValueNames(Hive hive, std::vector<std::string>* names) override;
  bool SetValue(Hive hive, const char* name, const char* data, int size) override;
  void DeleteValue(Hive hive, const char* name) override;
};

}  // namespace win32
