#include "settings/settings_dlg.h"

#include <ctime>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/drives.h"
#include "platform/executable_location.h"
#include "platform/run_key.h"
#include "reservations/schedule_rule.h"
#include "resource.h"
#include "settings/days_off_dlg.h"
#include "settings/duration_names.h"
#include "settings/repeat_intervals.h"
#include "settings/reservation_dlg.h"
#include "text/cp932.h"
#include "text/number_text.h"
#include "texts.h"

namespace {

constexpr int kDefaultCdDrive = 5;  // E, when no drive answers as a CD-ROM drive

// The options shown as check boxes, checked when nonzero.
struct OptionBox {
  int Options::*field;
  int id;
};
constexpr OptionBox kOptionBoxes[] = {
    {&Options::noError, IDC_NO_ERROR},
    {&Options::wakeUp, IDC_WAKE},
};

constexpr int kMondayToFriday = 0x3e;
constexpr int kSaturdayAndSunday = 0x41;

// "毎週月・水・金曜日"; a Week outside 1..7 names no day.
std::string WeekdaysText(int weekdays) {
  if (weekdays == kMondayToFriday) return texts::kMondayToFriday;
  if (weekdays == kSaturdayAndSunday) return texts::kWeekend;
  std::string text = texts::kEveryWeek;
  const std::size_t start = text.size();
  for (int day = 0; day < 7; ++day) {
    if ((weekdays >> day & 1) == 0) continue;
    if (text.size() != start) text += texts::kWeekdaySeparator;
    text.append(texts::kWeekdays + day * 2, 2);  // two bytes a day
  }
  return text + texts::kWeekdaySuffix;
}

std::string WhenText(const Reservation& slot) {
  std::string text;
  if (slot.Week != 0) {
    text = WeekdaysText(WeekdaySet(slot));
  } else if (slot.Day != 0 && slot.Month != 0) {
    text = MonthDayText(slot.Month, slot.Day);
  } else if (slot.Day != 0) {
    text = texts::kEveryMonth + TwoColumnNumber(slot.Day, '0') + texts::kDaySuffix;
  } else {
    text = texts::kEveryDay;
  }
  text += ClockText(slot.Hour, slot.Minute) + texts::kMinuteFromSuffix;
  const bool known = slot.Time >= 0 && slot.Time < kDurationIndexCount;
  text += texts::kDurationNames[known ? slot.Time : kDurationIndexCount - 1];
  // Only a repeat that the scheduler runs is told.
  if (const std::optional<Repeat> repeat = RepeatOf(slot)) {
    text += texts::kRepeatSeparator + ClockText(repeat->until / 60, repeat->until % 60) +
            texts::kMinuteUntilSuffix + RepeatIntervalName(repeat->every) +
            texts::kRepeatEverySuffix;
  }
  if (slot.SkipHoliday != 0) text += texts::kSkipsHolidays;
  return text;
}

const char* ActionText(const Reservation& slot) {
  switch (slot.Action) {
    case ACTION_CD:
      return texts::kActionCd;
    case ACTION_FILE:
      return texts::kActionFile;
    case ACTION_MESSAGE:
      return texts::kActionMessage;
    case ACTION_SOUND:
      return texts::kActionSound;
  }
  return texts::kActionOff;
}

std::string DetailText(const Reservation& slot) {
  switch (slot.Action) {
    case ACTION_CD: {
      const bool known = slot.Drive >= 1 && slot.Drive <= kDriveCount;
      std::string text(1, known ? kDriveLetters[slot.Drive - 1] : '?');
      return text + texts::kCdDetail + TwoColumnNumber(slot.Track, '0');
    }
    case ACTION_FILE:
      if (slot.Command[0] == '\0') return slot.FileName;
      return std::string(slot.FileName) + texts::kCommandSeparator + slot.Command;
    case ACTION_MESSAGE:
      return slot.Message;
    case ACTION_SOUND:
      return slot.FileName;
  }
  return std::string();
}

// A cell holds what its buffer holds, cut at a character boundary.
std::string Cell(const std::string& text) {
  return text.substr(0, cp932::BoundaryLength(text, kListCellSize - 1));
}

}  // namespace

