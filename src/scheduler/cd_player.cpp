#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/cp932.h"
#include "platform/drives.h"
#include "platform/mci.h"
#include "platform/tray_icon.h"
#include "resource.h"
#include "scheduler/main_frame.h"

namespace {

constexpr int kMaxTracks = 30;

template <std::size_t N>
void Compose(char (&command)[N], const char* prefix, char letter, const char* suffix) {
  std::snprintf(command, N, "%s%c%s", prefix, letter, suffix);
}

// A reply read as atoi would, but clamped to the int range instead of overflowing.
long long ReplyNumber(const char* reply) {
  return std::clamp<long long>(std::strtoll(reply, nullptr, 10), INT_MIN, INT_MAX);
}

}  // namespace

bool CMainFrame::PrepareCdCommands(int slotIndex) {
  const int drive = m_table[slotIndex].Drive;
  if (drive < 1 || drive > 26) return false;
  const char letter = kDriveLetters[drive - 1];
  const char root[] = {letter, ':', '\\', '\0'};
  if (m_ports.drives.DriveType(root) != kDriveCdRom) return false;

  CdCommandSet& set = m_cdCommands;
  Compose(set.open, "open ", letter, ": type CDAudio");
  Compose(set.trackCount, "status ", letter, ": number of tracks");
  Compose(set.timeFormat, "set ", letter, ": time format milliseconds");
  Compose(set.trackPosition, "status ", letter, ": position track ");
  Compose(set.trackLength, "status ", letter, ": length track ");
  Compose(set.play, "play ", letter, ": from ");
  Compose(set.stop, "stop ", letter, ":");
  Compose(set.close, "close ", letter, ":");
  return true;
}

int CMainFrame::PlayCd(int slotIndex) {
  const Reservation& slot = m_table[slotIndex];
  m_nCdTrack = slot.Track;
  if (!PrepareCdCommands(slotIndex)) {
    ReportError(IDS_CD_DRIVE_UNUSABLE);
    return 0;
  }
  // Whatever plays stops first; with nothing playing, the new drive is stopped and closed.
  if (!m_bCdPlaying) m_cdDevice = m_cdCommands;
  StopCd();
  m_cdDevice = m_cdCommands;

  if (m_ports.mci.SendString(m_cdDevice.open, nullptr, 0, false) != 0) {
    ReportError(IDS_CD_OPEN_FAILED);
    return 0;
  }
  m_bCdPlaying = 1;

  if (!Query(m_cdDevice.trackCount)) return CdFailed(IDS_CD_TRACKS_FAILED);
  const long long tracks = ReplyNumber(m_szMciReturn);
  if (static_cast<unsigned long long>(static_cast<unsigned>(m_nCdTrack)) >
          static_cast<unsigned long long>(tracks + 1) ||
      tracks >= kMaxTracks) {
    m_nCdTrack = 0;
  }
  if (!Query(m_cdDevice.timeFormat)) return CdFailed(IDS_CD_TIMEFORMAT_FAILED);

  const std::string track = std::to_string(m_nCdTrack);
  if (!Query((m_cdDevice.trackPosition + track).c_str())) {
    return CdFailed(IDS_CD_TRACKPOS_FAILED);
  }
  const long long start = ReplyNumber(m_szMciReturn);
  if (!Query((m_cdDevice.trackLength + track).c_str())) return CdFailed(IDS_CD_TRACKLEN_FAILED);
  const long long length = ReplyNumber(m_szMciReturn);

  // The range always goes behind the base, so ranges never pile up.
  cp932::CopyToField(m_szCdPlay, m_cdDevice.play + std::to_string(start) + " to " +
                                     std::to_string(start + length) + " notify");
  if (m_ports.mci.SendString(m_szCdPlay, nullptr, 0, true) != 0) {
    return CdFailed(IDS_CD_PLAY_FAILED);
  }

  m_nCdSecondsLeft = DurationSeconds(slot.Time);
  ShowTrayIcon(IDI_CD_PLAYING, "CD再生中です クリックで停止します");
  return 1;
}

bool CMainFrame::Query(const char* command) {
  m_szMciReturn[0] = '\0';
  return m_ports.mci.SendString(command, m_szMciReturn, sizeof m_szMciReturn, false) == 0;
}

int CMainFrame::CdFailed(unsigned id) {
  StopCd();
  ReportError(id);
  return 0;
}

void CMainFrame::StopCd() {
  m_ports.mci.SendString(m_cdDevice.stop, nullptr, 0, false);
  m_ports.mci.SendString(m_cdDevice.close, nullptr, 0, false);
  ShowTrayIcon(IDR_MAINFRAME, "鳴刻");
  m_bCdPlaying = 0;
}

void CMainFrame::OnMciNotify(unsigned code) {
  if (code != kMciNotifySuccessful || !m_bCdPlaying) return;
  if (m_ports.mci.SendString(m_szCdPlay, nullptr, 0, true) != 0) {
    StopCd();
    ReportError(IDS_CD_REPEAT_FAILED);
  }
}

void CMainFrame::TickCdCountdown() {
  if (m_nCdSecondsLeft == 0) return;
  --m_nCdSecondsLeft;
  if (m_nCdSecondsLeft <= 1) {
    StopCd();
    m_nCdSecondsLeft = 0;
  }
}

void CMainFrame::ShowTrayIcon(unsigned iconId, const char* tip) {
  m_nid.iconId = iconId;
  cp932::CopyToField(m_nid.tip, tip);
  m_ports.tray.Modify(m_nid.iconId, m_nid.tip);
}
