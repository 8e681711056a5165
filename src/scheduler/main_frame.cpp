#include "scheduler/main_frame.h"

#include "scheduler/ui_busy.h"

CMainFrame::CMainFrame(const FramePorts& ports)
    : m_ports(ports), m_profile(ports.profileStore, ports.location), m_table(ports.location) {}

void CMainFrame::LoadProfile() {
  const ProfileOptions options = m_profile.Load(m_table);
  g_nSlotCount = options.slotCount;
  m_bNoError = options.noError;
}

void CMainFrame::SaveProfile() {
  ProfileOptions options;
  options.slotCount = g_nSlotCount;
  options.noError = m_bNoError;
  m_profile.Save(options, m_table);
}

void CMainFrame::OnTimer(unsigned id) {
  if (id == kScheduleTimer) CheckSchedule();
}

bool CMainFrame::IsUiBusy() const {
  return m_bSettingsOpen != 0 || g_bAboutOpen != 0 || m_bErrorShowing != 0;
}