bool CSettingsDlg::OnInitDialog() {
  DialogControls& controls = Controls();
  controls.SetListFullRowSelect(IDC_RESERVATION_LIST);
  struct Column {
    const char* header;
    int (*width)(int clientWidth);
  };
  static const Column kColumns[] = {
      {texts::kColumnWhen, [](int w) { return w / 3; }},
      {texts::kColumnAction, [](int w) { return w / 6; }},
      {texts::kColumnDetail, [](int w) { return w / 12 * 5; }},
      {texts::kColumnErase, [](int w) { return w / 12; }},
  };
  int index = 0;
  for (const Column& column : kColumns) {
    const int width = column.width(controls.ListClientWidth(IDC_RESERVATION_LIST));
    controls.InsertListColumn(IDC_RESERVATION_LIST, index++, column.header, width);
  }
  FillList();
  if (m_nRows > 0) SelectRow(0);
  for (const OptionBox& box : kOptionBoxes) {
    if (m_options.*box.field) controls.CheckButton(box.id, true);
  }
  int choice = 0;
  for (const int minutes : kSnoozeChoices) {
    controls.AddComboItem(IDC_SNOOZE_MINUTES,
                          (std::to_string(minutes) + texts::kMinuteSuffix).c_str());
    if (minutes == m_options.snoozeMinutes) controls.SetComboSelection(IDC_SNOOZE_MINUTES, choice);
    ++choice;
  }
  if (AutostartIsSet()) controls.CheckButton(IDC_AUTOSTART, true);
  CenterOnScreen();
  return true;
}

void CSettingsDlg::FillList() {
  int rows = 0;
  while (rows < m_table.Size() && IsListed(m_table[rows])) ++rows;
  // Counted before the list is told: it may ask for cells at once.
  m_nRows = static_cast<unsigned>(rows);
  DialogControls& controls = Controls();
  controls.SetListRowCount(IDC_RESERVATION_LIST, rows);
  controls.EnableItem(IDC_NEW_RESERVATION, rows < m_table.Size());
  controls.EnableItem(IDC_CHANGE_RESERVATION, rows > 0);
  controls.EnableItem(IDC_DELETE_RESERVATION, rows > 0);
}

std::string CSettingsDlg::OnListCell(int listId, int row, int column) {
  if (listId != IDC_RESERVATION_LIST || row < 0 || static_cast<unsigned>(row) >= m_nRows) {
    return std::string();
  }
  const Reservation& slot = m_table[row];
  switch (column) {
    case 0:
      return Cell(WhenText(slot));
    case 1:
      return ActionText(slot);
    case 2:
      return Cell(DetailText(slot));
    case 3:
      return slot.Erace != 0 ? texts::kErased : texts::kKept;
  }
  return std::string();
}

void CSettingsDlg::OnCommand(int id) {
  switch (id) {
    case IDC_NEW_RESERVATION:
    case ID_NEW_RESERVATION:
      OnNewReservation();
      break;
    case IDC_CHANGE_RESERVATION:
    case ID_CHANGE_RESERVATION:
      OnChangeReservation();
      break;
    case IDC_DELETE_RESERVATION:
    case ID_DELETE_RESERVATION:
      OnDeleteReservation();
      break;
    case IDC_DAYS_OFF:
      OnDaysOff();
      break;
  }
}

void CSettingsDlg::OnListRightClick(int listId) {
  if (listId != IDC_RESERVATION_LIST) return;
  std::vector<int> grayed;
  if (m_nRows == static_cast<unsigned>(m_table.Size())) grayed.push_back(ID_NEW_RESERVATION);
  if (m_nRows == 0) {
    grayed.push_back(ID_CHANGE_RESERVATION);
    grayed.push_back(ID_DELETE_RESERVATION);
  }
  Controls().TrackListMenu(grayed);
}

void CSettingsDlg::OnNewReservation() {
  // The button and the menu item are off when no slot is free; a command may still come.
  if (m_nRows >= static_cast<unsigned>(m_table.Size())) return;
  const std::tm now = m_ports.clock.LocalTime(m_ports.clock.Now());
  Reservation record = OneOffAt(now, m_ports.location);
  record.Action = ACTION_CD;
  record.Drive = FirstCdDrive();
  record.Track = 1;
  record.Time = 0;
  record.Erace = 1;
  record.Command[0] = '\0';

  Reservation edited;
  if (!RunEditor(record, false, &edited)) return;
  m_table.SetSlot(static_cast<int>(m_nRows), edited);
  Refill();
}

void CSettingsDlg::OnChangeReservation() {
  const int row = Controls().SelectionMark(IDC_RESERVATION_LIST);
  if (row < 0 || static_cast<unsigned>(row) >= m_nRows) return;
  Reservation edited;
  if (!RunEditor(m_table[row], false, &edited)) return;
  m_table.SetSlot(row, edited);
  m_table.CompactSlots();
  Refill();
}

