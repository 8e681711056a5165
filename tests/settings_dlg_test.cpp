#include "settings/settings_dlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "fakes/frame_fixture.h"
#include "fakes/utc_time.h"
#include "resource.h"
#include "settings/reservation_dlg.h"
#include "text/cp932.h"

namespace {

using Row = std::vector<std::string>;
using Hive = RunKey::Hive;

constexpr int kList = IDC_RESERVATION_LIST;

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() {
    fake.clock.Set(2026, 12, 7, 9, 41, 30);
    fake.frame.SetNoError(0);
    // As the editor's template has it.
    fake.dialogs.prepare = [](int templateId, FakeDialog& controls) {
      if (templateId == IDD_RESERVATION) controls.ShowItem(IDC_DELETE_QUESTION, false);
    };
  }

  Reservation& Slot(int index) { return fake.frame.Table()[index]; }

  Reservation& Message(int index, int month, int day, const char* text) {
    Reservation& slot = Slot(index);
    slot.Month = month;
    slot.Day = day;
    slot.Hour = 7;
    slot.Minute = 5;
    slot.Action = ACTION_MESSAGE;
    cp932::CopyToField(slot.Message, text);
    return slot;
  }

  // Opens the settings through the frame; `user` plays the user while the dialog is open and
  // the dialog then ends with OK unless `user` ended it.
  void OpenSettings(std::function<void(CSettingsDlg&, FakeDialog&)> user = nullptr,
                    std::function<void(CReservationDlg&, FakeDialog&)> editor = nullptr) {
    fake.dialogs.whileOpen = [=](int templateId, DialogHandler& handler, FakeDialog& controls) {
      if (templateId == IDD_SETTINGS && user) {
        user(static_cast<CSettingsDlg&>(handler), controls);
      } else if (templateId == IDD_RESERVATION && editor) {
        editor(static_cast<CReservationDlg&>(handler), controls);
      }
    };
    fake.frame.OnCommand(ID_SETTINGS);
  }

  FakeDialog& SettingsControls() { return fake.dialogs.dialogs.front(); }
  const std::vector<Row>& Rows() { return SettingsControls().rows[kList]; }

  FakeFrame fake{8};
};

// The editor's action radios are one group; a click checks one and clears the others.
void ChooseAction(FakeDialog& controls, int id) {
  for (int radio :
       {IDC_ACTION_CD, IDC_ACTION_FILE, IDC_ACTION_MESSAGE, IDC_ACTION_OFF, IDC_ACTION_SOUND}) {
    controls.CheckButton(radio, radio == id);
  }
}

TEST_F(SettingsTest, ReservationsAreCopiedInPackedAndBackOnOk) {
  Message(2, 4, 1, "二番");
  Message(5, 0, 15, "五番");
  Slot(6).Month = 14;  // not empty to the copy, but it ends the list
  unsigned rows = 0;
  OpenSettings([&](CSettingsDlg& dialog, FakeDialog&) {
    rows = dialog.m_nRows;
    EXPECT_EQ(dialog.Table()[0].Message, std::string("二番"));
    EXPECT_EQ(dialog.Table()[2].Month, 14);
  });
  EXPECT_EQ(rows, 2u);
  ASSERT_EQ(Rows().size(), 2u);
  EXPECT_EQ(Rows()[0][2], "二番");
  EXPECT_EQ(Rows()[1][2], "五番");

  EXPECT_EQ(Slot(0).Message, std::string("二番"));
  EXPECT_EQ(Slot(1).Message, std::string("五番"));
  EXPECT_EQ(Slot(2).Month, 14);
  for (int i : {3, 4, 5, 6, 7}) EXPECT_EQ(Slot(i).Month, SLOT_EMPTY) << "slot " << i;
  EXPECT_EQ(fake.profile.writes, 1) << "OK writes the profile at once";
  EXPECT_NE(fake.profile.contents.find("Message=二番"), std::string::npos);
}

