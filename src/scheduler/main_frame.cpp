#include "scheduler/main_frame.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/alerts.h"
#include "platform/clock.h"
#include "platform/foreground.h"
#include "platform/popup_menu.h"
#include "platform/power.h"
#include "platform/profile_store.h"
#include "platform/run_record.h"
#include "platform/tray_icon.h"
#include "platform/wake_timer.h"
#include "platform/window_timers.h"
#include "resource.h"
#include "scheduler/next_due.h"
#include "scheduler/table_editor.h"
#include "scheduler/ui_busy.h"
#include "text/cp932.h"
#include "texts.h"

namespace {

constexpr unsigned kSchedulePeriodMs = 200;
constexpr unsigned kCountdownPeriodMs = 1000;
// At sign-in sync, backup and virus-scan tools may hold the profile for seconds.
constexpr int kStartReadAttempts = 100;
// After 再試行 the user has freed the file: read at once, and for a second more, as a scanner
// may look at a file just closed. A file still held brings the box back without a long wait.
constexpr int kRetryReadAttempts = 10;
constexpr unsigned kProfileReadPauseMs = 100;
// How long before a reservation the system is woken: about what waking takes.
constexpr long long kWakeLeadSeconds = 60;

// Which slots of `after` hold a reservation that `before` did not: added or changed.
std::vector<bool> Renewed(const ReservationTable& before, const ReservationTable& after) {
  std::vector<bool> renewed(static_cast<std::size_t>(after.Size()), false);
  const int count = before.Size();
  int from = 0;  // where the last one was found: the order is mostly kept
  for (int i = 0; i < after.Size(); ++i) {
    if (IsEmpty(after[i])) continue;
    bool found = false;
    for (int k = 0; k < count && !found; ++k) {
      const int j = (from + k) % count;
      found = SameReservation(before[j], after[i]);
      if (found) from = j + 1;
    }
    renewed[static_cast<std::size_t>(i)] = !found;
  }
  return renewed;
}

}  // namespace

CMainFrame::CMainFrame(const FramePorts& ports, UiBusy& busy, TableEditor& settings)
    : m_ports(ports),
      m_busy(busy),
      m_settings(settings),
      m_profile(ports.profileStore, ports.location, ports.textCodec),
      m_cd(ports.mci, ports.drives, *this),
      m_sound(ports.mci, *this) {}

int CMainFrame::OnCreate() {
  m_nid.iconId = IDR_MAINFRAME;
  cp932::CopyToField(m_nid.tip, texts::kTrayTip);
  AddTrayIcon();
  if (!LoadProfile(kStartReadAttempts)) {
    // Gone while the box is open, so that no click on it can open the settings meanwhile.
    DeleteTrayIcon();
    do {
      if (!ReportProfileFailure(texts::kProfileUnreadable, true)) return -1;
    } while (!LoadProfile(kRetryReadAttempts));
    AddTrayIcon();
  }
  m_matcher = ScheduleMatcher();
  TellMissedWhileClosed();
  StartTimers();
  ResetWakeTimer();
  return 0;
}

void CMainFrame::OnTrayNotify(TrayMouse mouse) {
  if (mouse == TrayMouse::kOther) return;
  if (m_cd.IsPlaying() || m_sound.IsPlaying()) {
    // The idle icon's tip tells of the missed reservations from now on.
    if (m_cd.IsPlaying()) m_cd.Stop();
    if (m_sound.IsPlaying()) m_sound.Stop();
  } else if (m_missed.Any()) {
    m_missed.Clear();
    ShowTrayIcon(IDR_MAINFRAME, texts::kTrayTip);
  }
  if (m_busy.IsBusy()) {
    if (m_busy.FrontDialog() != nullptr) m_ports.foreground.BringForward(m_busy.FrontDialog());
    return;
  }
  m_ports.menu.TrackAtCursor(m_table.LastFreeSlot() >= 0 ? PopupMenu::Tray::kSlotFree
                                                         : PopupMenu::Tray::kTableFull);
}

