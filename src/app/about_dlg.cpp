#include "app/about_dlg.h"

#include "scheduler/ui_busy.h"

bool CAboutDlg::OnInitDialog() {
  // A click on the tray icon brings this box forward.
  m_busy.SetFrontDialog(Controls().Handle());
  CenterOnScreen();
  return true;
}
