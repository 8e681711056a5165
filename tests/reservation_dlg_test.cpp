#include "settings/reservation_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "fakes/fake_devices.h"
#include "fakes/fake_dialog.h"
#include "fakes/fake_ports.h"
#include "resource.h"
#include "text/cp932.h"

namespace {

const std::vector<int> kScheduleGroup = {IDC_MONTHLY, IDC_DAILY, IDC_WEEKLY, IDC_FULL_DATE};
const std::vector<int> kActionGroup = {IDC_ACTION_CD, IDC_ACTION_FILE, IDC_ACTION_MESSAGE,
                                       IDC_ACTION_OFF, IDC_ACTION_SOUND};
const std::vector<int> kWeekdayGroup = {IDC_SUNDAY,     IDC_SUNDAY + 1, IDC_SUNDAY + 2,
                                        IDC_SUNDAY + 3, IDC_SUNDAY + 4, IDC_SUNDAY + 5,
                                        IDC_SATURDAY};
const std::vector<int> kCombos = {IDC_MONTH, IDC_DAY,   IDC_HOUR,    IDC_MINUTE,
                                  IDC_DRIVE, IDC_TRACK, IDC_DURATION};
const std::vector<int> kRepeatCombos = {IDC_REPEAT_INTERVAL, IDC_REPEAT_UNTIL_HOUR,
                                        IDC_REPEAT_UNTIL_MINUTE};
constexpr int kMonWedFri = 0x2a;
constexpr int kOkButton = 1;
constexpr int kCancelButton = 2;

// A full-date CD reservation on E:, erased after it has run.
Reservation Sample() {
  return {4, 1, 0, 7, 30, ACTION_CD, 5, 3, 4, 1, "hello", "C:\\a.exe", "open"};
}

void ExpectSame(const Reservation& a, const Reservation& b) {
  EXPECT_EQ(std::vector<int>({a.Month, a.Day, a.Week, a.Hour, a.Minute, a.Action, a.Drive, a.Track,
                              a.Time, a.Erace, a.Weekdays, a.SkipHoliday, a.RepeatMinutes,
                              a.RepeatUntil}),
            std::vector<int>({b.Month, b.Day, b.Week, b.Hour, b.Minute, b.Action, b.Drive, b.Track,
                              b.Time, b.Erace, b.Weekdays, b.SkipHoliday, b.RepeatMinutes,
                              b.RepeatUntil}));
  EXPECT_EQ(0, std::memcmp(a.Message, b.Message, sizeof a.Message));
  EXPECT_EQ(0, std::memcmp(a.FileName, b.FileName, sizeof a.FileName));
  EXPECT_EQ(0, std::memcmp(a.Command, b.Command, sizeof a.Command));
}

class ReservationDlgTest : public ::testing::Test {
 protected:
  ReservationDlgTest() {
    controls.visible[IDC_DELETE_QUESTION] = false;  // as the template has it
    drives.cdRoms.insert('E');
  }
  void Open(const Reservation& record, bool deleteConfirm = false) {
    dialog.SetReservation(record);
    dialog.SetDeleteConfirm(deleteConfirm);
    dialog.Attach(controls);
    EXPECT_TRUE(dialog.OnInitDialog());
  }
  // An auto radio button: the click checks it alone in its group.
  void Click(int id, const std::vector<int>& group) {
    for (int other : group) controls.checked[other] = other == id;
    dialog.OnCommand(id);
  }
  std::vector<int> Selections(const std::vector<int>& ids) {
    std::vector<int> selections;
    for (int id : ids) selections.push_back(controls.ComboSelection(id));
    return selections;
  }
  // Items of a list at the given indexes, joined.
  std::string Items(int id, const std::vector<int>& indexes) {
    std::string joined;
    for (int index : indexes) joined += controls.comboItems.at(id).at(index) + ",";
    return joined;
  }
  // The weekday boxes checked, bit n for tm_wday n.
  int CheckedDays() {
    int days = 0;
    for (int day = 0; day < 7; ++day) days |= controls.IsButtonChecked(IDC_SUNDAY + day) << day;
    return days;
  }
  void CheckDays(int days) {
    for (int day = 0; day < 7; ++day) controls.checked[IDC_SUNDAY + day] = days >> day & 1;
  }
  int Checked(const std::vector<int>& group) {
    int found = 0;
    for (int id : group) {
      if (controls.IsButtonChecked(id)) found = found == 0 ? id : -1;
    }
    return found;
  }