TEST_F(SettingsTest, ColumnsAndRowTexts) {
  Reservation& cd = Message(0, 4, 1, "");
  cd.Action = ACTION_CD;
  cd.Drive = 5;
  cd.Track = 1;
  cd.Time = 1;
  cd.Erace = 1;
  Reservation& file = Message(1, 0, 9, "");
  file.Week = 2;
  file.Hour = 12;
  file.Minute = 0;
  file.Action = ACTION_FILE;
  cp932::CopyToField(file.FileName, "C:\\予定\\a.bat");
  cp932::CopyToField(file.Command, "open");
  Message(2, 0, 15, "お昼です").Time = 13;
  Reservation& daily = Message(3, 0, 0, "");
  daily.Action = ACTION_OFF;
  daily.Time = 99;
  Reservation& plainFile = Message(4, 12, 31, "");
  plainFile.Action = ACTION_FILE;
  cp932::CopyToField(plainFile.FileName, "D:\\x.exe");
  OpenSettings();

  const FakeDialog& controls = SettingsControls();
  EXPECT_TRUE(controls.fullRowSelect.at(kList));
  ASSERT_EQ(controls.columns.at(kList).size(), 4u);
  std::vector<std::string> headers;
  std::vector<int> widths;
  for (const FakeDialog::Column& column : controls.columns.at(kList)) {
    headers.push_back(column.header);
    widths.push_back(column.width);
  }
  EXPECT_EQ(headers, (std::vector<std::string>{"発動時間", "動作", "動作内容", "削除"}));
  EXPECT_EQ(widths, (std::vector<int>{103, 51, 125, 25})) << "for a client width of 310";

  ASSERT_EQ(Rows().size(), 5u);
  EXPECT_EQ(Rows()[0],
            (Row{"04月01日07時05分から1分間", "CD再生", "Eドライブ トラック01", "する"}));
  EXPECT_EQ(Rows()[1],
            (Row{"毎週月曜日12時00分から任意", "ファイル実行", "C:\\予定\\a.bat /open", "しない"}));
  EXPECT_EQ(Rows()[2], (Row{"毎月15日07時05分から24時間", "メッセージ表示", "お昼です", "しない"}));
  EXPECT_EQ(Rows()[3], (Row{"毎日07時05分から24時間", "OFF", "", "しない"}));
  EXPECT_EQ(Rows()[4], (Row{"12月31日07時05分から任意", "ファイル実行", "D:\\x.exe", "しない"}));
  EXPECT_EQ(controls.selectedRows.at(kList), std::vector<int>{0});
  EXPECT_EQ(controls.selectionMarks.at(kList), 0);
}