bool CMainFrame::OnCommand(unsigned id) {
  switch (id) {
    case ID_QUICK_RESERVATION:
      OnQuickReservation();
      return true;
    case ID_SETTINGS:
      OnSettings();
      return true;
  }
  return false;
}

// Each player acts only on its own device's notification.
void CMainFrame::OnMciNotify(bool successful, unsigned device) {
  m_cd.OnNotify(successful, device);
  m_sound.OnNotify(successful, device);
}

void CMainFrame::OnClose() { Shutdown(); }

bool CMainFrame::OnQueryEndSession() {
  Shutdown();
  return true;
}

void CMainFrame::OnEndSession(bool ending) {
  if (ending) return;
  // Another program refused the end of the session: come back, or nobody could reach us. The
  // program runs on, so the next start must not count this run's minutes as not running.
  m_ports.runRecord.Take();
  AddTrayIcon();
  StartTimers();
  ResetWakeTimer();
}

void CMainFrame::OnTaskbarCreated() { AddTrayIcon(); }

void CMainFrame::AddTrayIcon() {
  // At sign-in the shell may not be up yet, and after Explorer restarts it may be slow to come
  // back: a refused add, not tried again, would leave the program with no way to reach it.
  constexpr unsigned kTrayAddPeriodMs = 2000;
  if (m_ports.tray.Add(m_nid.iconId, m_nid.tip)) {
    if (m_bTrayAddPending) m_ports.timers.StopTimer(kTrayAddTimer);
    m_bTrayAddPending = false;
  } else if (!m_bTrayAddPending) {
    m_ports.timers.StartTimer(kTrayAddTimer, kTrayAddPeriodMs);
    m_bTrayAddPending = true;
  }
}

void CMainFrame::DeleteTrayIcon() {
  // No add may bring it back meanwhile.
  if (m_bTrayAddPending) m_ports.timers.StopTimer(kTrayAddTimer);
  m_bTrayAddPending = false;
  m_ports.tray.Delete();
}

// The ticks may have stopped for hours: what fell due meanwhile is looked at now, and the
// wake timer set again for what is next.
void CMainFrame::OnResume() {
  CheckSchedule();
  ResetWakeTimer();
}

void CMainFrame::OnTimeChange() {
  CheckSchedule();
  ResetWakeTimer();
}

void CMainFrame::Shutdown() {
  m_ports.timers.StopTimer(kScheduleTimer);
  m_ports.timers.StopTimer(kCdCountdownTimer);
  if (m_cd.IsPlaying()) m_cd.Stop();
  if (m_sound.IsPlaying()) m_sound.Stop();
  ReleaseDisplayWhenIdle();
  // A timer left set would wake the system for a program that is not there.
  m_ports.wakeTimer.Cancel();
  SaveProfile();
  if (const std::optional<long long> lastCheck = m_matcher.LastChecked())
    m_ports.runRecord.Leave(*lastCheck);
  DeleteTrayIcon();
}

void CMainFrame::StartTimers() {
  m_ports.timers.StartTimer(kScheduleTimer, kSchedulePeriodMs);
  m_ports.timers.StartTimer(kCdCountdownTimer, kCountdownPeriodMs);
}

bool CMainFrame::LoadProfile(int attempts) {
  std::optional<ProfileValues> values = m_profile.Load(m_table);
  for (int attempt = 1; !values; ++attempt) {
    if (attempt >= attempts) return false;
    m_ports.clock.Sleep(kProfileReadPauseMs);
    values = m_profile.Load(m_table);
  }
  m_nSlotCount = values->slotCount;
  m_options = values->options;
  return true;
}

bool CMainFrame::SaveProfile() { return m_profile.Save({m_nSlotCount, m_options}, m_table); }

bool CMainFrame::ReportProfileFailure(const char* what, bool offerRetry) {
  const std::string text = std::string(what) + "\n" + m_ports.profileStore.Path();
  bool retry = false;
  if (offerRetry) {
    retry = m_ports.alerts.AskRetry(text.c_str(), texts::kErrorCaption);
  } else {
    m_ports.alerts.ShowWarning(text.c_str(), texts::kErrorCaption);
  }
  return retry;
}

