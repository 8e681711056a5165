#include "settings/reservation_dlg.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <optional>
#include <string>

#include "platform/drives.h"
#include "platform/executable_location.h"
#include "reservations/schedule_rule.h"
#include "resource.h"
#include "settings/duration_names.h"
#include "settings/message_limit.h"
#include "settings/repeat_intervals.h"
#include "text/cp932.h"
#include "text/number_text.h"
#include "texts.h"

namespace {

constexpr int kDaysInWeek = 7;
// Offered to a record that does not repeat: every hour to the end of the day.
constexpr int kDefaultRepeatInterval = 60;
constexpr int kDefaultRepeatUntilHour = 23;
constexpr int kDefaultRepeatUntilMinute = 59;

// The order in which delete-confirm mode disables every input.
constexpr int kInputs[] = {IDC_MONTHLY,
                           IDC_DAILY,
                           IDC_WEEKLY,
                           IDC_FULL_DATE,
                           IDC_SUNDAY,
                           IDC_SUNDAY + 1,
                           IDC_SUNDAY + 2,
                           IDC_SUNDAY + 3,
                           IDC_SUNDAY + 4,
                           IDC_SUNDAY + 5,
                           IDC_SATURDAY,
                           IDC_ERASE,
                           IDC_MONTH,
                           IDC_DAY,
                           IDC_HOUR,
                           IDC_MINUTE,
                           IDC_ACTION_CD,
                           IDC_ACTION_FILE,
                           IDC_ACTION_MESSAGE,
                           IDC_ACTION_OFF,
                           IDC_DRIVE,
                           IDC_TRACK,
                           IDC_FILE_NAME,
                           IDC_BROWSE,
                           IDC_COMMAND,
                           IDC_MESSAGE_TEXT,
                           IDC_DURATION,
                           IDC_ACTION_SOUND,
                           IDC_SOUND_FILE,
                           IDC_SOUND_BROWSE,
                           IDC_SKIP_HOLIDAY,
                           IDC_REPEAT,
                           IDC_REPEAT_INTERVAL,
                           IDC_REPEAT_UNTIL_HOUR,
                           IDC_REPEAT_UNTIL_MINUTE};

// Items first..last of a numbered list, two columns wide, filled with `fill`.
void AddNumbers(DialogControls& controls, int id, int first, int last, char fill) {
  for (int number = first; number <= last; ++number) {
    controls.AddComboItem(id, TwoColumnNumber(number, fill).c_str());
  }
}

}  // namespace

CReservationDlg::CReservationDlg(Drives& drives, ExecutableLocation& location)
    : m_drives(drives), m_location(location) {}

void CReservationDlg::SetReservation(const Reservation& record) {
  m_reservation.Month = record.Month;
  m_reservation.Day = record.Day;
  m_reservation.Week = record.Week;
  m_reservation.Hour = record.Hour;
  m_reservation.Minute = record.Minute;
  m_reservation.Action = record.Action;
  m_reservation.Drive = record.Drive;
  m_reservation.Track = record.Track;
  m_reservation.Time = record.Time;
  m_reservation.Erace = record.Erace;
  m_reservation.Weekdays = record.Weekdays;
  m_reservation.SkipHoliday = record.SkipHoliday;
  m_reservation.RepeatMinutes = record.RepeatMinutes;
  m_reservation.RepeatUntil = record.RepeatUntil;
  // Bounded copies: a string that fills its field without a terminator must not run on.
  cp932::CopyToField(m_reservation.Message, {record.Message, sizeof record.Message});
  cp932::CopyToField(m_reservation.FileName, {record.FileName, sizeof record.FileName});
  cp932::CopyToField(m_reservation.Command, {record.Command, sizeof record.Command});
}

void CReservationDlg::SetDeleteConfirm(bool deleteConfirm) { m_bDeleteConfirm = deleteConfirm; }

