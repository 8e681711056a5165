// What a user waits for, measured in one Windows process under Wine: the profile file loaded
// and saved whole by the program, against the per-key profile API reading and writing the same
// keys in the same order; and the settings dialog opening on 32 and on 4096 reservations,
// through the real window layer.   win_bench FOLDER   (a folder for the profile files, as a
// Windows path)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "reservations/profile.h"
#include "resource.h"
#include "settings/settings_dlg.h"
#include "text/cp932.h"
#include "win32/clock.h"
#include "win32/dialog_host.h"
#include "win32/drives.h"
#include "win32/frame_window.h"
#include "win32/handles.h"
#include "win32/module.h"
#include "win32/profile_file.h"
#include "win32/run_key.h"
#include "win32/text.h"
#include "win32/text_codec.h"

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int kSmallTable = kDefaultSlotCount;
constexpr int kLargeTable = 256;
constexpr int kFullTable = 4096;  // the most slots the profile may ask for

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Every slot in use, the three actions in turn, with texts as long as their fields allow.
void FillReservations(ReservationTable& table, int slots) {
  table.ResetSlots(slots);
  std::string message;
  while (message.size() + 2 < kMessageSize - 1) message += "鳴";
  for (int i = 0; i < slots; ++i) {
    Reservation& slot = table[i];
    slot.Month = 1 + i % 12;
    slot.Day = 1 + i % 28;
    slot.Week = 0;
    slot.Hour = i % 24;
    slot.Minute = i % 60;
    slot.Action = ACTION_CD + i % 3;
    slot.Drive = 5;
    slot.Track = 1 + i % 29;
    slot.Time = i % kDurationIndexCount;
    slot.Erace = i % 2;
    cp932::CopyToField(slot.Message, message);
    cp932::CopyToField(slot.FileName,
                       "C:\\Program Files\\予定\\毎朝の仕事をまとめて片付けるバッチ.bat");
    cp932::CopyToField(slot.Command, "open");
  }
}

// Runs `round` until half a second has gone, at least once; answers the median round's time,
// which other work on the machine disturbs less than the mean.
template <typename Round>
double MillisecondsPerRound(Round round) {
  std::vector<double> rounds;
  const auto start = Clock::now();
  do {
    const auto roundStart = Clock::now();
    round();
    rounds.push_back(Milliseconds(Clock::now() - roundStart).count());
  } while (Clock::now() - start < std::chrono::milliseconds(500));
  return Median(rounds);
}

// The keys of one slot, in the order in which the profile logic reads and writes them.
constexpr const char* kSlotKeys[] = {"Month",   "Day",      "Week",   "Hour", "Minute",
                                     "Action",  "Drive",    "Track",  "Time", "Erace",
                                     "Message", "FileName", "Command"};

// Reads every key as the program's load does, then writes every value back as its save does,
// each through its own call of the profile API. `change` makes every written value differ from
// the file's, as after editing every slot; Wine skips a write that changes nothing.
void PerKeyLoadAndSave(const std::string& path, int slots, bool change) {
  char value[kFileNameSize];
  std::vector<std::string> values;
  const char* file = path.c_str();
  // Every key is in the file: no default is ever taken.
  GetPrivateProfileStringA("OPTION", "ArrayStock", "", value, sizeof value, file);
  values.emplace_back(value);
  GetPrivateProfileStringA("OPTION", "NoError", "", value, sizeof value, file);
  values.emplace_back(value);
  for (int i = 0; i < slots; ++i) {
    const std::string section = "DATA" + std::to_string(i);
    for (const char* key : kSlotKeys) {
      GetPrivateProfileStringA(section.c_str(), key, "", value, sizeof value, file);
      values.emplace_back(value);
    }
  }
  // A value that alternates between two spellings from one round to the next.
  const auto written = [change](std::string text) {
    if (!change) return text;
    return text.empty() || text.back() != '!' ? text + "!" : text.substr(0, text.size() - 1);
  };
  std::size_t next = 0;
  WritePrivateProfileStringA("OPTION", "ArrayStock", values[next++].c_str(), file);
  WritePrivateProfileStringA("OPTION", "NoError", values[next++].c_str(), file);
  for (int i = 0; i < slots; ++i) {
    const std::string section = "DATA" + std::to_string(i);
    for (const char* key : kSlotKeys) {
      WritePrivateProfileStringA(section.c_str(), key, written(values[next++]).c_str(), file);
    }
  }
}

struct ProfileFigures {
  unsigned long long bytes;
  double program;    // ms of LoadProfile + SaveProfile
  double unchanged;  // ms of the per-key API writing back what it read
  double changed;    // ms of the per-key API writing a new value into every key
};

