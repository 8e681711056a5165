#include "app/about_dlg.h"

bool CAboutDlg::OnInitDialog() {
  CenterOnScreen();
  return true;
}
