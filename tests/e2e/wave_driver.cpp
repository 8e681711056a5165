// A waveform audio driver for Wine's MCI, standing in a prefix's system.ini as "waveaudio":
// every file that exists plays for the same time, and what it was asked goes to a log.
//
// Read from the environment of the process that opens the device:
//   CHIMEDAY_SOUND_MS   each file's length in milliseconds (default 2000)
//   CHIMEDAY_SOUND_LOG  the log file (a Windows path), one line a command
#include <string>

#include "mci_driver.h"

using driver::Log;
using driver::Number;

namespace {

// One file open at a time, as the program plays one sound.
struct Device {
  MCIDEVICEID id = 0;
  DWORD lengthMs = 2000;
};

Device g_device;

LRESULT OnOpen(DWORD flags, MCI_OPEN_PARMSW* open) {
  const wchar_t* file =
      (flags & MCI_OPEN_ELEMENT) != 0 && open != nullptr ? open->lpstrElementName : nullptr;
  const std::string asked = "open " + driver::Narrow(file);
  // As a real driver would: a file that is not there cannot be played.
  if (file == nullptr || GetFileAttributesW(file) == INVALID_FILE_ATTRIBUTES) {
    Log(asked + " -> no such file");
    return MCIERR_FILE_NOT_FOUND;
  }
  g_device.lengthMs = driver::EnvironmentNumber(L"CHIMEDAY_SOUND_MS", 2000);
  Log(asked);
  return 0;
}

LRESULT OnPlay(DWORD flags, MCI_PLAY_PARMS* parameters) {
  const DWORD from = (flags & MCI_FROM) != 0 ? parameters->dwFrom : 0;
  const DWORD to = (flags & MCI_TO) != 0 ? parameters->dwTo : g_device.lengthMs;
  const bool notify = (flags & MCI_NOTIFY) != 0;
  Log("play" + ((flags & MCI_FROM) != 0 ? " from " + Number(from) : std::string()) +
      ((flags & MCI_TO) != 0 ? " to " + Number(to) : std::string()) + (notify ? " notify" : ""));
  driver::EndPlayback(MCI_NOTIFY_SUPERSEDED);
  if (to < from || to > g_device.lengthMs) return MCIERR_OUTOFRANGE;
  driver::StartPlayback(notify ? reinterpret_cast<HWND>(parameters->dwCallback) : nullptr,
                        g_device.id, to - from);
  return 0;
}

LRESULT OnCommand(UINT message, DWORD flags, DWORD_PTR parameters) {
  switch (message) {
    case MCI_OPEN_DRIVER:
      return OnOpen(flags, reinterpret_cast<MCI_OPEN_PARMSW*>(parameters));
    case MCI_CLOSE_DRIVER:
      driver::EndPlayback(MCI_NOTIFY_ABORTED);
      Log("close");
      return 0;
    case MCI_PLAY:
      return OnPlay(flags, reinterpret_cast<MCI_PLAY_PARMS*>(parameters));
    case MCI_STOP:
      Log("stop");
      driver::EndPlayback(MCI_NOTIFY_ABORTED);
      return 0;
    default:
      Log("command " + Number(message) + " -> unsupported");
      return MCIERR_UNRECOGNIZED_COMMAND;
  }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    DriverProc(DWORD_PTR, HDRVR driver, UINT message, LPARAM first, LPARAM second) {
  return driver::DriverEntry(driver, message, first, second, MCI_DEVTYPE_WAVEFORM_AUDIO,
                             g_device.id, OnCommand);
}
