#include <algorithm>
#include <string>

#include "platform/alerts.h"
#include "platform/shell.h"
#include "platform/string_table.h"
#include "resource.h"
#include "scheduler/main_frame.h"
#include "scheduler/ui_busy.h"
#include "text/number_text.h"
#include "texts.h"

int CMainFrame::RunReservation(int slotIndex) {
  if (m_busy.IsBusy()) return 0;
  const DisplayHold display(*this);
  const Reservation& slot = m_table[slotIndex];
  switch (slot.Action) {
    case ACTION_CD:
      return m_cd.Play(slot);
    case ACTION_SOUND:
      return m_sound.Play(slot);
    case ACTION_FILE:
      return RunFile(slot);
    case ACTION_MESSAGE:
      return RunMessage(slot);
    default:
      return 1;
  }
}

void CMainFrame::OnDeviceOpened(const MciPlayback& player) {
  if (&player == &m_cd) {
    m_sound.Halt();
  } else {
    m_cd.Halt();
  }
}

int CMainFrame::RunFile(const Reservation& slot) {
  const char* verb = slot.Command[0] != '\0' ? slot.Command : "open";
  if (m_ports.shell.ExecuteFile(verb, slot.FileName)) return 1;
  ReportError(IDS_FILE_RUN_FAILED);
  return 0;
}

int CMainFrame::RunMessage(const Reservation& slot) {
  // The decimal of Time + 100 without its first character, which is two digits for 0..899.
  // Any other Time would give another count of digits, and the message instance would take
  // part of the text for the number: 99 is no duration, which the message window shows for a
  // minute.
  const int index = slot.Time >= 0 && slot.Time <= 899 ? slot.Time % 100 : 99;
  const char* messageEnd = std::find(slot.Message, slot.Message + kMessageSize - 1, '\0');
  const std::string commandLine =
      TwoColumnNumber(index, '0') + "," + std::string(slot.Message, messageEnd);
  if (m_ports.shell.ExecuteSelf(commandLine.c_str())) return 1;
  ReportError(IDS_MESSAGE_FAILED);
  return 0;
}

void CMainFrame::ReportError(unsigned id) { ReportFailure(m_ports.strings.Load(id)); }

void CMainFrame::ReportFailure(const std::string& text) {
  if (m_bNoError == 0) m_ports.alerts.ShowWarning(text.c_str(), texts::kErrorCaption);
}
