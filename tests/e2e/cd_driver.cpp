// A CD audio driver for Wine's MCI, standing in a prefix's system.ini as "cdaudio": a drive
// with a disc whose tracks the test chooses, which writes what it was asked to a log.
//
// Read from the environment of the process that opens the device:
//   CHIMEDAY_CD_TRACKS    the disc's number of tracks; absent or 0: no disc, as an empty drive
//   CHIMEDAY_CD_TRACK_MS  each track's length in milliseconds (default 2000)
//   CHIMEDAY_CD_FAIL      "tracks" or "position": that query fails
//   CHIMEDAY_CD_LOG       the log file (a Windows path), one line a command
#include <windows.h>
#include <mmddk.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" BOOL WINAPI mciDriverNotify(HWND callback, MCIDEVICEID device, UINT status);

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

// The playback that runs in the background until its range has been played.
SRWLOCK g_playLock = SRWLOCK_INIT;
HANDLE g_playCancel = nullptr;  // set to end the current playback early
HANDLE g_playThread = nullptr;
UINT g_playEnd = MCI_NOTIFY_ABORTED;  // the code an early end notifies

std::wstring Environment(const wchar_t* name) {
  wchar_t value[512];
  const DWORD length = GetEnvironmentVariableW(name, value, 512);
  return length > 0 && length < 512 ? std::wstring(value, length) : std::wstring();
}

DWORD EnvironmentNumber(const wchar_t* name, DWORD fallback) {
  const std::wstring text = Environment(name);
  return text.empty() ? fallback : static_cast<DWORD>(std::wcstoul(text.c_str(), nullptr, 10));
}

void Log(const std::string& line) {
  const std::wstring path = Environment(L"CHIMEDAY_CD_LOG");
  if (path.empty()) return;
  const HANDLE file =
      CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

std::string Number(DWORD value) { return std::to_string(value); }

std::string Narrow(const wchar_t* text) {
  std::string narrow;
  for (; text != nullptr && *text != L'\0'; ++text) narrow += static_cast<char>(*text);
  return narrow;
}

struct Playback {
  HWND callback;
  DWORD ms;
  HANDLE cancel;
};

DWORD WINAPI Play(void* parameter) {
  const Playback playback = *static_cast<Playback*>(parameter);
  delete static_cast<Playback*>(parameter);
  const bool played = WaitForSingleObject(playback.cancel, playback.ms) == WAIT_TIMEOUT;
  AcquireSRWLockExclusive(&g_playLock);
  const UINT code = played ? MCI_NOTIFY_SUCCESSFUL : g_playEnd;
  ReleaseSRWLockExclusive(&g_playLock);
  if (playback.callback != nullptr) {
    Log(code == MCI_NOTIFY_SUCCESSFUL   ? "notify successful"
        : code == MCI_NOTIFY_SUPERSEDED ? "notify superseded"
                                        : "notify aborted");
    mciDriverNotify(playback.callback, g_device.id, code);
  }
  return 0;
}

// Ends the current playback, if any, with `code`, and waits until it has said so.
void EndPlayback(UINT code) {
  AcquireSRWLockExclusive(&g_playLock);
  g_playEnd = code;
  HANDLE thread = g_playThread;
  HANDLE cancel = g_playCancel;
  g_playThread = nullptr;
  g_playCancel = nullptr;
  ReleaseSRWLockExclusive(&g_playLock);
  if (thread == nullptr) return;
  SetEvent(cancel);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  CloseHandle(cancel);
}

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
  EndPlayback(MCI_NOTIFY_SUPERSEDED);
  if (to < from) return MCIERR_OUTOFRANGE;
  auto* playback = new Playback{notify ? reinterpret_cast<HWND>(parameters->dwCallback) : nullptr,
                                to - from, CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  AcquireSRWLockExclusive(&g_playLock);
  g_playCancel = playback->cancel;
  g_playThread = CreateThread(nullptr, 0, Play, playback, 0, nullptr);
  ReleaseSRWLockExclusive(&g_playLock);
  return 0;
}

LRESULT OnCommand(UINT message, DWORD flags, DWORD_PTR parameters) {
  switch (message) {
    case MCI_OPEN_DRIVER: {
      auto* open = reinterpret_cast<MCI_OPEN_PARMSW*>(parameters);
      g_device.timeFormat = MCI_FORMAT_MILLISECONDS;
      g_device.disc.tracks = EnvironmentNumber(L"CHIMEDAY_CD_TRACKS", 0);
      g_device.disc.trackMs = EnvironmentNumber(L"CHIMEDAY_CD_TRACK_MS", 2000);
      g_device.disc.failing = Environment(L"CHIMEDAY_CD_FAIL");
      Log("open " + Narrow((flags & MCI_OPEN_ELEMENT) != 0 && open != nullptr
                               ? open->lpstrElementName
                               : nullptr));
      return 0;
    }
    case MCI_CLOSE_DRIVER:
      EndPlayback(MCI_NOTIFY_ABORTED);
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
      EndPlayback(MCI_NOTIFY_ABORTED);
      return 0;
    default:
      Log("command " + Number(message) + " -> unsupported");
      return MCIERR_UNRECOGNIZED_COMMAND;
  }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    DriverProc(DWORD_PTR, HDRVR driver, UINT message, LPARAM first, LPARAM second) {
  switch (message) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_ENABLE:
    case DRV_DISABLE:
    case DRV_CLOSE:
    case DRV_QUERYCONFIGURE:
      return 1;
    case DRV_OPEN: {
      // The device's type, and the standard CD audio commands: no table of our own.
      auto* open = reinterpret_cast<MCI_OPEN_DRIVER_PARMS*>(second);
      if (open == nullptr) return 1;
      open->wCustomCommandTable = MCI_NO_COMMAND_TABLE;
      open->wType = MCI_DEVTYPE_CD_AUDIO;
      g_device.id = open->wDeviceID;
      return open->wDeviceID;
    }
    default:
      if (message >= DRV_MCI_FIRST && message <= DRV_MCI_LAST) {
        return OnCommand(message, static_cast<DWORD>(first), static_cast<DWORD_PTR>(second));
      }
      return DefDriverProc(0, driver, message, first, second);
  }
}
