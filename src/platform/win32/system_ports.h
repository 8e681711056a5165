#pragma once

#include "platform/alerts.h"
#include "platform/clock.h"
#include "platform/dialog_handler.h"
#include "platform/drives.h"
#include "platform/foreground.h"
#include "platform/mci.h"
#include "platform/named_mutex.h"
#include "platform/power.h"
#include "platform/run_key.h"
#include "platform/shell.h"
#include "platform/string_table.h"

// Adapters of the small system services. Window handles are passed as void*; an owner is
// given as the place where its handle will be, since windows are made after their adapters.
namespace win32 {

class Win32Clock : public Clock {
 public:
  long long Now() override;
  std::tm LocalTime(long long seconds) override;
  void Sleep(unsigned milliseconds) override;
};

class Win32Shell : public Shell {
 public:
  long ExecuteFile(const char* verb, const char* file) override;
  long ExecuteSelf(const char* parameters) override;
};

class Win32Alerts : public Alerts {
 public:
  explicit Win32Alerts(void* const* owner) : m_owner(owner) {}
  int ShowMessageBox(const char* text, const char* caption, unsigned style) override;
  void PlayBeep(unsigned type) override;

 private:
  void* const* m_owner;
};

class Win32DialogHost : public DialogHost {
 public:
  explicit Win32DialogHost(void* const* owner) : m_owner(owner) {}
  int RunModal(int templateId, DialogHandler& handler) override;
  int RunModalOwnedBy(void* owner, int templateId, DialogHandler& handler) override;

 private:
  void* const* m_owner;
};

// HKEY_LOCAL_MACHINE's and HKEY_CURRENT_USER's "SOFTWARE\Microsoft\Windows\CurrentVersion\run".
class Win32RunKey : public RunKey {
 public:
  bool ValueNames(Hive hive, std::vector<std::string>* names) override;
  bool SetValue(Hive hive, const char* name, const char* data, int size) override;
  void DeleteValue(Hive hive, const char* name) override;
};

class Win32Mci : public Mci {
 public:
  explicit Win32Mci(void* const* notifyWindow) : m_notifyWindow(notifyWindow) {}
  unsigned SendString(const char* command, char* reply, unsigned replySize, bool notify) override;

 private:
  void* const* m_notifyWindow;
};

class Win32Drives : public Drives {
 public:
  unsigned DriveType(const char* rootPath) override;
};

class Win32Foreground : public Foreground {
 public:
  void BringForward(void* window) override;
};

class Win32Power : public Power {
 public:
  void KeepSystemAwake() override;
};

class Win32Mutex : public NamedMutex {
 public:
  Result CreateOwned(const char* name) override;
  void Release() override;

 private:
  void* m_handle = nullptr;
};

class Win32Strings : public StringTable {
 public:
  std::string Load(unsigned id) override;
};

}  // namespace win32