void CReservationDlg::FillComboLists() {
  DialogControls& controls = Controls();
  AddNumbers(controls, IDC_MONTH, 1, 12, ' ');
  AddNumbers(controls, IDC_DAY, 1, 31, ' ');
  AddNumbers(controls, IDC_HOUR, 0, 23, '0');
  AddNumbers(controls, IDC_MINUTE, 0, 59, '0');
  for (int drive = 0; drive < kDriveCount; ++drive) {
    const char item[] = {kDriveLetters[drive], '\0'};
    controls.AddComboItem(IDC_DRIVE, item);
  }
  AddNumbers(controls, IDC_TRACK, 1, 29, ' ');
  controls.AddComboItem(IDC_DURATION, texts::kAnyDuration);
  for (int index = 1; index < kDurationIndexCount; ++index) {
    controls.AddComboItem(IDC_DURATION, texts::kDurationNames[index]);
  }
  for (int minutes : kRepeatIntervals) {
    controls.AddComboItem(IDC_REPEAT_INTERVAL, RepeatIntervalName(minutes).c_str());
  }
  AddNumbers(controls, IDC_REPEAT_UNTIL_HOUR, 0, 23, '0');
  AddNumbers(controls, IDC_REPEAT_UNTIL_MINUTE, 0, 59, '0');
}

// An interval the list does not offer, from a hand-edited profile, shows no item and is
// kept while none is chosen.
void CReservationDlg::ShowRepeat() {
  DialogControls& controls = Controls();
  const std::optional<Repeat> repeat = RepeatOf(m_reservation);
  int interval = kDefaultRepeatInterval;
  int untilHour = kDefaultRepeatUntilHour;
  int untilMinute = kDefaultRepeatUntilMinute;
  if (repeat) {
    interval = repeat->every;
    untilHour = repeat->until / 60;
    untilMinute = repeat->until % 60;
    controls.CheckButton(IDC_REPEAT, true);
  }
  const int* found = std::find(std::begin(kRepeatIntervals), std::end(kRepeatIntervals), interval);
  controls.SetComboSelection(IDC_REPEAT_INTERVAL, found == std::end(kRepeatIntervals)
                                                      ? -1
                                                      : static_cast<int>(found - kRepeatIntervals));
  controls.SetComboSelection(IDC_REPEAT_UNTIL_HOUR, untilHour);
  controls.SetComboSelection(IDC_REPEAT_UNTIL_MINUTE, untilMinute);
}

bool CReservationDlg::OnInitDialog() {
  DialogControls& controls = Controls();
  const Reservation& record = m_reservation;
  FillComboLists();

  controls.SetComboSelection(IDC_MONTH, record.Month == 0 ? 0 : record.Month - 1);
  controls.SetComboSelection(IDC_DAY, record.Day == 0 ? 0 : record.Day - 1);
  controls.SetComboSelection(IDC_HOUR, record.Hour);
  controls.SetComboSelection(IDC_MINUTE, record.Minute);

  // A record that is not weekly offers Saturday.
  const int weekdays = WeekdaySet(record) != 0 ? WeekdaySet(record) : 1 << (kDaysInWeek - 1);
  for (int day = 0; day < kDaysInWeek; ++day) {
    if (weekdays >> day & 1) controls.CheckButton(IDC_SUNDAY + day, true);
  }
  if (record.Erace != 0) controls.CheckButton(IDC_ERASE, true);
  if (record.SkipHoliday != 0) controls.CheckButton(IDC_SKIP_HOLIDAY, true);
  ShowRepeat();

  switch (record.Action) {
    case ACTION_CD:
      controls.CheckButton(IDC_ACTION_CD, true);
      OnActionCd();
      break;
    case ACTION_FILE:
      controls.CheckButton(IDC_ACTION_FILE, true);
      OnActionFile();
      break;
    case ACTION_MESSAGE:
      controls.CheckButton(IDC_ACTION_MESSAGE, true);
      OnActionMessage();
      break;
    case ACTION_SOUND:
      controls.CheckButton(IDC_ACTION_SOUND, true);
      OnActionSound();
      break;
    default:
      controls.CheckButton(IDC_ACTION_OFF, true);
      OnActionOff();
      break;
  }

  controls.SetComboSelection(IDC_DRIVE, record.Drive - 1);
  controls.SetComboSelection(IDC_TRACK, record.Track - 1);
  controls.SetItemText(IDC_FILE_NAME, record.FileName);
  // The sound shares the file's field of the record; another action's file is no sound.
  if (record.Action == ACTION_SOUND) controls.SetItemText(IDC_SOUND_FILE, record.FileName);
  controls.SetItemText(IDC_COMMAND, record.Command);
  controls.LimitText(IDC_MESSAGE_TEXT, kMessageLimit);
  controls.SetItemText(IDC_MESSAGE_TEXT, record.Message);
  controls.SetComboSelection(IDC_DURATION, record.Time);

  if (record.Week != 0) {
    controls.CheckButton(IDC_WEEKLY, true);
    OnScheduleWeekly();
  } else if (record.Day == 0) {
    controls.CheckButton(IDC_DAILY, true);
    OnScheduleDaily();
  } else if (record.Month != 0) {
    controls.CheckButton(IDC_FULL_DATE, true);
    OnScheduleFullDate();
  } else {
    controls.CheckButton(IDC_MONTHLY, true);
    OnScheduleMonthly();
  }

  if (m_bDeleteConfirm) ShowDeleteConfirm();
  m_pathEdit.SubclassDlgItem(IDC_FILE_NAME, controls);
  m_soundEdit.SubclassDlgItem(IDC_SOUND_FILE, controls);
  CenterOnScreen();
  return true;
}

