#include "app/scheduler_app.h"

#include "app/about_dlg.h"
#include "app/message_dlg.h"
#include "platform/alerts.h"
#include "platform/dialog_handler.h"
#include "platform/main_window_host.h"
#include "platform/named_mutex.h"
#include "resource.h"
#include "text/cp932.h"
#include "texts.h"

namespace {

// Fixed: a second start, of this version or an older one, finds the resident one by it.
constexpr char kMutexName[] = "TAVORENKA_Chimeday";
constexpr int kCommandLineSize = 256;

}  // namespace

CSchedulerApp::CSchedulerApp(NamedMutex& mutex, Alerts& alerts, DialogHost& dialogs,
                             MainWindowHost& window)
    : m_mutex(mutex), m_alerts(alerts), m_dialogs(dialogs), m_window(window) {}

CSchedulerApp::~CSchedulerApp() {
  if (m_mutexTaken) m_mutex.Release();
}

bool CSchedulerApp::InitInstance(const char* commandLine) {
  char line[kCommandLineSize];
  cp932::CopyToField(line, commandLine);
  if (line[0] != '\0') {
    CMessageDlg message(m_alerts);
    message.SetMessage(line);
    m_dialogs.RunModal(IDD_MESSAGE, message);
    return false;
  }

  const NamedMutex::Result guard = m_mutex.CreateOwned(kMutexName);
  m_mutexTaken = guard == NamedMutex::Result::kCreated;
  if (guard == NamedMutex::Result::kAlreadyExists) {
    m_alerts.ShowWarning(texts::kAlreadyRunning, texts::kErrorCaption);
    return false;
  }
  switch (m_window.CreateMainWindow()) {
    case MainWindowHost::Creation::kCreated:
      return true;
    case MainWindowHost::Creation::kRefused:
      return false;
    case MainWindowHost::Creation::kFailed:
      break;
  }
  // A window that cannot be made leaves nothing to reach: end rather than run invisibly.
  m_alerts.ShowWarning(texts::kWindowCreationFailed, texts::kErrorCaption);
  return false;
}

int CSchedulerApp::ExitInstance() { return 0; }

bool CSchedulerApp::OnCommand(unsigned id) {
  switch (id) {
    case ID_APP_ABOUT:
      OnAppAbout();
      return true;
    case ID_APP_EXIT:
      m_window.CloseMainWindow();
      return true;
  }
  return false;
}

void CSchedulerApp::OnAppAbout() {
  CAboutDlg about;
  m_dialogs.RunModal(IDD_ABOUTBOX, about);
}
