// Entry point: chooses the role from the command line and wires the window layer to the logic.
#include <string>

#include "app/command_line.h"
#include "app/message_dlg.h"
#include "platform/win32/modal_dialog.h"
#include "platform/win32/module.h"
#include "platform/win32/system_ports.h"
#include "platform/win32/text.h"
#include "resource.h"

namespace {

int RunMessageInstance(const wchar_t* commandLine) {
  const std::string text = win32::WideToCp932(commandLine);
  win32::ModalDialog dialog;
  win32::Win32Alerts alerts(nullptr);
  CMessageDlg message(dialog, dialog, alerts);
  message.SetMessage(text.c_str());
  dialog.Run(IDD_MESSAGE, message, nullptr);
  return 0;
}

}  // namespace

int main() {
  const std::wstring processLine = win32::ProcessCommandLine();
  const wchar_t* rest = SkipProgramPath(processLine.c_str());
  if (*rest != L'\0') return RunMessageInstance(rest);
  // The resident role is not built yet.
  return 0;
}
