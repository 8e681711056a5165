#pragma once

#include <windows.h>

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
#include "platform/wake_timer.h"

// Adapters of the small system services. Those whose windows belong to the hidden frame get
// the frame: it is made after them, and until it exists they have no owner.
namespace win32 {

class FrameWindow;

class Win32Clock : public Clock {
 public:
  long long Now() override;
  std::tm LocalTime(long long seconds) override;
  void Sleep(unsigned milliseconds) override;
};

class Win32Shell : public Shell {
 public:
  bool ExecuteFile(const char* verb, const char* file) override;
  bool ExecuteSelf(const char* parameters) override;
};

class Win32Alerts : public Alerts {
 public:
  explicit Win32Alerts(const FrameWindow& owner) : m_owner(owner) {}
  void ShowWarning(const char* text, const char* caption) override;
  bool AskRetry(const char* text, const char* caption) override;
  void Beep() override;

 private:
  const FrameWindow& m_owner;
};

class Win32DialogHost : public DialogHost {
 public:
  explicit Win32DialogHost(const FrameWindow& owner) : m_owner(owner) {}
  DialogResult RunModal(int templateId, DialogHandler& handler) override;
  DialogResult RunModalOwnedBy(WindowHandle owner, int templateId, DialogHandler& handler) override;

 private:
  const FrameWindow& m_owner;
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
  explicit Win32Mci(const FrameWindow& notified) : m_notified(notified) {}
  bool SendString(const char* command, char* reply, unsigned replySize, bool notify) override;
  unsigned DeviceId(const char* name) override;

 private:
  const FrameWindow& m_notified;
};

class Win32Drives : public Drives {
 public:
  bool IsCdRom(char letter) override;
};

class Win32Foreground : public Foreground {
 public:
  void BringForward(WindowHandle window) override;
};

class Win32Power : public Power {
 public:
  void KeepSystemAwake(bool on) override;
  void KeepDisplayOn(bool on) override;

 private:
  // The thread's request stands for both: each call replaces the one before.
  void Request();

  bool m_system = false;
  bool m_display = false;
};

// A waitable timer of its own, made at the first Set and closed at Cancel.
class Win32WakeTimer : public WakeTimer {
 public:
  ~Win32WakeTimer() override;
  bool Set(long long dueSeconds) override;
  void Cancel() override;

 private:
  HANDLE m_timer = nullptr;
};

class Win32Mutex : public NamedMutex {
 public:
  Result CreateOwned(const char* name) override;
  void Release() override;

 private:
  HANDLE m_handle = nullptr;
};

class Win32Strings : public StringTable {
 public:
  std::string Load(unsigned id) override;
};

}  // namespace win32