// The drive combo can be typed into: only a text of one drive letter names a drive.
bool CReservationDlg::DriveIsCdRom() {
  const std::string text = Controls().GetItemText(IDC_DRIVE);
  if (text.size() != 1) return false;
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return letter >= 'A' && letter <= 'Z' && m_drives.IsCdRom(letter);
}

void CReservationDlg::OnOK() {
  // The question on the form was the question; OK has answered it, and the caller does not
  // read the record.
  if (m_bDeleteConfirm) {
    DialogHandler::OnOK();
    return;
  }
  DialogControls& controls = Controls();
  Reservation record = m_reservation;

  int action = ACTION_OFF;
  if (controls.IsButtonChecked(IDC_ACTION_CD)) action = ACTION_CD;
  if (controls.IsButtonChecked(IDC_ACTION_FILE)) action = ACTION_FILE;
  if (controls.IsButtonChecked(IDC_ACTION_MESSAGE)) action = ACTION_MESSAGE;
  if (controls.IsButtonChecked(IDC_ACTION_SOUND)) action = ACTION_SOUND;

  // Refused before any question: a repeat whose end lies before its start never repeats.
  if (!StoreRepeat(record)) {
    controls.ShowWarning(texts::kRepeatEndsTooEarly, texts::kErrorCaption);
    return;
  }

  if (action == ACTION_CD && !DriveIsCdRom() &&
      !controls.AskYesNo(texts::kNotCdDriveQuestion, texts::kNotCdDriveCaption)) {
    return;
  }

  if (action == ACTION_OFF && controls.AskYesNo(texts::kDeleteQuestion, texts::kDeleteCaption)) {
    record.Month = SLOT_EMPTY;
  } else {
    // Daily and weekly reservations fire in every month: their month combo is hidden.
    record.Month =
        controls.IsButtonChecked(IDC_FULL_DATE) ? controls.ComboSelection(IDC_MONTH) + 1 : 0;
    if (controls.IsButtonChecked(IDC_MONTHLY)) controls.CheckButton(IDC_ERASE, false);
  }

  record.Day = controls.ComboSelection(IDC_DAY) + 1;
  if (controls.IsButtonChecked(IDC_DAILY)) {
    record.Day = 0;
    controls.CheckButton(IDC_ERASE, false);
  }

  if (controls.IsButtonChecked(IDC_WEEKLY)) {
    StoreWeekdays(record);
    controls.CheckButton(IDC_ERASE, false);
  } else {
    record.Week = 0;
    record.Weekdays = 0;
  }
  record.SkipHoliday = controls.IsButtonChecked(IDC_SKIP_HOLIDAY) ? 1 : 0;

  record.Erace = controls.IsButtonChecked(IDC_ERASE) ? 1 : 0;
  record.Hour = controls.ComboSelection(IDC_HOUR);
  record.Minute = controls.ComboSelection(IDC_MINUTE);
  record.Action = action;
  record.Drive = controls.ComboSelection(IDC_DRIVE) + 1;
  record.Track = controls.ComboSelection(IDC_TRACK) + 1;
  cp932::CopyToField(record.FileName,
                     controls.GetItemText(action == ACTION_SOUND ? IDC_SOUND_FILE : IDC_FILE_NAME));
  cp932::CopyToField(record.Command, controls.GetItemText(IDC_COMMAND));
  cp932::CopyToField(record.Message, controls.GetItemText(IDC_MESSAGE_TEXT));
  record.Time = controls.ComboSelection(IDC_DURATION);

  m_reservation = record;
  DialogHandler::OnOK();
}

