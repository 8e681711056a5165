// Any command line makes a message window that stays within its buffer and shows a tail of
// what it was given.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/message_dlg.h"
#include "fakes/fake_dialog.h"
#include "fakes/fake_ports.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);
  line = line.substr(0, line.find('\0'));
  FakeDialog controls;
  FakeAlerts alerts;
  CMessageDlg dialog(alerts);
  dialog.Attach(controls);
  dialog.SetMessage(line.c_str());
  const std::string text = dialog.Text();
  if (text.size() > 255 || line.substr(0, 255).find(text) == std::string::npos) std::abort();
  dialog.OnInitDialog();
  for (int tick = 0; tick < 3; ++tick) dialog.OnTimer(kMessageCloseTimer);
  return 0;
}
