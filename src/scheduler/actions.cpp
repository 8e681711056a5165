#include <cstdio>
#include <string>

#include "platform/alerts.h"
#include "platform/shell.h"
#include "platform/string_table.h"
#include "resource.h"
#include "scheduler/main_frame.h"

namespace {

constexpr int kCommandLineSize = 256;

}  // namespace

int CMainFrame::RunReservation(int slotIndex) {
  if (IsUiBusy()) return 0;
  const Reservation& slot = m_table[slotIndex];
  switch (slot.Action) {
    case ACTION_CD:
      return PlayCd(slotIndex);
    case ACTION_FILE:
      return RunFile(slot);
    case ACTION_MESSAGE:
      return RunMessage(slot);
    default:
      return 1;
  }
}

int CMainFrame::RunFile(const Reservation& slot) {
  const char* verb = slot.Command[0] != '\0' ? slot.Command : "open";
  if (m_ports.shell.ExecuteFile(verb, slot.FileName) > kShellStartedAbove) return 1;
  ReportError(IDS_FILE_RUN_FAILED);
  return 0;
}

int CMainFrame::RunMessage(const Reservation& slot) {
  // Always two digits, or the message instance would take part of the text for the number;
  // 99 is no duration, which the message window shows for a minute.
  const int index = slot.Time >= 0 && slot.Time <= 99 ? slot.Time : 99;
  char commandLine[kCommandLineSize];
  std::snprintf(commandLine, sizeof commandLine, "%02d,%.*s", index, kMessageSize - 1,
                slot.Message);
  if (m_ports.shell.ExecuteSelf(commandLine) > kShellStartedAbove) return 1;
  ReportError(IDS_MESSAGE_FAILED);
  return 0;
}

void CMainFrame::ReportError(unsigned id) {
  const std::string text = m_ports.strings.Load(id);
  ++m_bErrorShowing;
  if (m_bNoError == 0) {
    m_ports.alerts.ShowMessageBox(text.c_str(), "鳴刻エラー", kBoxOk | kBoxIconExclamation);
  }
  --m_bErrorShowing;
}