void CMainFrame::OnTimer(unsigned id) {
  if (id == kTrayAddTimer) AddTrayIcon();
  if (id == kScheduleTimer) CheckSchedule();
  if (id == kCdCountdownTimer) {
    m_cd.TickCountdown();
    m_sound.TickCountdown();
    // However the playback ended: its time, a click on the icon, a failure.
    ReleaseDisplayWhenIdle();
  }
}

void CMainFrame::ShowTrayIcon(unsigned iconId, const char* tip) {
  m_nid.iconId = iconId;
  // The idle icon tells of missed reservations until the next click; a playing CD's tip says
  // how to stop it, which matters more while it plays.
  const std::string missedTip = iconId == IDR_MAINFRAME && m_missed.Any() ? m_missed.Tip() : "";
  cp932::CopyToField(m_nid.tip, missedTip.empty() ? tip : missedTip.c_str());
  m_ports.tray.Modify(m_nid.iconId, m_nid.tip);
}

void CMainFrame::OnSettings() {
  if (m_busy.IsOpen(IDD_SETTINGS)) return;

  // The editor gets the reservations packed, in slot order.
  ReservationTable edited = m_table.Packed(DefaultReservation(m_ports.location));
  Options options = m_options;
  if (!m_settings.Edit(edited, options)) return;
  m_matcher.Renew(Renewed(m_table, edited), m_ports.clock.Now());
  m_table = std::move(edited);
  // Told once after each time the user turns it on, not at every start of a run.
  m_bTellWakeFailure = options.wakeUp != 0 && (m_options.wakeUp == 0 || m_bTellWakeFailure);
  m_options = options;
  // Written now, so that a crash later loses no edit. The edits stay in effect for this run
  // even when the file cannot take them.
  if (!SaveProfile()) ReportProfileFailure(texts::kProfileUnsaved, false);
  if (!m_options.wakeUp) m_ports.wakeTimer.Cancel();
  ResetWakeTimer();
}

void CMainFrame::ResetWakeTimer() {
  m_wakeAt.reset();
  // Refusing the suspend broadcasts is not enough on systems that no longer send them.
  if (!m_options.wakeUp) return HoldSystemAwake(true);
  const long long now = m_ports.clock.Now();
  const std::optional<long long> due = NextDueTime(m_table, now, m_ports.clock);
  if (!due) {
    m_ports.wakeTimer.Cancel();
    return HoldSystemAwake(false);
  }
  // Within the last minute the reservation's own time still wakes the system, a little late.
  const long long wake = *due - kWakeLeadSeconds > now ? *due - kWakeLeadSeconds : *due;
  m_wakeAt = wake;
  const bool wakes = m_ports.wakeTimer.Set(wake);
  // A system that will not wake for the reservation is kept from sleeping through it.
  HoldSystemAwake(!wakes);
  if (wakes || !m_bTellWakeFailure) return;
  // Cleared first: the box's own loop runs ticks that may set the timer again.
  m_bTellWakeFailure = false;
  m_ports.alerts.ShowWarning(texts::kWakeUnavailable, texts::kErrorCaption);
}

void CMainFrame::HoldSystemAwake(bool hold) {
  if (hold == m_bSystemHeld) return;
  m_ports.power.KeepSystemAwake(hold);
  m_bSystemHeld = hold;
}

CMainFrame::DisplayHold::DisplayHold(CMainFrame& frame) : m_frame(frame) {
  if (!frame.m_options.wakeUp || frame.m_bDisplayHeld) return;
  // After a wake by the timer the display stays dark until something asks for it.
  frame.m_ports.power.KeepDisplayOn(true);
  frame.m_bDisplayHeld = true;
}

void CMainFrame::ReleaseDisplayWhenIdle() {
  if (!m_bDisplayHeld || m_cd.IsPlaying() || m_sound.IsPlaying()) return;
  m_ports.power.KeepDisplayOn(false);
  m_bDisplayHeld = false;
}
