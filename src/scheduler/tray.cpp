#include "scheduler/tray.h"

#include "platform/tray_icon.h"
#include "platform/window_timers.h"
#include "resource.h"
#include "scheduler/missed_reservations.h"
#include "text/cp932.h"
#include "texts.h"

namespace {

constexpr unsigned kAddRetryPeriodMs = 2000;

}  // namespace

Tray::Tray(TrayIcon& icon, WindowTimers& timers, unsigned retryTimer,
           const MissedReservations& missed)
    : m_icon(icon),
      m_timers(timers),
      m_retryTimer(retryTimer),
      m_missed(missed),
      m_nid{IDR_MAINFRAME, {}} {
  cp932::CopyToField(m_nid.tip, texts::kTrayTip);
}

void Tray::Add() {
  // At sign-in the shell may not be up yet, and after Explorer restarts it may be slow to come
  // back: a refused add, not tried again, would leave the program with no way to reach it.
  if (m_icon.Add(m_nid.iconId, m_nid.tip)) {
    if (m_bAddPending) m_timers.StopTimer(m_retryTimer);
    m_bAddPending = false;
    if (m_heldBalloon) ShowBalloon(m_heldBalloon->title, m_heldBalloon->text);
    m_heldBalloon.reset();
  } else if (!m_bAddPending) {
    m_timers.StartTimer(m_retryTimer, kAddRetryPeriodMs);
    m_bAddPending = true;
  }
}

void Tray::Delete() {
  if (m_bAddPending) m_timers.StopTimer(m_retryTimer);
  m_bAddPending = false;
  m_heldBalloon.reset();
  m_icon.Delete();
}

void Tray::Show(unsigned iconId, const char* tip) {
  m_nid.iconId = iconId;
  // The idle icon tells of a snooze, or else when the timer goes off, or else of missed
  // reservations until the next click; a playing CD's tip says how to stop it, which matters
  // more while it plays.
  std::string idleTip;
  if (iconId == IDR_MAINFRAME) {
    idleTip = !m_snoozeTip.empty()  ? m_snoozeTip
              : !m_timerTip.empty() ? m_timerTip
              : m_missed.Any()      ? m_missed.Tip()
                                    : "";
  }
  cp932::CopyToField(m_nid.tip, idleTip.empty() ? tip : idleTip.c_str());
  m_icon.Modify(m_nid.iconId, m_nid.tip);
}

void Tray::ShowIdle() { Show(IDR_MAINFRAME, texts::kTrayTip); }

void Tray::ShowAgain() {
  // An icon the shell refuses is added at the new size by the retry.
  if (!m_bAddPending) m_icon.Modify(m_nid.iconId, m_nid.tip);
}

void Tray::RefreshIdleTip() {
  if (m_nid.iconId == IDR_MAINFRAME) ShowIdle();
}

void Tray::SetSnoozeTip(const std::string& tip) {
  m_snoozeTip = tip;
  RefreshIdleTip();
}

void Tray::SetTimerTip(const std::string& tip) {
  m_timerTip = tip;
  RefreshIdleTip();
}

void Tray::ShowBalloon(const char* title, const std::string& text) {
  if (m_bAddPending) {
    m_heldBalloon = Balloon{title, text};
    return;
  }
  m_icon.ShowBalloon(title, text.c_str());
}