// `perKey`: the per-key API too, which takes minutes at the full table.
ProfileFigures BenchProfile(const std::wstring& folder, int slots, bool perKey) {
  win32::Win32Location location;
  const std::wstring programFile = folder + L"program-" + std::to_wstring(slots) + L".ini";
  const std::wstring apiFile = folder + L"api-" + std::to_wstring(slots) + L".ini";
  win32::Win32ProfileFile store(programFile);
  win32::Win32TextCodec codec;
  Profile profile(store, location, codec);
  ReservationTable table;
  FillReservations(table, slots);
  ProfileValues values;
  values.slotCount = slots;
  WIN32_FILE_ATTRIBUTE_DATA file{};
  if (!profile.Save(values, table) || !CopyFileW(programFile.c_str(), apiFile.c_str(), FALSE) ||
      !GetFileAttributesExW(programFile.c_str(), GetFileExInfoStandard, &file)) {
    std::printf("cannot write the profile files in the folder given\n");
    std::exit(1);
  }

  ProfileFigures figures{};
  figures.bytes = (static_cast<unsigned long long>(file.nFileSizeHigh) << 32) | file.nFileSizeLow;
  // What the frame's LoadProfile and SaveProfile do, without the retries of a failed read.
  figures.program = MillisecondsPerRound([&] {
    const std::optional<ProfileValues> loaded = profile.Load(table);
    if (!loaded || !profile.Save(*loaded, table)) std::exit(1);
  });
  if (perKey) {
    const std::string apiPath = win32::WideToCp932(apiFile, win32::BestFit::kUsed);
    figures.unchanged = MillisecondsPerRound([&] { PerKeyLoadAndSave(apiPath, slots, false); });
    figures.changed = MillisecondsPerRound([&] { PerKeyLoadAndSave(apiPath, slots, true); });
  }
  return figures;
}

void PrintProfileFigures(const ProfileFigures& small, const ProfileFigures& large,
                         const ProfileFigures& full) {
  std::printf("%-40s %9d slots %9d slots %9d slots\n", "profile load + save under Wine (median)",
              kSmallTable, kLargeTable, kFullTable);
  std::printf("%-40s %9llu B     %9llu B     %9llu B\n", "  file size", small.bytes, large.bytes,
              full.bytes);
  std::printf("%-40s %9.2f ms    %9.2f ms    %9.2f ms\n",
              "  LoadProfile + SaveProfile (whole file)", small.program, large.program,
              full.program);
  const auto perKey = [&](const char* label, double ProfileFigures::*figure) {
    std::printf("%-40s %9.2f ms    %9.2f ms    %9s\n", label, small.*figure, large.*figure,
                "(minutes)");
    std::printf("%-40s %9.1f x     %9.1f x\n", "    times the whole file's",
                small.*figure / small.program, large.*figure / large.program);
  };
  perKey("  per-key profile API, values unchanged", &ProfileFigures::unchanged);
  perKey("  per-key profile API, every value new", &ProfileFigures::changed);
}

HWND g_dialogWindow = nullptr;
Clock::time_point g_shown;

// The settings dialog, timing its OnInitDialog.
class TimedSettingsDlg : public CSettingsDlg {
 public:
  using CSettingsDlg::CSettingsDlg;

  bool OnInitDialog() override {
    const auto start = Clock::now();
    const bool result = CSettingsDlg::OnInitDialog();
    initDialog = Clock::now() - start;
    g_dialogWindow = win32::ToHwnd(Controls().Handle());
    return result;
  }

  Milliseconds initDialog{};
};

// A thread timer's message comes after every paint of the new dialog: by then it is shown.
// Cancel then ends it as the button would.
void CALLBACK EndWhenShown(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  g_shown = Clock::now();
  PostMessageW(g_dialogWindow, WM_COMMAND, IDCANCEL, 0);
}

struct DialogFigures {
  double shown;       // ms from the modal run's start to the dialog on the screen
  double initDialog;  // ms of it in OnInitDialog
};

DialogFigures BenchSettingsDialog(int slots) {
  win32::FrameWindow noOwner;
  win32::Win32DialogHost dialogs(noOwner);
  win32::Win32Clock clock;
  win32::Win32Drives drives;
  win32::Win32Location location;
  win32::Win32RunKey runKey;
  std::vector<double> opened;
  std::vector<double> initDialog;
  for (int round = 0; round < 3; ++round) {
    ReservationTable table;
    FillReservations(table, slots);
    TimedSettingsDlg dialog(SettingsPorts{dialogs, clock, drives, location, runKey}, table,
                            Options{});
    SetTimer(nullptr, 0, 0, EndWhenShown);
    const auto start = Clock::now();
    if (dialogs.RunModal(IDD_SETTINGS, dialog) != DialogResult::kCancel ||
        dialog.m_nRows != static_cast<unsigned>(slots)) {
      std::printf("the settings dialog did not list %d rows and end by Cancel\n", slots);
      std::exit(1);
    }
    opened.push_back(Milliseconds(g_shown - start).count());
    initDialog.push_back(dialog.initDialog.count());
  }
  return {Median(opened), Median(initDialog)};
}

void PrintDialogFigures(const DialogFigures& small, const DialogFigures& full) {
  std::printf("%-40s %9d rows  %9d rows\n", "settings dialog under Wine (median of 3)", kSmallTable,
              kFullTable);
  std::printf("%-40s %9.0f ms    %9.0f ms\n", "  shown", small.shown, full.shown);
  std::printf("%-40s %9.0f ms    %9.0f ms\n", "  of it in OnInitDialog", small.initDialog,
              full.initDialog);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::printf("usage: win_bench FOLDER\n");
    return 2;
  }
  std::wstring folder = argv[1];
  if (folder.back() != L'\\') folder += L'\\';
  const ProfileFigures small = BenchProfile(folder, kSmallTable, true);
  const ProfileFigures large = BenchProfile(folder, kLargeTable, true);
  const ProfileFigures full = BenchProfile(folder, kFullTable, false);
  PrintProfileFigures(small, large, full);
  const DialogFigures smallDialog = BenchSettingsDialog(kSmallTable);
  const DialogFigures fullDialog = BenchSettingsDialog(kFullTable);
  PrintDialogFigures(smallDialog, fullDialog);
  return 0;
}