// Weekday sets, repeats and holidays; a record using none keeps the text above.
TEST_F(SettingsTest, WhenTextsOfWeekdaySetsRepeatsAndHolidays) {
  const struct {
    int day, week, weekdays, skipHoliday, repeatMinutes, repeatUntil;
    const char* when;
  } cases[] = {
      {0, 2, 0x2a, 0, 0, 0, "毎週月・水・金曜日07時05分から任意"},
      {0, 2, 0x3e, 0, 0, 0, "平日07時05分から任意"},
      {0, 1, 0x41, 0, 0, 0, "土日07時05分から任意"},
      {0, 3, 0x7f, 1, 0, 0, "毎週日・月・火・水・木・金・土曜日07時05分から任意（祝日除く）"},
      {0, 0, 0, 0, 60, 1800, "毎日07時05分から任意、18時00分まで1時間ごと"},
      {15, 0, 0, 1, 15, 1230, "毎月15日07時05分から任意、12時30分まで15分ごと（祝日除く）"},
      // An interval the editor does not offer; a set of a record that is not weekly.
      {0, 0, 0x3e, 0, 90, 2359, "毎日07時05分から任意、23時59分まで90分ごと"},
      // A repeat that never repeats, and a set of days that names none, are not told.
      {0, 7, 0x80, 0, 60, 600, "毎週土曜日07時05分から任意"},
  };
  int index = 0;
  for (const auto& c : cases) {
    Reservation& slot = Message(index++, 0, c.day, "");
    slot.Time = 0;
    slot.Week = c.week;
    slot.Weekdays = c.weekdays;
    slot.SkipHoliday = c.skipHoliday;
    slot.RepeatMinutes = c.repeatMinutes;
    slot.RepeatUntil = c.repeatUntil;
  }
  OpenSettings();
  ASSERT_EQ(Rows().size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(Rows()[i][0], cases[i].when) << i;
}

// Listed with its file; the editor shows it as a sound and OK hands it back as one.
TEST_F(SettingsTest, ASoundRowNamesItsFileAndTheEditorKeepsIt) {
  Reservation& sound = Message(0, 0, 0, "");
  sound.Action = ACTION_SOUND;
  sound.Time = 5;
  cp932::CopyToField(sound.FileName, "C:\\音\\朝.wav");
  std::string shownFile;
  bool shownAsSound = false;
  OpenSettings(
      [](CSettingsDlg& dialog, FakeDialog& controls) {
        controls.SetSelectionMark(kList, 0);
        dialog.OnCommand(IDC_CHANGE_RESERVATION);
      },
      [&](CReservationDlg&, FakeDialog& controls) {
        shownFile = controls.texts[IDC_SOUND_FILE];
        shownAsSound = controls.IsButtonChecked(IDC_ACTION_SOUND);
      });
  EXPECT_EQ(shownFile, "C:\\音\\朝.wav");
  EXPECT_TRUE(shownAsSound);
  ASSERT_EQ(Rows().size(), 1u);
  EXPECT_EQ(Rows()[0], (Row{"毎日07時05分から10分間", "サウンド再生", "C:\\音\\朝.wav", "しない"}));
  EXPECT_EQ(Slot(0).Action, ACTION_SOUND);
  EXPECT_EQ(Slot(0).FileName, std::string("C:\\音\\朝.wav"));
  EXPECT_EQ(Slot(0).Time, 5);
}

TEST_F(SettingsTest, ALongFileCellIsCutWithinItsBufferAtACharacterBoundary) {
  Reservation& file = Message(0, 1, 1, "");
  file.Action = ACTION_FILE;
  // 2 + 128 x 2 = 258 bytes of path, then " /" and a 15-byte verb; byte 255 would be the
  // first half of a character.
  std::string path = "CD";
  for (int i = 0; i < 128; ++i) path += "表";
  cp932::CopyToField(file.FileName, path);
  cp932::CopyToField(file.Command, "abcdefghijklmno");
  OpenSettings();
  const std::string cell = Rows()[0][2];
  EXPECT_EQ(cell, path.substr(0, 254));
}

TEST_F(SettingsTest, ButtonsAndMenuItemsFollowTheRowCount) {
  std::vector<int> grayedEmpty;
  OpenSettings([&](CSettingsDlg& dialog, FakeDialog& controls) {
    dialog.OnListRightClick(kList);
    grayedEmpty = controls.listMenus.at(0);
  });
  const FakeDialog& empty = SettingsControls();
  EXPECT_TRUE(empty.rows.at(kList).empty());
  EXPECT_EQ(empty.selectedRows.count(kList), 0u) << "no row, no selection";
  EXPECT_TRUE(empty.IsEnabled(IDC_NEW_RESERVATION));
  EXPECT_FALSE(empty.IsEnabled(IDC_CHANGE_RESERVATION));
  EXPECT_FALSE(empty.IsEnabled(IDC_DELETE_RESERVATION));
  EXPECT_EQ(grayedEmpty, (std::vector<int>{ID_CHANGE_RESERVATION, ID_DELETE_RESERVATION}));

  for (int i = 0; i < 8; ++i) Message(i, 1, 1, "full");
  std::vector<int> grayedFull;
  OpenSettings([&](CSettingsDlg& dialog, FakeDialog& controls) {
    dialog.OnListRightClick(kList);
    grayedFull = controls.listMenus.at(0);
  });
  const FakeDialog& full = fake.dialogs.dialogs.back();
  EXPECT_FALSE(full.IsEnabled(IDC_NEW_RESERVATION));
  EXPECT_TRUE(full.IsEnabled(IDC_CHANGE_RESERVATION));
  EXPECT_TRUE(full.IsEnabled(IDC_DELETE_RESERVATION));
  EXPECT_EQ(grayedFull, std::vector<int>{ID_NEW_RESERVATION});
}

TEST_F(SettingsTest, NewOpensTheEditorOnNowAndAddsTheRowBehindTheOthers) {
  Message(0, 3, 3, "前");
  fake.drives.cdRoms.insert('D');
  Reservation shown{};
  OpenSettings([](CSettingsDlg& dialog, FakeDialog&) { dialog.OnCommand(IDC_NEW_RESERVATION); },
               [&](CReservationDlg& editor, FakeDialog&) { shown = editor.GetReservation(); });
  EXPECT_EQ((std::vector<int>{shown.Month, shown.Day, shown.Week, shown.Hour, shown.Minute}),
            (std::vector<int>{12, 7, 0, 9, 41}));
  EXPECT_EQ((std::vector<int>{shown.Action, shown.Drive, shown.Track, shown.Time, shown.Erace}),
            (std::vector<int>{ACTION_CD, 4, 1, 0, 1}));
  EXPECT_EQ(shown.Message, std::string("hello"));
  EXPECT_EQ(shown.FileName, std::string("C:\\Tools\\readme.txt"));
  ASSERT_EQ(fake.dialogs.runs.size(), 2u);
  EXPECT_EQ(fake.dialogs.runs[1].owner, SettingsControls().Handle()) << "owned by the settings";

  ASSERT_EQ(Rows().size(), 2u);
  EXPECT_EQ(Rows()[1][0], "12月07日09時41分から任意");
  EXPECT_EQ(SettingsControls().selectedRows.at(kList), std::vector<int>{1}) << "the new row";
  EXPECT_EQ(Slot(1).Drive, 4);
}

TEST_F(SettingsTest, WithoutACdRomDriveANewReservationNamesDriveE) {
  Reservation shown{};
  OpenSettings([](CSettingsDlg& dialog, FakeDialog&) { dialog.OnCommand(ID_NEW_RESERVATION); },
               [&](CReservationDlg& editor, FakeDialog& controls) {
                 shown = editor.GetReservation();
                 controls.EndDialog(DialogResult::kCancel);
               });
  EXPECT_EQ(shown.Drive, 5);
  EXPECT_EQ(fake.drives.asked.front(), 'A');
  EXPECT_EQ(fake.drives.asked.size(), 26u);
  EXPECT_TRUE(Rows().empty()) << "Cancel adds nothing";
}

TEST_F(SettingsTest, OffConfirmedRemovesTheRowAndTheRowsBehindMoveUp) {
  Message(0, 1, 1, "一");
  Message(1, 2, 2, "二");
  Message(2, 3, 3, "三");
  OpenSettings(
      [](CSettingsDlg& dialog, FakeDialog& controls) {
        controls.SetSelectionMark(kList, 1);
        dialog.OnCommand(IDC_CHANGE_RESERVATION);
        // New, then OFF with the deletion confirmed: no row is added.
        dialog.OnCommand(IDC_NEW_RESERVATION);
      },
      [](CReservationDlg&, FakeDialog& controls) {
        ChooseAction(controls, IDC_ACTION_OFF);
        controls.answers = {true};
      });
  ASSERT_EQ(Rows().size(), 2u);
  EXPECT_EQ(Rows()[0][2], "一");
  EXPECT_EQ(Rows()[1][2], "三");
  EXPECT_EQ(SettingsControls().selectionMarks.at(kList), 1) << "the last row";
  EXPECT_EQ(Slot(1).Message, std::string("三"));
  EXPECT_EQ(Slot(2).Month, SLOT_EMPTY);
}

TEST_F(SettingsTest, DeletingTheOnlyRowLeavesAnEmptyList) {
  Message(0, 1, 1, "一");
  bool deleteMode = false;
  OpenSettings([](CSettingsDlg& dialog, FakeDialog&) { dialog.OnCommand(ID_DELETE_RESERVATION); },
               [&](CReservationDlg&, FakeDialog& controls) {
                 deleteMode = controls.IsVisible(IDC_DELETE_QUESTION) &&
                              !controls.IsEnabled(IDC_ACTION_MESSAGE);
               });
  EXPECT_TRUE(deleteMode) << "the editor asks in delete-confirm mode";
  EXPECT_TRUE(Rows().empty());
  EXPECT_TRUE(SettingsControls().IsEnabled(IDC_NEW_RESERVATION));
  EXPECT_FALSE(SettingsControls().IsEnabled(IDC_DELETE_RESERVATION));
  EXPECT_EQ(Slot(0).Month, SLOT_EMPTY);
}

TEST_F(SettingsTest, CancelKeepsTheTableTheOptionAndTheRunKeys) {
  Message(0, 1, 1, "一");
  fake.runKey.values[Hive::kMachine]["Other"] = "x";
  OpenSettings([](CSettingsDlg& dialog, FakeDialog& controls) {
    dialog.OnCommand(IDC_DELETE_RESERVATION);
    controls.CheckButton(IDC_NO_ERROR, true);
    controls.CheckButton(IDC_AUTOSTART, true);
    dialog.OnCancel();
  });
  EXPECT_TRUE(Rows().empty()) << "the edited copy lost the row";
  EXPECT_EQ(Slot(0).Message, std::string("一"));
  EXPECT_EQ(fake.frame.NoError(), 0);
  EXPECT_EQ(fake.runKey.values[Hive::kMachine].size(), 1u);
  EXPECT_EQ(fake.profile.writes, 0);
}

// The days-off dialog edits the settings' copy: its OK changes the copy, its Cancel nothing,
// and only the settings' OK hands the copy to the frame, which writes the profile.
TEST_F(SettingsTest, DaysOffReachTheFrameThroughTheDaysOffOkAndThenTheSettingsOk) {
  const auto pick = [](FakeDialog& controls, int yearIndex, int month, int day) {
    controls.SetComboSelection(IDC_DAY_OFF_YEAR, yearIndex);
    controls.SetComboSelection(IDC_DAY_OFF_MONTH, month - 1);
    controls.SetComboSelection(IDC_DAY_OFF_DAY, day - 1);
  };
  std::vector<std::vector<std::vector<std::string>>> shown;  // the list of each days-off run
  const auto play = [&](bool settingsOk) {
    fake.dialogs.whileOpen = [&, settingsOk](int templateId, DialogHandler& handler,
                                             FakeDialog& controls) {
      if (templateId == IDD_SETTINGS) {
        handler.OnCommand(IDC_DAYS_OFF);
        handler.OnCommand(IDC_DAYS_OFF);
        if (!settingsOk) handler.OnCancel();
        return;
      }
      ASSERT_EQ(templateId, IDD_DAYS_OFF);
      shown.push_back(controls.rows[IDC_DAY_OFF_LIST]);
      EXPECT_EQ(controls.texts[IDC_DAY_OFF_DAY], "7日") << "the clock's local date";
      // The first run adds 29 December every year and ends with OK; the second adds 2027/01/04
      // and is cancelled.
      const bool first = shown.size() % 2 == 1;
      pick(controls, first ? 0 : 2, first ? 12 : 1, first ? 29 : 4);
      handler.OnCommand(IDC_ADD_DAY_OFF);
      if (first) {
        handler.OnOK();
      } else {
        handler.OnCancel();
      }
    };
    fake.frame.OnCommand(ID_SETTINGS);
  };

  play(false);
  EXPECT_EQ(fake.profile.writes, 0) << "the settings' Cancel drops what the days-off OK did";
  play(true);
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_TRUE(shown[2].empty()) << "a cancelled settings dialog left nothing";
  EXPECT_EQ(shown[3], (std::vector<std::vector<std::string>>{{"毎年 12月29日"}}));
  const FakeDialogHost::Run& daysOff = fake.dialogs.runs[4];
  EXPECT_EQ(daysOff.templateId, IDD_DAYS_OFF);
  EXPECT_TRUE(daysOff.owned);
  EXPECT_EQ(daysOff.owner, fake.dialogs.dialogs[3].Handle()) << "owned by the settings dialog";
  EXPECT_EQ(fake.profile.writes, 1);
  EXPECT_NE(fake.profile.contents.find("[HOLIDAY]\r\nDate1=12/29\r\n"), std::string::npos);
  EXPECT_EQ(fake.profile.contents.find("Date2"), std::string::npos) << "the cancelled day";
}

TEST_F(SettingsTest, TheOptionsReachTheFrameAndTheRunKeyOnOk) {
  fake.frame.SetNoError(1);
  bool noErrorShown = false;
  std::vector<std::string> snoozeChoices;
  std::string snoozeShown;
  OpenSettings([&](CSettingsDlg&, FakeDialog& controls) {
    noErrorShown = controls.IsButtonChecked(IDC_NO_ERROR);
    controls.CheckButton(IDC_NO_ERROR, false);
    controls.CheckButton(IDC_AUTOSTART, true);
    snoozeChoices = controls.comboItems[IDC_SNOOZE_MINUTES];
    snoozeShown = controls.texts[IDC_SNOOZE_MINUTES];
    controls.SetComboSelection(IDC_SNOOZE_MINUTES, 5);
  });
  EXPECT_TRUE(noErrorShown);
  EXPECT_EQ(snoozeChoices, (std::vector<std::string>{"1分", "3分", "5分", "10分", "15分", "30分"}));
  EXPECT_EQ(snoozeShown, "5分");
  EXPECT_NE(fake.profile.contents.find("\r\nSnoozeMinutes=30\r\n"), std::string::npos);
  EXPECT_EQ(fake.frame.NoError(), 0);
  const std::string data = fake.runKey.values[Hive::kMachine]["Chimeday"];
  ASSERT_EQ(data.size(), 260u);
  EXPECT_EQ(data.substr(0, 22), std::string("C:\\Tools\\chimeday.exe") + '\0');
  EXPECT_EQ(data.find_first_not_of('\0', 21), std::string::npos) << "zeros behind the path";
  EXPECT_TRUE(fake.runKey.values[Hive::kUser].empty());
  EXPECT_FALSE(fake.dialogs.runs[0].owned) << "owned by the hidden frame: no taskbar button";
  EXPECT_EQ(fake.profile.writes, 1);
  EXPECT_TRUE(fake.alerts.boxes.empty());
}

// Told once after each time the user turns it on; the key, once written, stays.
TEST_F(SettingsTest, TheWakeOptionIsStoredSetsTheTimerAndTellsOnceThatTheSystemCannotWake) {
  Message(0, 0, 0, "毎日");  // 07:05 every day
  fake.wakeTimer.wakes = false;
  const auto setWake = [&](bool on) {
    bool shown = false;
    OpenSettings([&](CSettingsDlg&, FakeDialog& controls) {
      shown = controls.IsButtonChecked(IDC_WAKE);
      controls.CheckButton(IDC_WAKE, on);
    });
    return shown;
  };
  EXPECT_FALSE(setWake(true));
  EXPECT_NE(fake.profile.contents.find("\r\nNoError=0\r\nWakeUp=1\r\n[DATA0]"), std::string::npos);
  EXPECT_EQ(fake.wakeTimer.due, UtcSeconds(2026, 12, 8, 7, 4, 0));
  ASSERT_EQ(fake.alerts.boxes.size(), 1u);
  EXPECT_EQ(fake.alerts.boxes[0].text,
            "予約時刻にスリープから復帰するためのタイマーを設定できませんでした。\n"
            "電源オプションの「スリープ解除タイマーの許可」を有効にしてください。");
  EXPECT_EQ(fake.alerts.boxes[0].caption, "鳴刻エラー");

  fake.frame.OnCommand(ID_QUICK_RESERVATION);
  EXPECT_TRUE(setWake(true));
  EXPECT_EQ(fake.alerts.boxes.size(), 1u) << "kept on: not told again";

  EXPECT_TRUE(setWake(false));
  EXPECT_EQ(fake.wakeTimer.due, FakeWakeTimer::kCancelled);
  EXPECT_NE(fake.profile.contents.find("NoError=0\r\nWakeUp=0\r\n"), std::string::npos);
  EXPECT_FALSE(setWake(true));
  EXPECT_EQ(fake.alerts.boxes.size(), 2u) << "turned on again: told again";
}

TEST_F(SettingsTest, AnOkThatCannotBeSavedIsToldWhateverNoErrorSaysAndStillApplies) {
  fake.frame.SetNoError(1);
  fake.profile.writable = false;
  Message(0, 1, 1, "一");
  bool busyMeanwhile = false;
  fake.alerts.whileOpen = [&] { busyMeanwhile = fake.busy.IsBusy(); };
  OpenSettings([](CSettingsDlg& dialog, FakeDialog&) { dialog.OnCommand(IDC_DELETE_RESERVATION); });
  ASSERT_EQ(fake.alerts.boxes.size(), 1u);
  EXPECT_EQ(fake.alerts.boxes[0].text, "設定を保存できませんでした。\nC:\\Tools\\chimeday.ini");
  EXPECT_EQ(fake.alerts.boxes[0].caption, "鳴刻エラー");
  EXPECT_TRUE(busyMeanwhile);
  EXPECT_FALSE(fake.busy.IsBusy());
  EXPECT_EQ(Slot(0).Month, SLOT_EMPTY) << "the edit holds for this run";
}

TEST_F(SettingsTest, AStandardUserGetsTheValueUnderItsOwnKeyAndUncheckingClearsBoth) {
  fake.runKey.readOnly.insert(Hive::kMachine);
  OpenSettings(
      [](CSettingsDlg&, FakeDialog& controls) { controls.CheckButton(IDC_AUTOSTART, true); });
  EXPECT_EQ(fake.runKey.values[Hive::kUser].count("Chimeday"), 1u);

  bool shown = false;
  fake.runKey.readOnly.clear();
  fake.runKey.values[Hive::kMachine]["Chimeday"] = "old";
  OpenSettings([&](CSettingsDlg&, FakeDialog& controls) {
    shown = controls.IsButtonChecked(IDC_AUTOSTART);
    controls.CheckButton(IDC_AUTOSTART, false);
  });
  EXPECT_TRUE(shown);
  EXPECT_TRUE(fake.runKey.values[Hive::kMachine].empty());
  EXPECT_TRUE(fake.runKey.values[Hive::kUser].empty());
}

// After OK with the box checked exactly one key holds the value: the machine's where it could
// be written, else the user's. A standard user can change neither the machine's key nor its
// value, and a value there already starts the program.
TEST_F(SettingsTest, AfterOkExactlyOneRunKeyHoldsTheValue) {
  const struct {
    bool machine, user, standard;
    const char* after;  // machine, user: '-' none, 'o' the old value, 'n' this program's path
  } cases[] = {
      {false, false, false, "n-"}, {true, false, false, "n-"}, {false, true, false, "n-"},
      {true, true, false, "n-"},   {false, false, true, "-n"}, {true, false, true, "o-"},
      {false, true, true, "-n"},   {true, true, true, "o-"},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(std::string(each.machine ? "machine " : "") + (each.user ? "user " : "") +
                 (each.standard ? "standard" : "elevated"));
    FakeRunKey& runKey = fake.runKey;
    runKey = FakeRunKey();
    if (each.machine) runKey.values[Hive::kMachine]["Chimeday"] = "old";
    if (each.user) runKey.values[Hive::kUser]["Chimeday"] = "old";
    if (each.standard) runKey.readOnly.insert(Hive::kMachine);
    OpenSettings([&](CSettingsDlg&, FakeDialog& controls) {
      EXPECT_EQ(controls.IsButtonChecked(IDC_AUTOSTART), each.machine || each.user);
      controls.CheckButton(IDC_AUTOSTART, true);
    });
    std::string after;
    for (Hive hive : {Hive::kMachine, Hive::kUser}) {
      const auto found = runKey.values[hive].find("Chimeday");
      after += found == runKey.values[hive].end() ? '-' : found->second == "old" ? 'o' : 'n';
    }
    EXPECT_EQ(after, each.after);
  }
}

TEST_F(SettingsTest, OnlyTheExactValueNameChecksAutostart) {
  fake.runKey.values[Hive::kMachine]["chimeday"] = "lower case";
  fake.runKey.unreadable.insert(Hive::kUser);
  bool shown = true;
  OpenSettings([&](CSettingsDlg&, FakeDialog& controls) {
    shown = controls.IsButtonChecked(IDC_AUTOSTART);
    controls.EndDialog(DialogResult::kCancel);
  });
  EXPECT_FALSE(shown);
}

TEST_F(SettingsTest, WithNoSlotsEverythingIsOffButTheOptionsStillWork) {
  FakeFrame none(0);
  none.frame.SetNoError(0);
  none.dialogs.whileOpen = [](int, DialogHandler&, FakeDialog& controls) {
    controls.CheckButton(IDC_NO_ERROR, true);
  };
  none.frame.OnCommand(ID_SETTINGS);
  const FakeDialog& controls = none.dialogs.dialogs.front();
  EXPECT_FALSE(controls.IsEnabled(IDC_NEW_RESERVATION));
  EXPECT_FALSE(controls.IsEnabled(IDC_CHANGE_RESERVATION));
  EXPECT_FALSE(controls.IsEnabled(IDC_DELETE_RESERVATION));
  EXPECT_EQ(none.frame.NoError(), 1);
}

TEST_F(SettingsTest, WhileOpenTheUiIsBusyAndTheDialogIsInFront) {
  Message(0, 12, 7, "今");
  Slot(0).Hour = 9;
  Slot(0).Minute = 41;
  OpenSettings([&](CSettingsDlg&, FakeDialog& controls) {
    EXPECT_TRUE(fake.busy.IsBusy());
    EXPECT_EQ(fake.busy.FrontDialog(), controls.Handle());
    fake.frame.OnCommand(ID_SETTINGS);  // a second settings command
    fake.frame.OnTrayNotify(FrameHandler::TrayEvent::kLeftDown);
    fake.frame.CheckSchedule();
  });
  EXPECT_EQ(fake.dialogs.runs.size(), 1u) << "no second settings dialog";
  EXPECT_EQ(fake.foreground.brought, std::vector<WindowHandle>{SettingsControls().Handle()});
  EXPECT_TRUE(fake.menu.tracked.empty());
  EXPECT_TRUE(fake.shell.calls.empty()) << "the due reservation did not run";
  EXPECT_FALSE(fake.busy.IsBusy());
  EXPECT_EQ(fake.busy.FrontDialog(), nullptr);
}

}  // namespace
