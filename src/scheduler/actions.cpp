#include "scheduler/actions.h"

#include <algorithm>

#include "platform/alerts.h"
#include "platform/shell.h"
#include "platform/string_table.h"
#include "resource.h"
#include "scheduler/tray.h"
#include "text/number_text.h"
#include "texts.h"

Actions::Actions(const ActionPorts& ports, const Options& options, Tray& tray)
    : m_ports(ports),
      m_options(options),
      m_tray(tray),
      m_cd(ports.mci, ports.drives, *this),
      m_sound(ports.mci, *this) {}

int Actions::Run(const Reservation& slot) {
  switch (slot.Action) {
    case ACTION_CD:
      return PlayCd(slot);
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

void Actions::StopCd() {
  if (m_cd.IsPlaying()) m_cd.Stop();
  if (m_sound.IsPlaying()) m_sound.Stop();
}

void Actions::TickCdCountdown() {
  m_cd.TickCountdown();
  m_sound.TickCountdown();
}

void Actions::OnMciNotify(bool successful, unsigned device) {
  m_cd.OnNotify(successful, device);
  m_sound.OnNotify(successful, device);
}

void Actions::OnDeviceOpened(const MciPlayback& player) {
  if (&player == &m_cd) {
    m_sound.Halt();
  } else {
    m_cd.Halt();
  }
}

int Actions::RunFile(const Reservation& slot) {
  const char* verb = slot.Command[0] != '\0' ? slot.Command : "open";
  if (m_ports.shell.ExecuteFile(verb, slot.FileName)) return 1;
  ReportError(IDS_FILE_RUN_FAILED);
  return 0;
}

int Actions::RunMessage(const Reservation& slot) {
  // The decimal of Time + 100 without its first character, which is two digits for 0..899.
  // Any other Time would give another count of digits, and the message instance would take
  // part of the text for the number: 99 is no duration, which the message window shows for a
  // minute.
  const int index = slot.Time >= 0 && slot.Time <= 899 ? slot.Time % 100 : 99;
  const char* messageEnd = std::find(slot.Message, slot.Message + kMessageSize - 1, '\0');
  const std::string commandLine = TwoColumnNumber(index, '0') +
                                  SnoozeMark(m_options.snoozeMinutes) +
                                  std::string(slot.Message, messageEnd);
  if (m_ports.shell.ExecuteSelf(commandLine.c_str())) return 1;
  ReportError(IDS_MESSAGE_FAILED);
  return 0;
}

void Actions::ShowTrayIcon(unsigned iconId, const char* tip) { m_tray.Show(iconId, tip); }

void Actions::ReportError(unsigned id) { ReportFailure(m_ports.strings.Load(id)); }

void Actions::ReportFailure(const std::string& text) {
  if (m_options.noError == 0) m_ports.alerts.ShowWarning(text.c_str(), texts::kErrorCaption);
}
