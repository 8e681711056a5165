#pragma once

#include "platform/frame_handler.h"

class Alerts;
class DialogHost;
class MainWindowHost;
class NamedMutex;

// The application object: chooses the role, guards the single resident instance, and serves
// the commands that the frame hands on.
class CSchedulerApp : public CommandTarget {
 public:
  CSchedulerApp(NamedMutex& mutex, Alerts& alerts, DialogHost& dialogs, MainWindowHost& window);
  ~CSchedulerApp();

  // `commandLine` is what follows the program's path, in code page 932. True when the
  // resident role runs and the message loop should follow.
  bool InitInstance(const char* commandLine);
  int ExitInstance();

  // ID_APP_ABOUT and ID_APP_EXIT; false for any other command.
  bool OnCommand(unsigned id) override;
  void OnAppAbout();

 private:
  NamedMutex& m_mutex;
  Alerts& m_alerts;
  DialogHost& m_dialogs;
  MainWindowHost& m_window;
  bool m_mutexTaken = false;
};
