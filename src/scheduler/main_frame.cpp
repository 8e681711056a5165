#include "scheduler/main_frame.h"

#include <optional>
#include <string>

#include "platform/alerts.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/foreground.h"
#include "platform/popup_menu.h"
#include "platform/power.h"
#include "platform/profile_store.h"
#include "platform/tray_icon.h"
#include "platform/window_timers.h"
#include "resource.h"
#include "scheduler/ui_busy.h"

namespace {

constexpr unsigned kSchedulePeriodMs = 200;
constexpr unsigned kCountdownPeriodMs = 1000;
// A sync tool, an editor or a virus scanner may hold the profile for a moment.
constexpr int kProfileReadAttempts = 20;
constexpr unsigned kProfileReadPauseMs = 100;

}  // namespace

CMainFrame::CMainFrame(const FramePorts& ports)
    : m_ports(ports),
      m_profile(ports.profileStore, ports.location, ports.textCodec),
      m_table(ports.location) {}

int CMainFrame::OnCreate() {
  m_nid.iconId = IDR_MAINFRAME;
  cp932::CopyToField(m_nid.tip, "鳴刻");
  m_ports.tray.Add(m_nid.iconId, m_nid.tip);
  if (!LoadProfile()) {
    // Gone before the box, so that no click on it can open the settings meanwhile.
    m_ports.tray.Delete();
    ReportProfileFailure("設定ファイルを読み込めませんでした。");
    return -1;
  }
  m_bFired = 0;
  m_nLastMinute = 60;
  m_bCdPlaying = 0;
  m_bSettingsOpen = 0;
  g_bAboutOpen = 0;
  m_bErrorShowing = 0;
  g_hFrontDialog = nullptr;
  m_nCdSecondsLeft = 0;
  StartTimers();
  // Refusing the suspend broadcasts is not enough on systems that no longer send them.
  m_ports.power.KeepSystemAwake();
  return 0;
}

void CMainFrame::OnTrayNotify(unsigned mouseMessage) {
  if (mouseMessage != kMouseLeftDown && mouseMessage != kMouseRightDown) return;
  if (m_bCdPlaying) StopCd();
  if (IsUiBusy()) {
    if (g_hFrontDialog != nullptr) m_ports.foreground.BringForward(g_hFrontDialog);
    return;
  }
  int index = m_table.Size() - 1;
  while (index >= 0 && m_table[index].Month != SLOT_EMPTY) --index;
  m_ports.menu.TrackAtCursor(index >= 0 ? kTrayPopup : kTrayPopupFull);
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

void CMainFrame::OnClose() { Shutdown(); }

bool CMainFrame::OnQueryEndSession() {
  Shutdown();
  return true;
}

void CMainFrame::OnEndSession(bool ending) {
  if (ending) return;
  // Another program refused the end of the session: come back, or nobody could reach us.
  m_ports.tray.Add(m_nid.iconId, m_nid.tip);
  StartTimers();
}

void CMainFrame::OnTaskbarCreated() { m_ports.tray.Add(m_nid.iconId, m_nid.tip); }

void CMainFrame::Shutdown() {
  m_ports.timers.StopTimer(kScheduleTimer);
  m_ports.timers.StopTimer(kCdCountdownTimer);
  if (m_bCdPlaying) StopCd();
  SaveProfile();
  m_ports.tray.Delete();
}

void CMainFrame::StartTimers() {
  m_ports.timers.StartTimer(kScheduleTimer, kSchedulePeriodMs);
  m_ports.timers.StartTimer(kCdCountdownTimer, kCountdownPeriodMs);
}

bool CMainFrame::LoadProfile() {
  std::optional<ProfileOptions> options = m_profile.Load(m_table);
  for (int attempt = 1; !options; ++attempt) {
    if (attempt == kProfileReadAttempts) return false;
    m_ports.clock.Sleep(kProfileReadPauseMs);
    options = m_profile.Load(m_table);
  }
  g_nSlotCount = options->slotCount;
  m_bNoError = options->noError;
  return true;
}

bool CMainFrame::SaveProfile() {
  ProfileOptions options;
  options.slotCount = g_nSlotCount;
  options.noError = m_bNoError;
  return m_profile.Save(options, m_table);
}

void CMainFrame::ReportProfileFailure(const char* what) {
  const std::string text = std::string(what) + "\n" + m_ports.profileStore.Path();
  ++m_bErrorShowing;
  m_ports.alerts.ShowMessageBox(text.c_str(), "鳴刻エラー", kBoxOk | kBoxIconExclamation);
  --m_bErrorShowing;
}

void CMainFrame::OnTimer(unsigned id) {
  if (id == kScheduleTimer) CheckSchedule();
  if (id == kCdCountdownTimer) TickCdCountdown();
}

bool CMainFrame::IsUiBusy() const {
  return m_bSettingsOpen != 0 || g_bAboutOpen != 0 || m_bErrorShowing != 0;
}
