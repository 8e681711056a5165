#include "app/about_dlg.h"

#include "scheduler/ui_busy.h"

bool CAboutDlg::OnInitDialog() {
  // A click on the tray icon brings this box forward.
  g_hFrontDialog = Controls().Handle();
  // The owner is the hidden frame, so the template's placement means nothing to the user.
  const DialogControls::Size screen = Controls().ScreenSize();
  const DialogControls::Size window = Controls().WindowSize();
  Controls().MoveWindow((screen.width - window.width) / 2, (screen.height - window.height) / 2,
                        window.width, window.height, false);
  return true;
}
