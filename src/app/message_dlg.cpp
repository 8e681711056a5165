#include "app/message_dlg.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "platform/alerts.h"
#include "reservations/reservation.h"
#include "reservations/snooze_minutes.h"
#include "resource.h"
#include "text/cp932.h"
#include "text/dpi.h"

namespace {

constexpr int kWindowWidth = 389;
constexpr int kWindowHeight = 96;
constexpr int kLeftOfCentre = 145;
constexpr unsigned kTickMs = 1000;

// Unlike DurationSeconds, an index outside the list gives a minute.
int MessageSeconds(long index) {
  if (index < 0 || index >= kDurationIndexCount) return 60;
  return DurationSeconds(static_cast<DurationIndex>(index));
}

}  // namespace

CMessageDlg::CMessageDlg(Alerts& alerts) : m_alerts(alerts) {}

void CMessageDlg::SetMessage(const char* commandLine) {
  cp932::CopyToField(m_szText, commandLine);
  // strtol rather than atoi: an absurdly long number must not overflow.
  m_nSeconds = MessageSeconds(std::strtol(m_szText, nullptr, 10));
  m_nSecondsLeft = m_nSeconds;
  // Only the program's own lines carry a mark: two digits before it.
  const bool twoDigits = std::isdigit(static_cast<unsigned char>(m_szText[0])) &&
                         std::isdigit(static_cast<unsigned char>(m_szText[1]));
  m_nSnoozeMinutes = twoDigits ? SnoozeMinutesOfMark(m_szText[2]) : kDefaultSnoozeMinutes;
  // The index and its comma are dropped whatever they are, as whole characters.
  const char* text = cp932::StepCharacters(m_szText, 3);
  std::memmove(m_szText, text, std::strlen(text) + 1);
}

bool CMessageDlg::OnInitDialog() {
  Controls().SetItemText(IDC_MESSAGE_TEXT, m_szText);
  // The sizes are for 96 dots per inch; the program scales them itself, as a DPI-aware one must.
  const DialogControls::Size screen = Controls().ScreenSize();
  const int dpi = Controls().WindowDpi();
  const int width = ScaleToDpi(kWindowWidth, dpi);
  const int height = ScaleToDpi(kWindowHeight, dpi);
  Controls().MoveWindow(screen.width / 2 - ScaleToDpi(kLeftOfCentre, dpi),
                        screen.height / 2 - height / 2, width, height, false);
  Controls().KeepItemInside(IDC_MESSAGE_TEXT);
  StartShowing();
  return true;
}

void CMessageDlg::StartShowing() {
  m_nSecondsLeft = m_nSeconds;
  m_alerts.Beep();
  Controls().StartTimer(kMessageCloseTimer, kTickMs);
}

void CMessageDlg::OnCommand(int id) {
  if (id != IDC_SNOOZE) return;
  // The countdown waits with the window: it starts again in full when the window is back.
  Controls().StopTimer(kMessageCloseTimer);
  Controls().ShowDialog(false);
  Controls().StartTimer(kMessageSnoozeTimer, static_cast<unsigned>(m_nSnoozeMinutes) * 60000u);
}

void CMessageDlg::OnTimer(unsigned id) {
  if (id == kMessageSnoozeTimer) {
    Controls().StopTimer(kMessageSnoozeTimer);
    Controls().ShowDialog(true);
    StartShowing();
    return;
  }
  if (id != kMessageCloseTimer) return;
  if (m_nSecondsLeft > 1) --m_nSecondsLeft;
  if (m_nSecondsLeft == 1) {
    Controls().StopTimer(kMessageCloseTimer);
    Controls().EndDialog(DialogResult::kOk);
  }
}

void CMessageDlg::OnOK() {
  Controls().StopTimer(kMessageCloseTimer);
  Controls().EndDialog(DialogResult::kOk);
}