  FakeDialog controls;
  FakeDrives drives;
  FakeLocation location;
  CReservationDlg dialog{drives, location};
};

TEST_F(ReservationDlgTest, FillsTheSevenListsInTheirOrder) {
  Open(Sample());
  std::vector<std::size_t> sizes;
  for (int id : kCombos) {
    sizes.push_back(controls.comboItems[id].size());
  }
  EXPECT_EQ(sizes, (std::vector<std::size_t>{12, 31, 24, 60, 26, 29, 14}));
  EXPECT_EQ(Items(IDC_MONTH, {0, 8, 9, 11}), " 1, 9,10,12,");
  EXPECT_EQ(Items(IDC_DAY, {8, 9, 30}), " 9,10,31,");
  EXPECT_EQ(Items(IDC_HOUR, {0, 9, 23}), "00,09,23,");
  EXPECT_EQ(Items(IDC_MINUTE, {5, 59}), "05,59,");
  EXPECT_EQ(Items(IDC_DRIVE, {0, 4, 25}), "A,E,Z,");
  EXPECT_EQ(Items(IDC_TRACK, {0, 28}), " 1,29,");
  EXPECT_EQ(controls.comboItems[IDC_DURATION],
            (std::vector<std::string>{"任意の時間", "1分間", "2分間", "3分間", "5分間", "10分間",
                                      "15分間", "30分間", "1時間", "2時間", "3時間", "6時間",
                                      "12時間", "24時間"}));
}

TEST_F(ReservationDlgTest, ShowsTheRecordInTheControls) {
  Open(Sample());
  EXPECT_EQ(Selections(kCombos), std::vector<int>({3, 0, 7, 30, 4, 2, 4}));
  EXPECT_EQ(controls.texts[IDC_FILE_NAME] + "|" + controls.texts[IDC_COMMAND] + "|" +
                controls.texts[IDC_MESSAGE_TEXT],
            "C:\\a.exe|open|hello");
  EXPECT_EQ(controls.limits[IDC_MESSAGE_TEXT], 60);
  EXPECT_TRUE(controls.IsButtonChecked(IDC_ERASE));

  // A new reservation opens in the full-date mode with the CD mode and the erase box.
  EXPECT_EQ(Checked(kScheduleGroup), IDC_FULL_DATE);
  EXPECT_EQ(Checked(kActionGroup), IDC_ACTION_CD);
  EXPECT_TRUE(controls.IsVisible(IDC_ERASE));
  EXPECT_FALSE(controls.IsVisible(IDC_DELETE_QUESTION));
}

TEST_F(ReservationDlgTest, OutOfRangeValuesSelectNothingAndZeroSelectsTheFirstItem) {
  Reservation record = Sample();
  record.Month = 0;
  record.Day = 0;
  record.Hour = -1;
  record.Drive = 0;
  record.Time = 14;
  Open(record);
  EXPECT_EQ(Selections(kCombos), std::vector<int>({0, 0, -1, 30, -1, 2, -1}));
}

TEST_F(ReservationDlgTest, ModesAndWeekdaysComeFromTheRecord) {
  constexpr int kSaturday = 0x40;
  struct Case {
    int month, day, week, weekdays, action;
    int mode, days, actionRadio;
  } cases[] = {
      {0, 15, 0, 0, ACTION_FILE, IDC_MONTHLY, kSaturday, IDC_ACTION_FILE},
      {4, 0, 0, 0, ACTION_MESSAGE, IDC_DAILY, kSaturday, IDC_ACTION_MESSAGE},
      {4, 1, 3, 0, ACTION_CD, IDC_WEEKLY, 0x04, IDC_ACTION_CD},
      {0, 0, 7, 0, ACTION_OFF, IDC_WEEKLY, kSaturday, IDC_ACTION_OFF},
      {0, 9, 1, 0, 5, IDC_WEEKLY, 0x01, IDC_ACTION_OFF},
      {12, 31, 6, 0, -1, IDC_WEEKLY, 0x20, IDC_ACTION_OFF},
      {4, 1, 0, 0, ACTION_CD, IDC_FULL_DATE, kSaturday, IDC_ACTION_CD},
      {0, 0, 0, 0, ACTION_SOUND, IDC_DAILY, kSaturday, IDC_ACTION_SOUND},
      // A set of days; a set is no schedule of a record that is not weekly.
      {0, 0, 2, kMonWedFri, ACTION_CD, IDC_WEEKLY, kMonWedFri, IDC_ACTION_CD},
      {0, 0, 0, kMonWedFri, ACTION_CD, IDC_DAILY, kSaturday, IDC_ACTION_CD},
      {0, 0, 9, kMonWedFri, ACTION_CD, IDC_WEEKLY, kSaturday, IDC_ACTION_CD},
      {0, 0, 2, 0x80, ACTION_CD, IDC_WEEKLY, 0x02, IDC_ACTION_CD},
  };
  for (const Case& c : cases) {
    FakeDialog fresh;
    controls = fresh;
    Reservation record = Sample();
    record.Month = c.month;
    record.Day = c.day;
    record.Week = c.week;
    record.Weekdays = c.weekdays;
    record.Action = c.action;
    Open(record);
    SCOPED_TRACE(::testing::Message() << c.week << " " << c.weekdays);
    EXPECT_EQ(Checked(kScheduleGroup), c.mode);
    EXPECT_EQ(Checked(kActionGroup), c.actionRadio);
    EXPECT_EQ(CheckedDays(), c.days);
  }
}

TEST_F(ReservationDlgTest, ScheduleModesShowAndEnableExactlyTheirControlsAndNoValueChanges) {
  Open(Sample());
  const auto checks = controls.checked;
  const auto selections = controls.comboSelection;
  const auto texts = controls.texts;
  // month, month label, day, day label, weekdays, erase, repeat: enabled / shown
  struct Case {
    int mode;
    bool month, day, weekdays, erase, repeat;
  } cases[] = {{IDC_DAILY, false, false, false, false, true},
               {IDC_MONTHLY, false, true, false, false, true},
               {IDC_WEEKLY, false, false, true, false, true},
               {IDC_FULL_DATE, true, true, false, true, false}};
  for (const Case& c : cases) {
    Click(c.mode, kScheduleGroup);
    SCOPED_TRACE(c.mode);
    EXPECT_EQ(controls.IsEnabled(IDC_MONTH), c.month);
    EXPECT_EQ(controls.IsVisible(IDC_MONTH), c.month);
    EXPECT_EQ(controls.IsVisible(IDC_MONTH_LABEL), c.month);
    EXPECT_EQ(controls.IsEnabled(IDC_DAY), c.day);
    EXPECT_EQ(controls.IsVisible(IDC_DAY), c.day);
    EXPECT_EQ(controls.IsVisible(IDC_DAY_LABEL), c.day);
    for (int id = IDC_SUNDAY; id <= IDC_SATURDAY; ++id) {
      EXPECT_EQ(controls.IsEnabled(id), c.weekdays) << id;
      EXPECT_TRUE(controls.IsVisible(id)) << id;
    }
    EXPECT_TRUE(controls.IsEnabled(IDC_ERASE));
    EXPECT_EQ(controls.IsVisible(IDC_ERASE), c.erase);
    EXPECT_TRUE(controls.IsEnabled(IDC_SKIP_HOLIDAY));
    EXPECT_EQ(controls.IsEnabled(IDC_REPEAT), c.repeat);
    for (int id : {IDC_HOUR, IDC_MINUTE}) {
      EXPECT_TRUE(controls.IsEnabled(id) && controls.IsVisible(id)) << id;
    }
  }
  EXPECT_EQ(controls.comboSelection, selections);
  EXPECT_EQ(controls.texts, texts);
  for (const auto& [id, state] : checks) {
    if (std::find(kScheduleGroup.begin(), kScheduleGroup.end(), id) == kScheduleGroup.end()) {
      EXPECT_EQ(controls.IsButtonChecked(id), state) << id;
    }
  }
}

TEST_F(ReservationDlgTest, ActionModesEnableExactlyTheirParametersAndHideNothing) {
  Open(Sample());
  const auto selections = controls.comboSelection;
  const auto texts = controls.texts;
  const int parameters[] = {IDC_DRIVE,      IDC_TRACK,        IDC_FILE_NAME,
                            IDC_BROWSE,     IDC_COMMAND,      IDC_MESSAGE_TEXT,
                            IDC_SOUND_FILE, IDC_SOUND_BROWSE, IDC_DURATION};
  struct Case {
    int mode;
    std::vector<bool> enabled;
  } cases[] = {
      {IDC_ACTION_FILE, {false, false, true, true, true, false, false, false, false}},
      {IDC_ACTION_MESSAGE, {false, false, false, false, false, true, false, false, true}},
      {IDC_ACTION_OFF, {false, false, false, false, false, false, false, false, false}},
      {IDC_ACTION_SOUND, {false, false, false, false, false, false, true, true, true}},
      {IDC_ACTION_CD, {true, true, false, false, false, false, false, false, true}},
  };
  for (const Case& c : cases) {
    Click(c.mode, kActionGroup);
    for (std::size_t i = 0; i < std::size(parameters); ++i) {
      EXPECT_EQ(controls.IsEnabled(parameters[i]), c.enabled[i]) << c.mode << " " << parameters[i];
      EXPECT_TRUE(controls.IsVisible(parameters[i]));
    }
  }
  EXPECT_EQ(controls.comboSelection, selections);
  EXPECT_EQ(controls.texts, texts);
}

TEST_F(ReservationDlgTest, OkStoresEachScheduleMode) {
  struct Case {
    int mode;
    int month, day, week, erace;
  } cases[] = {
      {IDC_FULL_DATE, 4, 1, 0, 1},
      {IDC_MONTHLY, 0, 1, 0, 0},
      {IDC_DAILY, 0, 0, 0, 0},  // every month, by decision
      {IDC_WEEKLY, 0, 1, 3, 0},
  };
  for (const Case& c : cases) {
    FakeDialog fresh;
    controls = fresh;
    Open(Sample());
    Click(c.mode, kScheduleGroup);
    Click(IDC_SUNDAY + 2, kWeekdayGroup);
    dialog.OnOK();
    const Reservation stored = dialog.GetReservation();
    EXPECT_EQ(std::vector<int>({stored.Month, stored.Day, stored.Week, stored.Erace}),
              std::vector<int>({c.month, c.day, c.week, c.erace}))
        << c.mode;
    EXPECT_EQ(controls.results, std::vector<DialogResult>{DialogResult::kOk});
  }
  Reservation expected = Sample();
  expected.Month = 0;
  expected.Week = 3;
  expected.Erace = 0;
  ExpectSame(dialog.GetReservation(), expected);
}

TEST_F(ReservationDlgTest, OkStoresTheWeekdaysChecked) {
  struct Case {
    int mode;
    int week, weekdays;  // loaded
    int checked;
    int storedWeek, storedWeekdays;
  } cases[] = {
      {IDC_WEEKLY, 3, 0, kMonWedFri, 2, kMonWedFri},
      {IDC_WEEKLY, 2, kMonWedFri, 0x10, 5, 0},
      {IDC_WEEKLY, 1, 0, 0x41, 1, 0x41},
      {IDC_WEEKLY, 1, 0, 0x7f, 1, 0x7f},
      {IDC_WEEKLY, 4, 0, 0x60, 6, 0x60},
      // None checked keeps what was loaded.
      {IDC_WEEKLY, 2, kMonWedFri, 0, 2, kMonWedFri},
      {IDC_WEEKLY, 3, 0, 0, 3, 0},
      {IDC_WEEKLY, 0, 0, 0, 0, 0},
      {IDC_DAILY, 2, kMonWedFri, kMonWedFri, 0, 0},
      {IDC_MONTHLY, 2, kMonWedFri, kMonWedFri, 0, 0},
      {IDC_FULL_DATE, 2, kMonWedFri, kMonWedFri, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.mode << " " << c.week << " " << c.checked);
    controls = FakeDialog();
    Reservation record = Sample();
    record.Week = c.week;
    record.Weekdays = c.weekdays;
    Open(record);
    Click(c.mode, kScheduleGroup);
    CheckDays(c.checked);
    dialog.OnOK();
    EXPECT_EQ(dialog.GetReservation().Week, c.storedWeek);
    EXPECT_EQ(dialog.GetReservation().Weekdays, c.storedWeekdays);
  }
}

TEST_F(ReservationDlgTest, TheHolidayBoxIsOfferedAndStoredInEveryMode) {
  Reservation record = Sample();
  record.SkipHoliday = 5;
  Open(record);
  EXPECT_TRUE(controls.IsButtonChecked(IDC_SKIP_HOLIDAY));
  for (int mode : kScheduleGroup) {
    for (bool checked : {false, true}) {
      SCOPED_TRACE(::testing::Message() << mode << " " << checked);
      Click(mode, kScheduleGroup);
      EXPECT_TRUE(controls.IsEnabled(IDC_SKIP_HOLIDAY));
      controls.checked[IDC_SKIP_HOLIDAY] = checked;
      dialog.OnOK();
      EXPECT_EQ(dialog.GetReservation().SkipHoliday, checked ? 1 : 0);
    }
  }
  controls = FakeDialog();
  Open(Sample());
  EXPECT_FALSE(controls.IsButtonChecked(IDC_SKIP_HOLIDAY));
}

TEST_F(ReservationDlgTest, TheRepeatOpensFromTheRecordAndItsTimesFollowItsBox) {
  Open(Sample());
  EXPECT_EQ(controls.comboItems[IDC_REPEAT_INTERVAL],
            (std::vector<std::string>{"5分", "10分", "15分", "20分", "30分", "1時間", "2時間",
                                      "3時間", "4時間", "6時間", "12時間"}));
  EXPECT_EQ(Items(IDC_REPEAT_UNTIL_HOUR, {0, 23}) + Items(IDC_REPEAT_UNTIL_MINUTE, {0, 59}),
            "00,23,00,59,");

  // interval, until: loaded; the box, the three selections shown
  struct Case {
    int repeatMinutes, repeatUntil;
    bool checked;
    std::vector<int> selections;
  } cases[] = {
      {60, 1800, true, {5, 18, 0}},
      {5, 730, true, {0, 7, 30}},  // ends at its start, 07:30: runs once
      {720, 2359, true, {10, 23, 59}},
      {45, 2000, true, {-1, 20, 0}},  // not in the list, but a repeat
      // No repeat: every hour to the end of the day is offered.
      {0, 0, false, {5, 23, 59}},
      {60, 729, false, {5, 23, 59}},
      {4, 1800, false, {5, 23, 59}},
      {60, 2400, false, {5, 23, 59}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.repeatMinutes << " " << c.repeatUntil);
    controls = FakeDialog();
    Reservation record = Sample();
    record.Day = 0;
    record.RepeatMinutes = c.repeatMinutes;
    record.RepeatUntil = c.repeatUntil;
    Open(record);
    EXPECT_EQ(Checked(kScheduleGroup), IDC_DAILY);
    EXPECT_EQ(controls.IsButtonChecked(IDC_REPEAT), c.checked);
    EXPECT_EQ(Selections(kRepeatCombos), c.selections);
    EXPECT_TRUE(controls.IsEnabled(IDC_REPEAT));
    for (int id : kRepeatCombos) EXPECT_EQ(controls.IsEnabled(id), c.checked) << id;
  }

  // The times follow the box in every mode but the full date's, which offers no repeat.
  for (int mode : kScheduleGroup) {
    for (bool checked : {true, false}) {
      SCOPED_TRACE(::testing::Message() << mode << " " << checked);
      Click(mode, kScheduleGroup);
      controls.checked[IDC_REPEAT] = checked;
      dialog.OnCommand(IDC_REPEAT);
      for (int id : kRepeatCombos) {
        EXPECT_EQ(controls.IsEnabled(id), checked && mode != IDC_FULL_DATE) << id;
      }
    }
  }
}

TEST_F(ReservationDlgTest, OkStoresTheRepeatOfTheModesThatOfferIt) {
  struct Case {
    int mode;
    bool checked;
    std::vector<int> selections;  // interval, until hour, until minute
    int repeatMinutes, repeatUntil;
  } cases[] = {
      {IDC_DAILY, true, {5, 18, 0}, 60, 1800},
      {IDC_WEEKLY, true, {0, 7, 30}, 5, 730},
      {IDC_MONTHLY, true, {10, 23, 59}, 720, 2359},
      {IDC_DAILY, true, {-1, 20, 0}, 45, 2000},  // the loaded interval, not in the list
      {IDC_DAILY, false, {5, 18, 0}, 0, 0},
      {IDC_FULL_DATE, true, {5, 18, 0}, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.mode << " " << c.checked << " " << c.selections[0]);
    controls = FakeDialog();
    Reservation record = Sample();
    record.RepeatMinutes = 45;
    record.RepeatUntil = 2000;
    Open(record);
    Click(c.mode, kScheduleGroup);
    controls.checked[IDC_REPEAT] = c.checked;
    for (std::size_t i = 0; i < kRepeatCombos.size(); ++i) {
      controls.SetComboSelection(kRepeatCombos[i], c.selections[i]);
    }
    dialog.OnOK();
    EXPECT_EQ(controls.results, std::vector<DialogResult>{DialogResult::kOk});
    EXPECT_EQ(dialog.GetReservation().RepeatMinutes, c.repeatMinutes);
    EXPECT_EQ(dialog.GetReservation().RepeatUntil, c.repeatUntil);
  }
}

// Stored, it would run once at its start and never repeat: the box says so and the form stays
// open as it was, before any question.
TEST_F(ReservationDlgTest, ARepeatEndingBeforeItsStartIsRefused) {
  Reservation record = Sample();
  record.Drive = 4;  // not a CD drive: its question would come next
  Open(record);
  Click(IDC_DAILY, kScheduleGroup);
  controls.checked[IDC_REPEAT] = true;
  controls.SetComboSelection(IDC_REPEAT_UNTIL_HOUR, 7);
  controls.SetComboSelection(IDC_REPEAT_UNTIL_MINUTE, 29);
  const auto checks = controls.checked;
  const auto selections = controls.comboSelection;
  dialog.OnOK();
  ASSERT_EQ(controls.warnings.size(), 1u);
  EXPECT_EQ(controls.warnings[0].text, "繰り返しの終了時刻を開始時刻以降にしてください。");
  EXPECT_EQ(controls.warnings[0].caption, "鳴刻エラー");
  EXPECT_TRUE(controls.questions.empty());
  EXPECT_TRUE(controls.results.empty());
  for (const auto& [id, state] : checks) EXPECT_EQ(controls.IsButtonChecked(id), state) << id;
  EXPECT_TRUE(controls.IsButtonChecked(IDC_ERASE)) << "the daily mode's OK would clear it";
  EXPECT_EQ(controls.comboSelection, selections);
  ExpectSame(dialog.GetReservation(), record);

  // An earlier start mends it.
  controls.SetComboSelection(IDC_MINUTE, 29);
  controls.answers = {true};
  dialog.OnOK();
  EXPECT_EQ(controls.warnings.size(), 1u);
  EXPECT_EQ(controls.results, std::vector<DialogResult>{DialogResult::kOk});
  EXPECT_EQ(dialog.GetReservation().RepeatUntil, 729);
}

TEST_F(ReservationDlgTest, NoSelectionStoresTheFormulasOfMinusOne) {
  Open(Sample());
  for (int id : kCombos) controls.SetComboSelection(id, -1);
  controls.texts[IDC_DRIVE] = "";
  dialog.OnOK();
  const Reservation stored = dialog.GetReservation();
  EXPECT_EQ(std::vector<int>({stored.Month, stored.Day, stored.Hour, stored.Minute, stored.Drive,
                              stored.Track, stored.Time}),
            std::vector<int>({0, 0, -1, -1, 0, 0, -1}));
}

TEST_F(ReservationDlgTest, CdQuestionAskedOnlyForADriveThatIsNotACdRom) {
  Open(Sample());
  dialog.OnOK();
  EXPECT_EQ(drives.asked, std::vector<char>{'E'});
  EXPECT_TRUE(controls.questions.empty());
  EXPECT_EQ(controls.results, std::vector<DialogResult>{DialogResult::kOk});

  // No: the form stays open and as it was, and nothing is stored.
  FakeDialog fresh;
  controls = fresh;
  Reservation record = Sample();
  record.Drive = 4;
  Open(record);
  Click(IDC_MONTHLY, kScheduleGroup);
  const auto selections = controls.comboSelection;
  controls.answers = {false};
  dialog.OnOK();
  ASSERT_EQ(controls.questions.size(), 1u);
  EXPECT_EQ(controls.questions[0].text,
            "現在選択されているドライブはCDドライブではありません。\n予約しますか？");
  EXPECT_EQ(controls.questions[0].caption, "確認 - CDを再生");
  EXPECT_TRUE(controls.results.empty());
  EXPECT_TRUE(controls.IsButtonChecked(IDC_ERASE));  // the monthly mode would have cleared it
  EXPECT_EQ(controls.comboSelection, selections);
  ExpectSame(dialog.GetReservation(), record);

  controls.answers = {true};
  dialog.OnOK();
  EXPECT_EQ(controls.results, std::vector<DialogResult>{DialogResult::kOk});
  EXPECT_EQ(dialog.GetReservation().Drive, 4);
  EXPECT_EQ(dialog.GetReservation().Action, ACTION_CD);
}

// The drive combo can be typed into; only one letter names a drive, in either case.
TEST_F(ReservationDlgTest, OnlyADriveLetterTypedNamesADrive) {
  const struct {
    const char* text;
    std::vector<char> asked;
    size_t questions;
  } cases[] = {{"e", {'E'}, 0}, {"ドライブＥです", {}, 1}, {"E:", {}, 1}, {"", {}, 1}};
  for (const auto& each : cases) {
    SCOPED_TRACE(each.text);
    controls = FakeDialog();
    drives.asked.clear();
    Open(Sample());
    controls.texts[IDC_DRIVE] = each.text;
    dialog.OnOK();
    EXPECT_EQ(drives.asked, each.asked);
    EXPECT_EQ(controls.questions.size(), each.questions);
  }
}

TEST_F(ReservationDlgTest, OffAsksWhetherToDelete) {
  Reservation record = Sample();
  record.Action = ACTION_OFF;
  Open(record);
  Click(IDC_WEEKLY, kScheduleGroup);
  controls.answers = {true};
  dialog.OnOK();
  ASSERT_EQ(controls.questions.size(), 1u);
  EXPECT_EQ(controls.questions[0].text, "この予約を削除しますか？");
  EXPECT_EQ(controls.questions[0].caption, "確認 - OFF");
  Reservation stored = dialog.GetReservation();
  EXPECT_EQ(stored.Month, SLOT_EMPTY);
  EXPECT_EQ(std::vector<int>({stored.Day, stored.Week, stored.Hour, stored.Erace, stored.Action}),
            std::vector<int>({1, 7, 7, 0, ACTION_OFF}));
  EXPECT_TRUE(drives.asked.empty());

  controls.answers = {false};
  Click(IDC_FULL_DATE, kScheduleGroup);
  dialog.OnOK();
  stored = dialog.GetReservation();
  EXPECT_EQ(stored.Month, 4);
  EXPECT_EQ(stored.Action, ACTION_OFF);
  EXPECT_EQ(controls.results, (std::vector<DialogResult>{DialogResult::kOk, DialogResult::kOk}));
}

TEST_F(ReservationDlgTest, DeleteConfirmDisablesEveryInputAndShowsTheQuestion) {
  Open(Sample(), true);
  int disabled = 0;
  for (const auto& [id, isEnabled] : controls.enabled) disabled += isEnabled ? 0 : 1;
  EXPECT_EQ(disabled, 35);
  for (int id : {IDC_MONTHLY, IDC_SATURDAY, IDC_ERASE, IDC_HOUR, IDC_MINUTE, IDC_ACTION_OFF,
                 IDC_BROWSE, IDC_COMMAND, IDC_MESSAGE_TEXT, IDC_DURATION, IDC_ACTION_SOUND,
                 IDC_SOUND_FILE, IDC_SOUND_BROWSE, IDC_SKIP_HOLIDAY, IDC_REPEAT,
                 IDC_REPEAT_INTERVAL, IDC_REPEAT_UNTIL_HOUR, IDC_REPEAT_UNTIL_MINUTE}) {
    EXPECT_FALSE(controls.IsEnabled(id)) << id;
  }
  EXPECT_TRUE(controls.IsEnabled(kOkButton) && controls.IsEnabled(kCancelButton));
  for (int id : {IDC_DELETE_QUESTION, IDC_MONTH, IDC_MONTH_LABEL, IDC_DAY, IDC_ERASE}) {
    EXPECT_TRUE(controls.IsVisible(id)) << id;
  }
  dialog.OnOK();
  EXPECT_EQ(controls.results, std::vector<DialogResult>{DialogResult::kOk});

  // OK is the answer: neither the OFF question nor the CD-drive question is asked again.
  for (const auto& [action, drive] : {std::pair{ACTION_OFF, 5}, std::pair{ACTION_CD, 3}}) {
    SCOPED_TRACE(action);
    controls = FakeDialog();
    controls.visible[IDC_DELETE_QUESTION] = false;
    Reservation record = Sample();
    record.Action = action;
    record.Drive = drive;
    Open(record, true);
    controls.answers = {false};
    dialog.OnOK();
    EXPECT_TRUE(controls.questions.empty());
    EXPECT_EQ(controls.results, std::vector<DialogResult>{DialogResult::kOk});
  }
}

TEST_F(ReservationDlgTest, TextsAreCutToTheirFieldsAtACharacterBoundary) {
  Open(Sample());
  controls.texts[IDC_MESSAGE_TEXT] = std::string(60, 'm') + "鳴刻";
  controls.texts[IDC_FILE_NAME] = std::string(257, 'f') + "鳴刻";
  controls.texts[IDC_COMMAND] = std::string(13, 'c') + "鳴刻";
  dialog.OnOK();
  const Reservation stored = dialog.GetReservation();
  EXPECT_EQ(stored.Message, std::string(60, 'm'));
  EXPECT_EQ(stored.FileName, std::string(257, 'f') + "鳴");
  EXPECT_EQ(stored.Command, std::string(13, 'c') + "鳴");
}

TEST_F(ReservationDlgTest, AnUnterminatedStringIsCutWhenLoaded) {
  Reservation record = Sample();
  std::memset(record.Command, 'x', sizeof record.Command);
  dialog.SetReservation(record);
  EXPECT_EQ(dialog.GetReservation().Command, std::string(15, 'x'));
}

TEST_F(ReservationDlgTest, BrowseAndDropReplaceThePath) {
  dialog.OnDropFiles(IDC_FILE_NAME, {"C:\\early.txt"});  // no window yet
  Open(Sample());
  location.directory = "C:\\鳴刻\\";
  dialog.OnCommand(IDC_BROWSE);
  ASSERT_EQ(controls.fileDialogs.size(), 1u);
  EXPECT_EQ(controls.fileDialogs[0].filter, "全てのファイル(*.*)|*.*||");
  EXPECT_EQ(controls.fileDialogs[0].title, "実行ファイル参照");
  EXPECT_EQ(controls.fileDialogs[0].initialDirectory, "C:\\鳴刻\\");
  EXPECT_EQ(controls.texts[IDC_FILE_NAME], "C:\\a.exe");  // cancelled

  controls.chosenFile = {"D:\\tools\\run.bat"};
  dialog.OnCommand(IDC_BROWSE);
  EXPECT_EQ(controls.texts[IDC_FILE_NAME], "D:\\tools\\run.bat");

  dialog.OnDropFiles(IDC_FILE_NAME, {"C:\\first.txt"});
  EXPECT_EQ(controls.texts[IDC_FILE_NAME], "C:\\first.txt");
  dialog.OnDropFiles(IDC_MESSAGE_TEXT, {"C:\\other.txt"});
  EXPECT_EQ(controls.texts[IDC_MESSAGE_TEXT], "hello");

  // The sound's field has its own 参照, for sound files, and takes its own drops.
  controls.chosenFile = {"D:\\音\\朝.wav"};
  dialog.OnCommand(IDC_SOUND_BROWSE);
  ASSERT_EQ(controls.fileDialogs.size(), 3u);
  EXPECT_EQ(controls.fileDialogs[2].filter,
            "サウンド ファイル(*.wav;*.mp3;*.wma;*.mid)|*.wav;*.mp3;*.wma;*.mid|"
            "全てのファイル(*.*)|*.*||");
  EXPECT_EQ(controls.fileDialogs[2].title, "サウンドファイル参照");
  EXPECT_EQ(controls.fileDialogs[2].initialDirectory, "C:\\鳴刻\\");
  EXPECT_EQ(controls.texts[IDC_SOUND_FILE], "D:\\音\\朝.wav");
  dialog.OnDropFiles(IDC_SOUND_FILE, {"C:\\鐘.mp3"});
  EXPECT_EQ(controls.texts[IDC_SOUND_FILE], "C:\\鐘.mp3");
  EXPECT_EQ(controls.texts[IDC_FILE_NAME], "C:\\first.txt");
  EXPECT_TRUE(controls.warnings.empty());
}

// The sound and the file share the record's FileName; each action reads its own field.
TEST_F(ReservationDlgTest, TheSoundIsStoredFromItsOwnField) {
  Open(Sample());
  EXPECT_EQ(controls.texts[IDC_SOUND_FILE], "") << "a CD's file is no sound";
  controls.texts[IDC_SOUND_FILE] = "C:\\鐘.wav";
  Click(IDC_ACTION_SOUND, kActionGroup);
  dialog.OnOK();
  Reservation expected = Sample();
  expected.Action = ACTION_SOUND;
  cp932::CopyToField(expected.FileName, "C:\\鐘.wav");
  ExpectSame(dialog.GetReservation(), expected);

  controls = FakeDialog();
  Open(expected);
  EXPECT_EQ(controls.texts[IDC_SOUND_FILE], "C:\\鐘.wav");
  EXPECT_TRUE(controls.IsEnabled(IDC_SOUND_FILE));
  Click(IDC_ACTION_FILE, kActionGroup);
  controls.texts[IDC_FILE_NAME] = "C:\\run.bat";
  dialog.OnOK();
  EXPECT_EQ(dialog.GetReservation().Action, ACTION_FILE);
  EXPECT_EQ(dialog.GetReservation().FileName, std::string("C:\\run.bat"));
  EXPECT_TRUE(controls.questions.empty());
}

// A name that code page 932 cannot spell and that has no short form would be stored as
// another path, which may name a different file.
TEST_F(ReservationDlgTest, AFileWhoseNameCannotBeUsedIsToldAndNotStored) {
  Open(Sample());
  const std::string box = "このファイルの名前は使用できません。\nC:\\Zo? ?.txt";
  controls.chosenFile = {"C:\\Zo? ?.txt", false};
  dialog.OnCommand(IDC_BROWSE);
  dialog.OnDropFiles(IDC_FILE_NAME, {"C:\\Zo? ?.txt", false});
  EXPECT_EQ(controls.texts[IDC_FILE_NAME], "C:\\a.exe");
  ASSERT_EQ(controls.warnings.size(), 2u);
  for (const FakeDialog::Question& warning : controls.warnings) {
    EXPECT_EQ(warning.text, box);
    EXPECT_EQ(warning.caption, "鳴刻エラー");
  }
}

}  // namespace
