#pragma once

#include "platform/alerts.h"
#include "platform/clock.h"
#include "platform/shell.h"
#include "platform/string_table.h"

// Adapters of the small system services; window handles are passed as void*.
namespace win32 {

class Win32Clock : public Clock {
 public:
  long long Now() override;
  std::tm LocalTime(long long seconds) override;
};

class Win32Shell : public Shell {
 public:
  long ExecuteFile(const char* verb, const char* file) override;
  long ExecuteSelf(const char* parameters) override;
};

class Win32Alerts : public Alerts {
 public:
  explicit Win32Alerts(void* owner) : m_owner(owner) {}
  int ShowMessageBox(const char* text, const char* caption, unsigned style) override;
  void PlayBeep(unsigned type) override;

 private:
  void* m_owner;
};

class Win32Strings : public StringTable {
 public:
  std::string Load(unsigned id) override;
};

}  // namespace win32