// None checked keeps the loaded days; one day is Week's alone, as before there were sets.
void CReservationDlg::StoreWeekdays(Reservation& record) {
  int weekdays = 0;
  for (int day = 0; day < kDaysInWeek; ++day) {
    if (Controls().IsButtonChecked(IDC_SUNDAY + day)) weekdays |= 1 << day;
  }
  if (weekdays == 0) return;
  int first = 0;
  while ((weekdays >> first & 1) == 0) ++first;
  record.Week = first + 1;
  record.Weekdays = weekdays == 1 << first ? 0 : weekdays;
}

// False for a repeat that would never repeat; the record is then left as it was.
bool CReservationDlg::StoreRepeat(Reservation& record) {
  DialogControls& controls = Controls();
  if (controls.IsButtonChecked(IDC_FULL_DATE) || !controls.IsButtonChecked(IDC_REPEAT)) {
    record.RepeatMinutes = 0;
    record.RepeatUntil = 0;
    return true;
  }
  Reservation repeating = record;
  const int interval = controls.ComboSelection(IDC_REPEAT_INTERVAL);
  if (interval >= 0 && interval < static_cast<int>(std::size(kRepeatIntervals))) {
    repeating.RepeatMinutes = kRepeatIntervals[interval];
  }
  repeating.RepeatUntil = controls.ComboSelection(IDC_REPEAT_UNTIL_HOUR) * 100 +
                          controls.ComboSelection(IDC_REPEAT_UNTIL_MINUTE);
  repeating.Hour = controls.ComboSelection(IDC_HOUR);
  repeating.Minute = controls.ComboSelection(IDC_MINUTE);
  if (!RepeatOf(repeating)) return false;
  record.RepeatMinutes = repeating.RepeatMinutes;
  record.RepeatUntil = repeating.RepeatUntil;
  return true;
}

void CReservationDlg::OnCommand(int id) {
  switch (id) {
    case IDC_MONTHLY:
      OnScheduleMonthly();
      break;
    case IDC_DAILY:
      OnScheduleDaily();
      break;
    case IDC_WEEKLY:
      OnScheduleWeekly();
      break;
    case IDC_FULL_DATE:
      OnScheduleFullDate();
      break;
    case IDC_ACTION_CD:
      OnActionCd();
      break;
    case IDC_ACTION_FILE:
      OnActionFile();
      break;
    case IDC_ACTION_MESSAGE:
      OnActionMessage();
      break;
    case IDC_ACTION_OFF:
      OnActionOff();
      break;
    case IDC_ACTION_SOUND:
      OnActionSound();
      break;
    case IDC_BROWSE:
      OnBrowse();
      break;
    case IDC_SOUND_BROWSE:
      OnBrowseSound();
      break;
    case IDC_REPEAT:
      OnRepeat();
      break;
  }
}

void CReservationDlg::OnDropFiles(int editId, const ChosenFile& firstFile) {
  if (editId == IDC_FILE_NAME) m_pathEdit.OnDropFiles(firstFile);
  if (editId == IDC_SOUND_FILE) m_soundEdit.OnDropFiles(firstFile);
}

