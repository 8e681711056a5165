#include "scheduler/main_frame.h"

#include <vector>

#include "platform/alerts.h"
#include "platform/clock.h"
#include "platform/foreground.h"
#include "platform/popup_menu.h"
#include "platform/run_record.h"
#include "platform/window_timers.h"
#include "resource.h"
#include "scheduler/table_editor.h"
#include "scheduler/timer_prompt.h"
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
constexpr int kQuickReservationMinutes = 3;
// A message set some minutes from now comes at the start of the minute nearest that time,
// halves up: the quick reservation has always taken the minute of now + 210 s.
constexpr long long kHalfMinute = 30;

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

CMainFrame::CMainFrame(const FramePorts& ports, UiBusy& busy, TableEditor& settings,
                       TimerPrompt& timerPrompt)
    : m_ports(ports),
      m_busy(busy),
      m_settings(settings),
      m_timerPrompt(timerPrompt),
      m_profile(ProfileSessionPorts{ports.profileStore, ports.location, ports.textCodec,
                                    ports.clock, ports.alerts}),
      m_tray(ports.tray, ports.timers, kTrayAddTimer, m_missed),
      m_waking(WakingPorts{ports.clock, ports.wakeTimer, ports.power, ports.alerts}, m_options),
      m_actions(ActionPorts{ports.shell, ports.strings, ports.alerts, ports.mci, ports.drives},
                m_options, m_tray),
      m_late(LateReservationPorts{ports.clock, ports.runRecord}, m_table, m_options.daysOff,
             m_missed, m_tray, *this),
      m_snooze(ports.clock, m_tray) {}

int CMainFrame::OnCreate() {
  m_tray.Add();
  if (!LoadProfile(kStartReadAttempts)) {
    // Gone while the box is open, so that no click on it can open the settings meanwhile.
    m_tray.Delete();
    do {
      if (!m_profile.ReportFailure(texts::kProfileUnreadable, true)) return -1;
    } while (!LoadProfile(kRetryReadAttempts));
    m_tray.Add();
  }
  m_late.TellMissedWhileClosed();
  StartTimers();
  ResetWakeTimer();
  return 0;
}

void CMainFrame::OnTrayNotify(TrayEvent event) {
  if (!m_trayActivation.Acts(event)) return;
  const bool stoppedPlay = m_actions.IsPlaying();
  if (stoppedPlay) {
    // The idle icon's tip tells of the missed reservations from now on.
    m_actions.StopCd();
  } else if (m_missed.Any()) {
    m_missed.Clear();
    m_tray.ShowIdle();
  }
  if (m_busy.IsBusy()) {
    if (m_busy.FrontDialog() != nullptr) m_ports.foreground.BringForward(m_busy.FrontDialog());
    return;
  }
  m_trayActivation.SetMenuOpen(true);
  m_ports.menu.TrackAtCursor(
      m_table.LastFreeSlot() >= 0 ? PopupMenu::Tray::kSlotFree : PopupMenu::Tray::kTableFull,
      SnoozeItem(stoppedPlay));
  m_trayActivation.SetMenuOpen(false);
}

std::optional<PopupMenu::Item> CMainFrame::SnoozeItem(bool stoppedPlay) {
  // A reservation that erased itself when it ran has nothing left to play again.
  m_offeredSlot =
      stoppedPlay && m_playingSlot && SlotPlays(*m_playingSlot) ? m_playingSlot : std::nullopt;
  if (m_offeredSlot) {
    return PopupMenu::Item{
        ID_SNOOZE,
        texts::kSnoozeItemStart + std::to_string(m_options.snoozeMinutes) + texts::kSnoozeItemRest};
  }
  if (m_snooze.Waiting()) return PopupMenu::Item{ID_CANCEL_SNOOZE, texts::kCancelSnoozeItem};
  return std::nullopt;
}

bool CMainFrame::OnCommand(unsigned id) {
  switch (id) {
    case ID_QUICK_RESERVATION:
      OnQuickReservation();
      return true;
    case ID_SETTINGS:
      OnSettings();
      return true;
    case ID_TIMER_RESERVATION:
      OnTimerReservation();
      return true;
    case ID_SNOOZE:
      OnSnooze();
      return true;
    case ID_CANCEL_SNOOZE:
      m_snooze.Cancel();
      ResetWakeTimer();
      return true;
  }
  return false;
}

void CMainFrame::OnMciNotify(bool successful, unsigned device) {
  m_actions.OnMciNotify(successful, device);
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
  m_tray.Add();
  StartTimers();
  ResetWakeTimer();
}

void CMainFrame::OnTaskbarCreated() { m_tray.Add(); }

void CMainFrame::OnDpiChanged() { m_tray.ShowAgain(); }

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
  m_actions.StopCd();
  m_snooze.Cancel();
  ReleaseDisplayWhenIdle();
  m_waking.Cancel();
  SaveProfile();
  if (const std::optional<long long> lastCheck = m_late.LastChecked())
    m_ports.runRecord.Leave(*lastCheck);
  m_tray.Delete();
}

void CMainFrame::StartTimers() {
  m_ports.timers.StartTimer(kScheduleTimer, kSchedulePeriodMs);
  m_ports.timers.StartTimer(kCdCountdownTimer, kCountdownPeriodMs);
}

