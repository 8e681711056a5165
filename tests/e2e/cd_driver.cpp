// A CD audio driver for Wine's MCI, standing in a prefix's system.ini as "cdaudio": a drive
// with a disc whose tracks the test chooses, which writes what it was asked to a log.
//
// Read from the environment of the process that opens the device:
//   CHIMEDAY_CD_TRACKS    the disc's number of tracks; absent or 0: no disc, as an empty drive
//   CHIMEDAY_CD_TRACK_MS  each track's length in milliseconds (default 2000)
//   CHIMEDAY_CD_FAIL      "tracks" or "position": that query fails
//   CHIMEDAY_CD_LOG       the log file (a Windows path), one line a command
#include <string>

#include "mci_driver.h"

using driver::Log;
using driver::Number;

namespace {

constexpr DWORD kLeadInMs = 2000;  // a disc's first track starts behind its lead-in

struct Disc {
  DWORD tracks = 0;
  DWORD trackMs = 2000;
  std::wstring failing;
};

// One device open at a time, as the program opens one drive.
struct Device {
  MCIDEVICEID id = 0;
  DWORD timeFormat = MCI_FORMAT_MILLISECONDS;
  Disc disc;
};

Device g_device;

DWORD TrackStart(DWORD track) { return kLeadInMs + (track - 1) * g_device.disc.trackMs; }

LRESULT OnStatus(DWORD flags, MCI_STATUS_PARMS* parameters) {
  if ((flags & MCI_STATUS_ITEM) == 0) return MCIERR_MISSING_PARAMETER;
  const Disc& disc = g_device.disc;
  const bool hasTrack = (flags & MCI_TRACK) != 0;
  const DWORD track = hasTrack ? parameters->dwTrack : 0;
  std::string asked;
  std::wstring failing;
  switch (parameters->dwItem) {
    case MCI_STATUS_NUMBER_OF_TRACKS:
      asked = "status number of tracks";
      failing = L"tracks";
      break;
    case MCI_STATUS_POSITION:
      asked = "status position" + (hasTrack ? " track " + Number(track) : std::string());
      failing = L"position";
      break;
    case MCI_STATUS_LENGTH:
      asked = "status length" + (hasTrack ? " track " + Number(track) : std::string());
      failing = L"length";
      break;
    default:
      Log("status item " + Number(static_cast<DWORD>(parameters->dwItem)) + " -> unsupported");
      return MCIERR_UNSUPPORTED_FUNCTION;
  }
  if (disc.tracks == 0) {
    Log(asked + " -> no disc");
    return MCIERR_HARDWARE;
  }
  if (disc.failing == failing) {
    Log(asked + " -> fails");
    return MCIERR_HARDWARE;
  }
  if (parameters->dwItem == MCI_STATUS_NUMBER_OF_TRACKS) {
    parameters->dwReturn = disc.tracks;
  } else if (!hasTrack || track < 1 || track > disc.tracks) {
    Log(asked + " -> out of range");
    return MCIERR_OUTOFRANGE;
  } else if (g_device.timeFormat != MCI_FORMAT_MILLISECONDS) {
    Log(asked + " -> not in milliseconds");
    return MCIERR_BAD_TIME_FORMAT;
  } else {
    parameters->dwReturn =
        parameters->dwItem == MCI_STATUS_POSITION ? TrackStart(track) : disc.trackMs;
  }
  Log(asked + " -> " + Number(static_cast<DWORD>(parameters->dwReturn)));
  return 0;
}

LRESULT OnPlay(DWORD flags, MCI_PLAY_PARMS* parameters) {
  const DWORD from = (flags & MCI_FROM) != 0 ? parameters->dwFrom : 0;
  const DWORD to = (flags & MCI_TO) != 0 ? parameters->dwTo : from;
  const bool notify = (flags & MCI_NOTIFY) != 0;
  Log("play" + ((flags & MCI_FROM) != 0 ? " from " + Number(from) : std::string()) +
      ((flags & MCI_TO) != 0 ? " to " + Number(to) : std::string()) + (notify ? " notify" : ""));
  driver::EndPlayback(MCI_NOTIFY_SUPERSEDED);
  if (to < from) return MCIERR_OUTOFRANGE;
  driver::StartPlayback(notify ? reinterpret_cast<HWND>(parameters->dwCallback) : nullptr,
                        g_device.id, to - from);
  return 0;
}

LRESULT OnCommand(UINT message, DWORD flags, DWORD_PTR parameters) {
  switch (message) {
    case MCI_OPEN_DRIVER: {
      auto* open = reinterpret_cast<MCI_OPEN_PARMSW*>(parameters);
      g_device.timeFormat = MCI_FORMAT_MILLISECONDS;
      g_device.disc.tracks = driver::EnvironmentNumber(L"CHIMEDAY_CD_TRACKS", 0);
      g_device.disc.trackMs = driver::EnvironmentNumber(L"CHIMEDAY_CD_TRACK_MS", 2000);
      g_device.disc.failing = driver::Environment(L"CHIMEDAY_CD_FAIL");
      Log("open " + driver::Narrow((flags & MCI_OPEN_ELEMENT) != 0 && open != nullptr
                                       ? open->lpstrElementName
                                       : nullptr));
      return 0;
    }
    case MCI_CLOSE_DRIVER:
      driver::EndPlayback(MCI_NOTIFY_ABORTED);
      Log("close");
      return 0;
    case MCI_SET: {
      auto* set = reinterpret_cast<MCI_SET_PARMS*>(parameters);
      if ((flags & MCI_SET_TIME_FORMAT) == 0) {
        Log("set -> unsupported");
        return MCIERR_UNSUPPORTED_FUNCTION;
      }
      g_device.timeFormat = set->dwTimeFormat;
      Log(set->dwTimeFormat == MCI_FORMAT_MILLISECONDS
              ? std::string("set time format milliseconds")
              : "set time format " + Number(set->dwTimeFormat));
      return 0;
    }
    case MCI_STATUS:
      return OnStatus(flags, reinterpret_cast<MCI_STATUS_PARMS*>(parameters));
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
  return driver::DriverEntry(driver, message, first, second, MCI_DEVTYPE_CD_AUDIO, g_device.id,
                             OnCommand);
}
