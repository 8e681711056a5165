#include "scheduler/mci_playback.h"

#include <string>

#include "platform/mci.h"
#include "resource.h"
#include "text/cp932.h"
#include "texts.h"

MciPlayback::MciPlayback(Mci& mci, PlaybackHost& host) : m_mci(mci), m_host(host) {}

void MciPlayback::Opened(const char* name) {
  m_deviceId = m_mci.DeviceId(name);
  m_bCdPlaying = true;
  m_host.OnDeviceOpened(*this);
}

bool MciPlayback::PlayNotified(const std::string& command) {
  cp932::CopyToField(m_playCommand, command);
  return m_mci.SendString(m_playCommand, nullptr, 0, true);
}

void MciPlayback::ShowPlaying(DurationIndex time, const char* tip) {
  m_nCdSecondsLeft = DurationSeconds(time);
  m_host.ShowTrayIcon(IDI_CD_PLAYING, tip);
}

void MciPlayback::StopDevice(const char* stop, const char* close) {
  m_mci.SendString(stop, nullptr, 0, false);
  m_mci.SendString(close, nullptr, 0, false);
  // Nothing of ours was playing: the icon may be the other player's.
  if (m_bCdPlaying) m_host.ShowTrayIcon(IDR_MAINFRAME, texts::kTrayTip);
  m_bCdPlaying = false;
}

void MciPlayback::OnNotify(bool successful, unsigned device) {
  // A device whose id could not be learnt is taken at its word, as before ids were asked.
  if (!successful || !m_bCdPlaying || (m_deviceId != 0 && device != m_deviceId)) return;
  if (!m_mci.SendString(m_playCommand, nullptr, 0, true)) {
    Stop();
    ReportRepeatFailure();
  }
}

void MciPlayback::TickCountdown() {
  if (m_nCdSecondsLeft == 0) return;
  --m_nCdSecondsLeft;
  if (m_nCdSecondsLeft <= 1) {
    Stop();
    m_nCdSecondsLeft = 0;
  }
}

void MciPlayback::Halt() {
  if (m_bCdPlaying) Stop();
  m_nCdSecondsLeft = 0;
}
