// Any command line makes a message window that shows exactly the line after its first three
// characters, cut to the window's buffer at a character boundary.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/message_dlg.h"
#include "fakes/fake_dialog.h"
#include "fakes/fake_ports.h"
#include "text/cp932.h"

namespace {

bool IsLead(char byte) { return cp932::IsLeadByte(static_cast<unsigned char>(byte)); }

// The buffer holds the whole characters that fit before its terminator; a lead byte at the very
// end of the line is a character of its own. The three characters of the index and its comma
// are then stepped over within what was kept.
std::string ShownText(const std::string& line) {
  const std::size_t capacity = kMessageTextSize - 1;
  std::size_t kept = 0;
  for (std::size_t at = 0; at < line.size();) {
    const std::size_t width = IsLead(line[at]) ? 2 : 1;
    if (at + width > capacity) break;
    at += width;
    kept = at < line.size() ? at : line.size();
  }
  std::size_t start = 0;
  for (int character = 0; character < 3 && start < kept; ++character) {
    start += IsLead(line[start]) && start + 1 < kept ? 2 : 1;
  }
  return line.substr(start, kept - start);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);
  line = line.substr(0, line.find('\0'));
  FakeDialog controls;
  FakeAlerts alerts;
  CMessageDlg dialog(alerts);
  dialog.Attach(controls);
  dialog.SetMessage(line.c_str());
  if (dialog.Text() != ShownText(line)) std::abort();
  dialog.OnInitDialog();
  for (int tick = 0; tick < 3; ++tick) dialog.OnTimer(kMessageCloseTimer);
  return 0;
}
