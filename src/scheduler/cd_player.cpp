#include "scheduler/cd_player.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

#include "platform/drives.h"
#include "platform/mci.h"
#include "resource.h"
#include "text/cp932.h"
#include "texts.h"

namespace {

constexpr int kMaxTracks = 30;

template <std::size_t N>
void Compose(char (&command)[N], const char* prefix, char letter, const char* suffix) {
  cp932::CopyToField(command, std::string(prefix) + letter + suffix);
}

// A reply read as atoi would, but clamped to the int range instead of overflowing.
long long ReplyNumber(const char* reply) {
  return std::clamp<long long>(std::strtoll(reply, nullptr, 10), INT_MIN, INT_MAX);
}

}  // namespace

CdPlayer::CdPlayer(Mci& mci, Drives& drives, CdPlayerHost& host)
    : MciPlayback(mci, host), m_drives(drives), m_host(host) {}

bool CdPlayer::PrepareCdCommands(int drive) {
  if (drive < 1 || drive > kDriveCount) return false;
  const char letter = kDriveLetters[drive - 1];
  if (!m_drives.IsCdRom(letter)) return false;

  CommandSet& set = m_commands;
  Compose(set.name, "", letter, ":");
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

int CdPlayer::Play(const Reservation& slot) {
  m_nCdTrack = slot.Track;
  if (!PrepareCdCommands(slot.Drive)) {
    m_host.ReportError(IDS_CD_DRIVE_UNUSABLE);
    return 0;
  }
  // Whatever plays stops first; with nothing playing, the new drive is stopped and closed.
  if (!IsPlaying()) m_device = m_commands;
  Stop();
  m_device = m_commands;

  if (!m_mci.SendString(m_device.open, nullptr, 0, false)) {
    m_host.ReportError(IDS_CD_OPEN_FAILED);
    return 0;
  }
  Opened(m_device.name);

  if (!Query(m_device.trackCount)) return Failed(IDS_CD_TRACKS_FAILED);
  const long long tracks = ReplyNumber(m_szMciReturn);
  if (static_cast<unsigned long long>(static_cast<unsigned>(m_nCdTrack)) >
          static_cast<unsigned long long>(tracks + 1) ||
      tracks >= kMaxTracks) {
    m_nCdTrack = 0;
  }
  if (!Query(m_device.timeFormat)) return Failed(IDS_CD_TIMEFORMAT_FAILED);

  const std::string track = std::to_string(m_nCdTrack);
  if (!Query((m_device.trackPosition + track).c_str())) return Failed(IDS_CD_TRACKPOS_FAILED);
  const long long start = ReplyNumber(m_szMciReturn);
  if (!Query((m_device.trackLength + track).c_str())) return Failed(IDS_CD_TRACKLEN_FAILED);
  const long long length = ReplyNumber(m_szMciReturn);

  // The range always goes behind the base, so ranges never pile up.
  if (!PlayNotified(m_device.play + std::to_string(start) + " to " +
                    std::to_string(start + length) + " notify")) {
    return Failed(IDS_CD_PLAY_FAILED);
  }

  ShowPlaying(slot.Time, texts::kCdPlayingTip);
  return 1;
}

bool CdPlayer::Query(const char* command) {
  m_szMciReturn[0] = '\0';
  return m_mci.SendString(command, m_szMciReturn, sizeof m_szMciReturn, false);
}

int CdPlayer::Failed(unsigned id) {
  Stop();
  m_host.ReportError(id);
  return 0;
}

void CdPlayer::Stop() { StopDevice(m_device.stop, m_device.close); }

void CdPlayer::ReportRepeatFailure() { m_host.ReportError(IDS_CD_REPEAT_FAILED); }