bool CMainFrame::LoadProfile(int attempts) { return m_profile.Load(m_table, m_options, attempts); }

bool CMainFrame::SaveProfile() { return m_profile.Save(m_table, m_options); }

void CMainFrame::OnTimer(unsigned id) {
  if (id == kTrayAddTimer) m_tray.Add();
  if (id == kScheduleTimer) CheckSchedule();
  if (id == kCdCountdownTimer) {
    m_actions.TickCdCountdown();
    // However the playback ended: its time, a click on the icon, a failure.
    ReleaseDisplayWhenIdle();
  }
}

void CMainFrame::CheckSchedule() {
  const long long now = m_ports.clock.Now();
  // Boxes open or not, the wake timer never stands at a time already past.
  if (m_waking.Passed(now)) ResetWakeTimer();
  // Nothing is matched while a box is open, so that a minute falling due meanwhile is still
  // there to be found late once the box has closed.
  if (m_busy.IsBusy()) return;
  // A reservation due in the snooze's minute runs first; one that plays ends the snooze.
  m_late.Check(now);
  RunDueSnooze(now);
  UpdateTimerTip();
}

void CMainFrame::RunDueSnooze(long long now) {
  // A box of the reservation just run may have been open for a while.
  if (m_busy.IsBusy()) return;
  const std::optional<int> slot = m_snooze.TakeDue(now);
  if (slot && SlotPlays(*slot)) RunReservation(*slot);
}

bool CMainFrame::SlotPlays(int slotIndex) const {
  if (slotIndex >= m_table.Size()) return false;
  const Reservation& slot = m_table[slotIndex];
  return !IsEmpty(slot) && (slot.Action == ACTION_CD || slot.Action == ACTION_SOUND);
}

int CMainFrame::RunReservation(int slotIndex) {
  if (m_busy.IsBusy()) return 0;
  const DisplayHold display(*this);
  const int result = m_actions.Run(m_table[slotIndex]);
  if (SlotPlays(slotIndex) && result == 1 && m_actions.IsPlaying()) {
    // Another play ends a waiting snooze: at most one of them plays.
    m_playingSlot = slotIndex;
    m_snooze.Cancel();
  }
  return result;
}

void CMainFrame::OnSnooze() {
  if (!m_offeredSlot) return;
  m_snooze.Set(*m_offeredSlot, m_options.snoozeMinutes);
  m_offeredSlot.reset();
  // With waking on the system may sleep meanwhile: the snooze wakes it as a reservation does.
  ResetWakeTimer();
}

void CMainFrame::OnQuickReservation() {
  SetMessageIn(kQuickReservationMinutes, texts::kQuickReservationMessage);
}

void CMainFrame::OnTimerReservation() {
  // The menu offers it only while a slot is free and no dialog is open; a command posted from
  // outside may come at any time.
  if (m_busy.IsBusy() || m_table.LastFreeSlot() < 0) return;
  int minutes = 0;
  std::string message;
  if (!m_timerPrompt.Ask(minutes, message)) return;
  // From the moment of OK: the dialog may have stood open for a while.
  const long long due = m_ports.clock.Now() + minutes * 60LL;
  const int index = SetMessageIn(minutes, message.c_str());
  if (index < 0) return;
  m_pendingTimers.Add(index, m_table[index], due);
  m_tray.SetTimerTip(m_pendingTimers.Tip());
}

int CMainFrame::SetMessageIn(int minutes, const char* message) {
  const int index = m_table.LastFreeSlot();
  if (index < 0) return -1;

  const std::tm due = m_ports.clock.LocalTime(m_ports.clock.Now() + minutes * 60LL + kHalfMinute);
  Reservation slot = OneOffAt(due, m_ports.location);
  slot.Action = ACTION_MESSAGE;
  slot.Drive = 1;
  cp932::CopyToField(slot.Message, message);
  slot.Erace = 1;
  m_table[index] = slot;
  m_ports.alerts.Beep();
  ResetWakeTimer();
  return index;
}

void CMainFrame::UpdateTimerTip() {
  if (m_pendingTimers.Update(m_table)) m_tray.SetTimerTip(m_pendingTimers.Tip());
}

void CMainFrame::OnSettings() {
  if (m_busy.IsOpen(IDD_SETTINGS)) return;
  // The slots are edited: the one snoozed may be another reservation after OK.
  m_snooze.Cancel();

  // The editor gets the reservations packed, in slot order.
  ReservationTable edited = m_table.Packed(DefaultReservation(m_ports.location));
  Options options = m_options;
  if (!m_settings.Edit(edited, options)) return;
  m_late.Renew(Renewed(m_table, edited), m_ports.clock.Now());
  m_table = std::move(edited);
  const bool wasWaking = m_options.wakeUp != 0;
  m_options = options;
  m_waking.OptionsChanged(wasWaking);
  // Written now, so that a crash later loses no edit. The edits stay in effect for this run
  // even when the file cannot take them.
  if (!SaveProfile()) m_profile.ReportFailure(texts::kProfileUnsaved, false);
  if (!m_options.wakeUp) m_waking.Cancel();
  ResetWakeTimer();
  UpdateTimerTip();
}

void CMainFrame::ReleaseDisplayWhenIdle() {
  if (!m_actions.IsPlaying()) m_waking.ReleaseDisplay();
}