void CReservationDlg::ApplyScheduleMode(bool month, bool day, bool weekdays, bool erase,
                                        bool repeat) {
  DialogControls& controls = Controls();
  controls.EnableItem(IDC_MONTH, month);
  controls.ShowItem(IDC_MONTH, month);
  controls.ShowItem(IDC_MONTH_LABEL, month);
  controls.EnableItem(IDC_DAY, day);
  controls.ShowItem(IDC_DAY, day);
  controls.ShowItem(IDC_DAY_LABEL, day);
  EnableWeekdays(weekdays);
  controls.ShowItem(IDC_ERASE, erase);
  controls.EnableItem(IDC_REPEAT, repeat);
  EnableRepeatTimes(repeat);
}

void CReservationDlg::OnScheduleMonthly() { ApplyScheduleMode(false, true, false, false, true); }
void CReservationDlg::OnScheduleDaily() { ApplyScheduleMode(false, false, false, false, true); }
void CReservationDlg::OnScheduleWeekly() { ApplyScheduleMode(false, false, true, false, true); }
void CReservationDlg::OnScheduleFullDate() { ApplyScheduleMode(true, true, false, true, false); }

// Repeats are for what comes back each month, day or week, not for a full date.
void CReservationDlg::OnRepeat() { EnableRepeatTimes(!Controls().IsButtonChecked(IDC_FULL_DATE)); }

void CReservationDlg::EnableRepeatTimes(bool offered) {
  const bool enabled = offered && Controls().IsButtonChecked(IDC_REPEAT);
  for (int id : {IDC_REPEAT_INTERVAL, IDC_REPEAT_UNTIL_HOUR, IDC_REPEAT_UNTIL_MINUTE}) {
    Controls().EnableItem(id, enabled);
  }
}

void CReservationDlg::ApplyActionMode(bool cd, bool file, bool message, bool sound, bool duration) {
  DialogControls& controls = Controls();
  controls.EnableItem(IDC_DRIVE, cd);
  controls.EnableItem(IDC_TRACK, cd);
  controls.EnableItem(IDC_FILE_NAME, file);
  controls.EnableItem(IDC_BROWSE, file);
  controls.EnableItem(IDC_COMMAND, file);
  controls.EnableItem(IDC_MESSAGE_TEXT, message);
  controls.EnableItem(IDC_SOUND_FILE, sound);
  controls.EnableItem(IDC_SOUND_BROWSE, sound);
  controls.EnableItem(IDC_DURATION, duration);
}

void CReservationDlg::OnActionCd() { ApplyActionMode(true, false, false, false, true); }
void CReservationDlg::OnActionFile() { ApplyActionMode(false, true, false, false, false); }
void CReservationDlg::OnActionMessage() { ApplyActionMode(false, false, true, false, true); }
void CReservationDlg::OnActionOff() { ApplyActionMode(false, false, false, false, false); }
void CReservationDlg::OnActionSound() { ApplyActionMode(false, false, false, true, true); }

void CReservationDlg::Browse(CDropEdit& edit, const char* filter, const char* title) {
  const std::string directory = m_location.DirectoryCp932();
  ChosenFile file;
  if (Controls().ChooseFileToOpen(filter, title, directory.c_str(), &file)) edit.SetPath(file);
}

void CReservationDlg::OnBrowse() { Browse(m_pathEdit, texts::kBrowseFilter, texts::kBrowseTitle); }

void CReservationDlg::OnBrowseSound() {
  Browse(m_soundEdit, texts::kSoundBrowseFilter, texts::kSoundBrowseTitle);
}

void CReservationDlg::EnableWeekdays(bool enabled) {
  for (int id = IDC_SUNDAY; id <= IDC_SATURDAY; ++id) Controls().EnableItem(id, enabled);
}

void CReservationDlg::ShowDeleteConfirm() {
  for (int id : kInputs) Controls().EnableItem(id, false);
  Controls().ShowItem(IDC_DELETE_QUESTION, true);
}
