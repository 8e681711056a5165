// Entry point: wires the window layer's adapters to the logic and runs the chosen role.
#include <cstdlib>
#include <exception>
#include <string>

#include "app/command_line.h"
#include "app/scheduler_app.h"
#include "platform/main_window_host.h"
#include "reservations/profile_keys.h"
#include "scheduler/main_frame.h"
#include "scheduler/modal_windows.h"
#include "settings/settings_editor.h"
#include "settings/timer_dialog_prompt.h"
#include "win32/alerts.h"
#include "win32/clock.h"
#include "win32/dialog_host.h"
#include "win32/drives.h"
#include "win32/foreground.h"
#include "win32/frame_window.h"
#include "win32/mci.h"
#include "win32/module.h"
#include "win32/mutex.h"
#include "win32/power.h"
#include "win32/profile_file.h"
#include "win32/run_key.h"
#include "win32/run_record.h"
#include "win32/shell.h"
#include "win32/strings.h"
#include "win32/text.h"
#include "win32/text_codec.h"
#include "win32/wake_timer.h"

namespace {

// Everything the resident role's frame stands on, made before its window.
class Resident : public MainWindowHost {
 public:
  // `alerts` and `dialogs` mark `busy` while they are open.
  Resident(win32::FrameWindow& window, Alerts& alerts, DialogHost& dialogs, UiBusy& busy)
      : m_window(window),
        m_alerts(alerts),
        m_dialogs(dialogs),
        m_busy(busy),
        m_profileFile(win32::ExecutableDirectory() + profile_keys::kProfileFile),
        m_mci(window) {}

  void SetCommandTarget(CommandTarget& commands) { m_commands = &commands; }

  Creation CreateMainWindow() override { return m_window.Create(m_frame, *m_commands); }
  void CloseMainWindow() override { m_window.Close(); }

 private:
  win32::FrameWindow& m_window;
  Alerts& m_alerts;
  DialogHost& m_dialogs;
  UiBusy& m_busy;
  CommandTarget* m_commands = nullptr;
  win32::Win32Clock m_clock;
  win32::Win32Shell m_shell;
  win32::Win32Strings m_strings;
  win32::Win32Location m_location;
  win32::Win32ProfileFile m_profileFile;
  win32::Win32Mci m_mci;
  win32::Win32Drives m_drives;
  win32::Win32Foreground m_foreground;
  win32::Win32Power m_power;
  win32::Win32WakeTimer m_wakeTimer;
  win32::Win32RunRecord m_runRecord{win32::ExecutableDirectory() + profile_keys::kRunRecordFile};
  win32::Win32RunKey m_runKey;
  win32::Win32TextCodec m_textCodec;
  SettingsEditor m_settings{SettingsPorts{m_dialogs, m_clock, m_drives, m_location, m_runKey}};
  TimerDialogPrompt m_timerPrompt{m_dialogs};
  CMainFrame m_frame{FramePorts{m_clock, m_shell, m_alerts, m_strings, m_location, m_profileFile,
                                m_window, m_mci, m_drives, m_window, m_window, m_foreground,
                                m_power, m_textCodec, m_wakeTimer, m_runRecord},
                     m_busy, m_settings, m_timerPrompt};
};

}  // namespace

// Stands in for libstdc++'s handler, which demangles the name of the exception's type for a
// message on stderr and so links a demangler of about 50 KB; a GUI program has no console to
// show that message on, and either way the program ends in abort().
void __gnu_cxx::__verbose_terminate_handler() { std::abort(); }

int main() {
  const std::wstring processLine = win32::ProcessCommandLine();
  const std::string commandLine =
      win32::WideToCp932(SkipProgramPath(processLine.c_str()), win32::BestFit::kUsed);

  win32::FrameWindow window;
  win32::Win32Alerts boxes(window);
  win32::Win32DialogHost windows(window);
  UiBusy busy;
  BusyAlerts alerts(boxes, busy);
  BusyDialogHost dialogs(windows, busy);
  win32::Win32Mutex mutex;
  Resident resident(window, alerts, dialogs, busy);
  CSchedulerApp app(mutex, alerts, dialogs, resident);
  resident.SetCommandTarget(app);

  if (app.InitInstance(commandLine.c_str())) win32::FrameWindow::RunMessageLoop();
  return app.ExitInstance();
}
