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
  const std::string file(slot.FileName,
                         std::find(slot.FileName, slot.FileName + kFileNameSize, '\0'));
  // The name goes between quotes, as a path may hold blanks. No file name holds a quote, and
  // one would end the name early and make the rest words of the command. 0x22 is no second
  // byte of a code page 932 character.
  if (file.find('"') != std::string::npos) {
    Report(texts::kSoundOpenFailed, file);
    return 0;
  }
  if (IsPlaying()) Stop();
  m_file = file;
  const std::string open =
      "open \"" + m_file + "\" type " + SoundDeviceType(m_file) + " alias " + kAlias;
  if (!m_mci.SendString(open.c_str(), nullptr, 0, false)) {
    Report(texts::kSoundOpenFailed, m_file);
    return 0;
  }
  Opened(kAlias);
  if (!PlayNotified(kPlay)) {
    Stop();
    Report(texts::kSoundPlayFailed, m_file);
    return 0;
  }
  ShowPlaying(slot.Time, texts::kSoundPlayingTip);
  return 1;
}

void SoundPlayer::Report(const char* what, const std::string& file) {
  m_host.ReportFailure(std::string(what) + "\n" + file);
}

void SoundPlayer::Stop() { StopDevice(kStop, kClose); }

void SoundPlayer::ReportRepeatFailure() { Report(texts::kSoundPlayFailed, m_file); }
