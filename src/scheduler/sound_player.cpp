#include "scheduler/sound_player.h"

#include <algorithm>
#include <cctype>

#include "platform/mci.h"
#include "texts.h"

namespace {

// One sound at a time, under one name.
constexpr char kAlias[] = "chimeday";
// From the start: a repeat begins where the file begins, not where it ended.
constexpr char kPlay[] = "play chimeday from 0 notify";
constexpr char kStop[] = "stop chimeday";
constexpr char kClose[] = "close chimeday";

}  // namespace

const char* SoundDeviceType(const std::string& file) {
  // A dot is no second byte of a code page 932 character, and a lowered second byte cannot
  // make a lead byte ASCII: the extension compares as ASCII.
  const std::size_t dot = file.rfind('.');
  std::string extension = dot == std::string::npos ? std::string() : file.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == "wav") return "waveaudio";
  if (extension == "mid" || extension == "midi" || extension == "rmi") return "sequencer";
  // The media player's device, which plays .mp3 and .wma and whatever else the system has a
  // decoder for.
  return "mpegvideo";
}

SoundPlayer::SoundPlayer(Mci& mci, SoundPlayerHost& host) : MciPlayback(mci, host), m_host(host) {}

int SoundPlayer::Play(const Reservation& slot) {
  if (IsPlaying()) Stop();
  m_file.assign(slot.FileName, std::find(slot.FileName, slot.FileName + kFileNameSize, '\0'));
  // Quoted: a path may hold blanks, and no file name holds a quote.
  const std::string open =
      "open \"" + m_file + "\" type " + SoundDeviceType(m_file) + " alias " + kAlias;
  if (!m_mci.SendString(open.c_str(), nullptr, 0, false)) {
    Report(texts::kSoundOpenFailed);
    return 0;
  }
  Opened(kAlias);
  if (!PlayNotified(kPlay)) {
    Stop();
    Report(texts::kSoundPlayFailed);
    return 0;
  }
  ShowPlaying(slot.Time);
  return 1;
}

void SoundPlayer::Report(const char* what) {
  m_host.ReportFailure(std::string(what) + "\n" + m_file);
}

void SoundPlayer::Stop() { StopDevice(kStop, kClose); }

void SoundPlayer::ReportRepeatFailure() { Report(texts::kSoundPlayFailed); }
