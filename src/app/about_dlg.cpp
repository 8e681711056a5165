#include "app/about_dlg.h"

#include "scheduler/ui_busy.h"

bool CAboutDlg::OnInitDialog() {
  // A click on the tray icon brings this box forward.
  g_hFrontDialog = Controls().Handle();
  CenterOnScreen();
  return true;
}