void CSettingsDlg::OnDeleteReservation() {
  const int row = Controls().SelectionMark(IDC_RESERVATION_LIST);
  if (row < 0 || static_cast<unsigned>(row) >= m_nRows) return;
  Reservation unused;
  if (!RunEditor(m_table[row], true, &unused)) return;
  m_table[row].Month = SLOT_EMPTY;
  m_table.CompactSlots();
  Refill();
}

void CSettingsDlg::OnDaysOff() {
  const std::tm now = m_ports.clock.LocalTime(m_ports.clock.Now());
  CDaysOffDlg dialog(m_options.daysOff, calendar::DateOf(now));
  if (m_ports.dialogs.RunModalOwnedBy(Controls().Handle(), IDD_DAYS_OFF, dialog) !=
      DialogResult::kOk) {
    return;
  }
  m_options.daysOff = dialog.GetDaysOff();
}

void CSettingsDlg::OnOK() {
  DialogControls& controls = Controls();
  for (const OptionBox& box : kOptionBoxes) {
    m_options.*box.field = controls.IsButtonChecked(box.id) ? 1 : 0;
  }
  const int choice = controls.ComboSelection(IDC_SNOOZE_MINUTES);
  if (choice >= 0 && choice < static_cast<int>(std::size(kSnoozeChoices))) {
    m_options.snoozeMinutes = kSnoozeChoices[choice];
  }
  SetAutostart(controls.IsButtonChecked(IDC_AUTOSTART));
  controls.EndDialog(DialogResult::kOk);
}

bool CSettingsDlg::RunEditor(const Reservation& record, bool deleteConfirm, Reservation* result) {
  CReservationDlg editor(m_ports.drives, m_ports.location);
  editor.SetReservation(record);
  editor.SetDeleteConfirm(deleteConfirm);
  if (m_ports.dialogs.RunModalOwnedBy(Controls().Handle(), IDD_RESERVATION, editor) !=
      DialogResult::kOk) {
    return false;
  }
  *result = editor.GetReservation();
  return true;
}

void CSettingsDlg::Refill() {
  FillList();
  if (m_nRows > 0) SelectRow(static_cast<int>(m_nRows) - 1);
}

void CSettingsDlg::SelectRow(int row) {
  Controls().SetSelectionMark(IDC_RESERVATION_LIST, row);
  Controls().SelectListRow(IDC_RESERVATION_LIST, row);
}

int CSettingsDlg::FirstCdDrive() {
  for (int drive = 1; drive <= kDriveCount; ++drive) {
    if (m_ports.drives.IsCdRom(kDriveLetters[drive - 1])) return drive;
  }
  return kDefaultCdDrive;
}

bool CSettingsDlg::HoldsAutostart(RunKey::Hive hive) {
  std::vector<std::string> names;
  if (!m_ports.runKey.ValueNames(hive, &names)) return false;
  for (const std::string& name : names) {
    if (name == kAutostartValueName) return true;
  }
  return false;
}

// Either key counts: a standard user's value stands under the user's own key.
bool CSettingsDlg::AutostartIsSet() {
  return HoldsAutostart(RunKey::Hive::kMachine) || HoldsAutostart(RunKey::Hive::kUser);
}

// One key at most holds the value: two would start two copies at every sign-in.
void CSettingsDlg::SetAutostart(bool on) {
  if (!on) {
    m_ports.runKey.DeleteValue(RunKey::Hive::kMachine, kAutostartValueName);
    m_ports.runKey.DeleteValue(RunKey::Hive::kUser, kAutostartValueName);
    return;
  }
  // The whole buffer is written: the path, then nothing but zeros.
  char data[kAutostartDataSize] = {};
  cp932::CopyToField(data, m_ports.location.FullPathCp932());
  // A standard user can neither write nor remove the machine's value; one there still starts us.
  if (m_ports.runKey.SetValue(RunKey::Hive::kMachine, kAutostartValueName, data, sizeof data) ||
      HoldsAutostart(RunKey::Hive::kMachine)) {
    m_ports.runKey.DeleteValue(RunKey::Hive::kUser, kAutostartValueName);
    return;
  }
  m_ports.runKey.SetValue(RunKey::Hive::kUser, kAutostartValueName, data, sizeof data);
}
