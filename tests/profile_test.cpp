#include "reservations/profile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fakes/fake_ports.h"
#include "fakes/fake_text_codec.h"
#include "reservations/reservation_table.h"
#include "text/cp932.h"

namespace {

using ReadResult = ProfileStore::ReadResult;

std::string EmptySlotText(int index) {
  return "[DATA" + std::to_string(index) +
         "]\r\nMonth=13\r\nDay=0\r\nWeek=0\r\nHour=0\r\nMinute=0\r\nAction=0\r\nDrive=0\r\n"
         "Track=1\r\nTime=0\r\nErace=0\r\nMessage=hello\r\nFileName=C:\\Tools\\readme.txt\r\n"
         "Command=\r\n";
}

// A slot written in the user's own style: "\n" endings, lower-case keys, spaces.
std::string HandWrittenSlot(int index, int hour) {
  return "[DATA" + std::to_string(index) +
         "]\nmonth = 0\nDay=0\nWeek=2\nHour=" + std::to_string(hour) +
         "\nMinute=30\nAction=3\nDrive=0\nTrack=1\nTime=4\nErace=0\nMessage=起きて\n"
         "FileName=D:\\a.txt\nCommand=open\nColor=red\n\n";
}

// Little-endian bytes, as a file saved as "Unicode" holds them.
std::string Utf16Le(std::u16string_view text) {
  std::string bytes;
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

void ExpectSameRecord(const Reservation& actual, const Reservation& expected) {
  EXPECT_EQ(actual.Month, expected.Month);
  EXPECT_EQ(actual.Day, expected.Day);
  EXPECT_EQ(actual.Week, expected.Week);
  EXPECT_EQ(actual.Hour, expected.Hour);
  EXPECT_EQ(actual.Minute, expected.Minute);
  EXPECT_EQ(actual.Action, expected.Action);
  EXPECT_EQ(actual.Drive, expected.Drive);
  EXPECT_EQ(actual.Track, expected.Track);
  EXPECT_EQ(actual.Time, expected.Time);
  EXPECT_EQ(actual.Erace, expected.Erace);
  EXPECT_EQ(actual.Weekdays, expected.Weekdays);
  EXPECT_EQ(actual.SkipHoliday, expected.SkipHoliday);
  EXPECT_EQ(actual.RepeatMinutes, expected.RepeatMinutes);
  EXPECT_EQ(actual.RepeatUntil, expected.RepeatUntil);
  EXPECT_STREQ(actual.Message, expected.Message);
  EXPECT_STREQ(actual.FileName, expected.FileName);
  EXPECT_STREQ(actual.Command, expected.Command);
}

class ProfileTest : public ::testing::Test {
 protected:
  ProfileValues Load(const std::string& contents) {
    store.contents = contents;
    store.readResult = ReadResult::kOk;
    return profile.Load(table).value();
  }

  FakeProfileStore store;
  FakeLocation location;
  FakeTextCodec codec;
  Profile profile{store, location, codec};
  ReservationTable table;
};

TEST_F(ProfileTest, FirstRunWithoutAFileWritesEveryDefaultInOneWrite) {
  const ProfileValues values = profile.Load(table).value();
  EXPECT_EQ(values.slotCount, 32);
  EXPECT_EQ(values.options.noError, 1);
  ASSERT_EQ(table.Size(), 32);
  ExpectSameRecord(table[31], DefaultReservation(location));

  profile.Save(values, table);

  std::string expected = "[OPTION]\r\nArrayStock=32\r\nNoError=1\r\n";
  for (int index = 0; index < 32; ++index) expected += EmptySlotText(index);
  EXPECT_EQ(store.contents, expected);
  EXPECT_EQ(store.reads, 2);
  EXPECT_EQ(store.writes, 1);
}

// A profile of a user who never set an option keeps its bytes; once set, its key stays.
TEST_F(ProfileTest, NewOptionsAreWrittenOnlyOnceSet) {
  struct Row {
    const char* key;
    int Options::*field;
    int defaultValue;
    int setValue;
  };
  const Row rows[] = {
      {"WakeUp", &Options::wakeUp, 0, 1},
      {"SnoozeMinutes", &Options::snoozeMinutes, 5, 1},
  };
  const char kOld[] = "[OPTION]\r\nArrayStock=0\r\nNoError=1\r\n";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.key);
    const std::string key = std::string(row.key) + "=";
    ProfileValues values = Load(kOld);
    EXPECT_EQ(values.options.*row.field, row.defaultValue);
    profile.Save(values, table);
    EXPECT_EQ(store.contents, kOld);

    values.options.*row.field = row.setValue;
    profile.Save(values, table);
    EXPECT_EQ(store.contents, kOld + key + std::to_string(row.setValue) + "\r\n");
    EXPECT_EQ(Load(store.contents).options.*row.field, row.setValue);
    values.options.*row.field = row.defaultValue;
    profile.Save(values, table);
    EXPECT_EQ(store.contents, kOld + key + std::to_string(row.defaultValue) + "\r\n");
    EXPECT_EQ(Load(store.contents).options.*row.field, row.defaultValue);
  }
}

// Only the settings' choices are snooze times: a hand-edited other value is the default.
TEST_F(ProfileTest, SnoozeMinutesOutsideTheChoicesReadAsFive) {
  for (const char* value : {"30", "0", "7", "-1", "60", "x", "0x1"}) {
    SCOPED_TRACE(value);
    const int expected = std::string(value) == "30" ? 30 : std::string(value) == "0x1" ? 1 : 5;
    EXPECT_EQ(
        Load(std::string("[OPTION]\r\nSnoozeMinutes=") + value + "\r\n").options.snoozeMinutes,
        expected);
  }
}

// A slot that uses no weekday set, holiday or repeat keeps its bytes; once used, a key stays.
TEST_F(ProfileTest, ScheduleKeysAreWrittenOnlyOnceUsed) {
  const std::string old = "[OPTION]\r\nArrayStock=1\r\nNoError=1\r\n" + EmptySlotText(0);
  ProfileValues values = Load(old);
  profile.Save(values, table);
  EXPECT_EQ(store.contents, old);

  table[0].Weekdays = 0b0101010;
  table[0].RepeatMinutes = 30;
  table[0].RepeatUntil = 1730;
  profile.Save(values, table);
  EXPECT_EQ(store.contents, old + "Weekdays=42\r\nRepeatMinutes=30\r\nRepeatUntil=1730\r\n");
  table[0].Weekdays = 0;
  table[0].SkipHoliday = 1;
  profile.Save(values, table);
  EXPECT_EQ(store.contents,
            old + "Weekdays=0\r\nRepeatMinutes=30\r\nRepeatUntil=1730\r\nSkipHoliday=1\r\n");
}

TEST_F(ProfileTest, SavedSlotsLoadBackUnchanged) {
  table.ResetSlots(3);
  Reservation first = DefaultReservation(location);
  first.Month = 0;
  first.Week = 7;
  first.Hour = 23;
  first.Minute = 59;
  first.Action = ACTION_MESSAGE;
  first.Time = -5;
  first.Drive = -2147483647 - 1;
  first.Erace = 2147483647;
  first.Weekdays = 0b1000001;
  first.SkipHoliday = 1;
  first.RepeatMinutes = 60;
  first.RepeatUntil = 1800;
  cp932::CopyToField(first.Message, "朝会の時間です＝ソ表");
  cp932::CopyToField(first.FileName, "C:\\表示\\予定.txt");
  Reservation second = DefaultReservation(location);
  second.Month = 12;
  second.Action = ACTION_FILE;
  cp932::CopyToField(second.Message, "");
  cp932::CopyToField(second.Command, "");
  table[0] = first;
  table[1] = second;
  table[2] = DefaultReservation(location);
  profile.Save({3, 0}, table);

  Profile reloaded(store, location, codec);
  ReservationTable loaded;
  const ProfileValues values = reloaded.Load(loaded).value();
  EXPECT_EQ(values.slotCount, 3);
  EXPECT_EQ(values.options.noError, 0);
  ASSERT_EQ(loaded.Size(), 3);
  for (int index = 0; index < 3; ++index) ExpectSameRecord(loaded[index], table[index]);
}

TEST_F(ProfileTest, AbsentOrUnreadableValuesTakeTheirDefaults) {
  const ProfileValues values = Load(
      "[OPTION]\r\nArrayStock=8\r\nNoError=abc\r\n"
      "[DATA05]\r\nMonth=7\r\n"
      "[DATA5]\r\nMonth=4\r\n"
      "[DATA6]\r\nDay=\r\nWeek=x1\r\nHour= +7\r\nMinute=12min\r\nDrive=2147483648\r\n"
      "Action=0x80000000\r\nTrack=-3\r\nTime=-2147483648\r\nErace=99999999999\r\nMessage=\r\n"
      "Command=\r\n"
      "[DATA1]\r\nMonth=14\r\nHour=7\r\n[DATA2]\r\nMonth=-1\r\n[DATA3]\r\nMonth=0\r\n"
      "[DATA4]\r\nMonth=12\r\n");
  EXPECT_EQ(values.options.noError, 1);
  // A month that can never come is an empty slot, so it cannot end the settings list early.
  EXPECT_EQ(std::vector<int>(
                {table[1].Month, table[1].Hour, table[2].Month, table[3].Month, table[4].Month}),
            std::vector<int>({SLOT_EMPTY, 7, SLOT_EMPTY, 0, 12}));

  Reservation april = DefaultReservation(location);
  april.Month = 4;
  ExpectSameRecord(table[5], april);  // DATA05 is not slot 5

  const Reservation& odd = table[6];
  EXPECT_EQ(odd.Month, SLOT_EMPTY);
  EXPECT_EQ(odd.Day, 0);
  EXPECT_EQ(odd.Week, 0);
  EXPECT_EQ(odd.Hour, 7);
  EXPECT_EQ(odd.Minute, 12);
  EXPECT_EQ(odd.Action, 0);
  EXPECT_EQ(odd.Drive, 0);
  EXPECT_EQ(odd.Track, -3);
  EXPECT_EQ(odd.Time, -2147483647 - 1);
  EXPECT_EQ(odd.Erace, 0);
  EXPECT_STREQ(odd.Message, "");  // empty is a value, not the default
  EXPECT_STREQ(odd.FileName, "C:\\Tools\\readme.txt");
  EXPECT_STREQ(odd.Command, "");
}

// Files as editors and the system's profile functions write them, each with one slot of which
// the save appends the missing keys (kRest); what the save wrote must read back.
TEST_F(ProfileTest, FilesReadAsTheSystemReadsThemAndSavedWithEveryForeignLineKept) {
  const std::string kHead = "[OPTION]\r\nArrayStock=1\r\nNoError=0\r\n[DATA0]\r\n";
  const std::string kRest =
      "Month=13\r\nDay=0\r\nWeek=0\r\nMinute=0\r\nAction=0\r\nDrive=0\r\nTrack=1\r\nTime=0\r\n"
      "Erace=0\r\nFileName=C:\\Tools\\readme.txt\r\nCommand=\r\n";
  const auto slot = [&](const std::string& hour, const std::string& message) {
    return kHead + "Hour=" + hour + "\r\nMessage=" + message + "\r\n";
  };
  const std::string kMark8 = "\xEF\xBB\xBF";
  const std::string kMark16 = "\xFF\xFE";
  const std::u16string kHead16(kHead.begin(), kHead.end());
  const std::u16string kRest16(kRest.begin(), kRest.end());
  const std::string kCrAlone = "[OPTION]\rArrayStock=1\rNoError=0\r[DATA0]\rHour=7\rMessage=hi\r";
  const std::string kBlanks =
      "[OPTION]\r\n\v ArrayStock\f=\t1\v\r\nNoError=0\r\n[DATA0]\r\nHour=\f7\r\nMessage=\vhi\f\r\n";
  const struct {
    const char* what;
    std::string file;
    int hour;
    std::string message;
    const char* newMessage;  // set before the save
    std::string saved;
  } rows[] = {
      {"CR alone", kCrAlone, 7, "hi", nullptr, kCrAlone + kRest},
      {"CR inside CR LF", kHead + "Hour=7\rMessage=hi\r\n", 7, "hi", nullptr,
       kHead + "Hour=7\rMessage=hi\r\n" + kRest},
      {"CR CR LF", kHead + "Hour=7\r\r\nMessage=hi\r\r\n", 7, "hi", nullptr,
       kHead + "Hour=7\r\r\nMessage=hi\r" + kRest + "\r\n"},
      {"every blank", kBlanks, 7, "hi", nullptr, kBlanks + kRest},
      {"UTF-8 mark", "\xEF\xBB\xBF" + slot("7", "hi"), 7, "hi", nullptr,
       "\xEF\xBB\xBF" + slot("7", "hi") + kRest},
      {"double quotes", slot("7", "\"C:\\Program Files\\a.exe\""), 7, "C:\\Program Files\\a.exe",
       nullptr, slot("7", "\"C:\\Program Files\\a.exe\"") + kRest},
      {"single quotes", slot("7", " ' a ' "), 7, " a ", nullptr, slot("7", " ' a ' ") + kRest},
      {"hexadecimal, quotes that differ", slot("0x10", "\"x'"), 16, "\"x'", nullptr,
       slot("16", "\"x'") + kRest},
      {"signed hexadecimal, an open quote", slot("-0X7fffFFFF", "\"x"), -2147483647, "\"x", nullptr,
       slot("-2147483647", "\"x") + kRest},
      {"plus hexadecimal, a quote alone", slot("+0x1f", "'"), 31, "'", nullptr,
       slot("31", "'") + kRest},
      {"blanks written", slot("7", "hi"), 7, "hi", " two ", slot("7", "\" two \"") + kRest},
      {"quotes written", slot("7", "hi"), 7, "hi", "'q'", slot("7", "\"'q'\"") + kRest},
      {"UTF-16", kMark16 + Utf16Le(u"; ☃\r\n" + kHead16 + u"Hour=7\r\nMessage=鳴刻\r\n"), 7, "鳴刻",
       nullptr, kMark16 + Utf16Le(u"; ☃\r\n" + kHead16 + u"Hour=7\r\nMessage=鳴刻\r\n" + kRest16)},
      {"UTF-16 outside code page 932", kMark16 + Utf16Le(kHead16 + u"Hour=7\r\nMessage=☃x\r\n"), 7,
       "?x", nullptr, kMark16 + Utf16Le(kHead16 + u"Hour=7\r\nMessage=☃x\r\n" + kRest16)},
      {"UTF-16 rewritten, odd last byte", kMark16 + Utf16Le(kHead16 + u"Hour=7\rMessage=☃") + "A",
       7, "?", "予定", kMark16 + Utf16Le(kHead16 + u"Hour=7\rMessage=予定\r\n" + kRest16) + "A"},
      {"UTF-8", u8"; ☃\r\n" + slot("7", u8"鳴刻"), 7, "鳴刻", nullptr,
       u8"; ☃\r\n" + slot("7", u8"鳴刻") + kRest},
      {"UTF-8 mark, outside code page 932", kMark8 + slot("7", u8"☃x"), 7, "?x", nullptr,
       kMark8 + slot("7", u8"☃x") + kRest},
      {"UTF-8 rewritten", slot("7", u8"☃"), 7, "?", "予定", slot("7", u8"予定") + kRest},
      {"UTF-8 mark, code page 932", kMark8 + slot("7", "鳴刻"), 7, "鳴刻", nullptr,
       kMark8 + slot("7", "鳴刻") + kRest},
      {"UTF-8 mark, ASCII rewritten", kMark8 + slot("7", "hi"), 7, "hi", "予定",
       kMark8 + slot("7", "予定") + kRest},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const ProfileValues values = Load(row.file);
    ASSERT_EQ(values.slotCount, 1);
    EXPECT_EQ(values.options.noError, 0);
    EXPECT_EQ(table[0].Hour, row.hour);
    EXPECT_EQ(std::string(table[0].Message), row.message);

    if (row.newMessage != nullptr) cp932::CopyToField(table[0].Message, row.newMessage);
    profile.Save(values, table);
    EXPECT_EQ(store.contents, row.saved);
    const std::string written = table[0].Message;
    Load(store.contents);
    EXPECT_EQ(std::string(table[0].Message), written);
  }
}

// [HOLIDAY]: DateK read in K's order, gaps closed; what names no day, or a day listed already,
// is passed over and goes at the next save; keys the program does not own stay.
TEST_F(ProfileTest, DaysOffReadInNumberOrderAndSavedAsDate1ToDateN) {
  const std::string kHead = "[OPTION]\r\nArrayStock=0\r\nNoError=1\r\n";
  const std::u16string kHead16(kHead.begin(), kHead.end());
  const DaysOff kYearEnd = {{0, 12, 29}, {0, 12, 30}};
  const struct {
    const char* what;
    std::string file;
    DaysOff read;
    DaysOff saved;  // set before the save
    std::string written;
  } rows[] = {
      {"gaps and order",
       kHead + "[HOLIDAY]\r\nDate3=2027/05/06\r\nNote=mine\r\nDate1=12/29\r\n",
       {{0, 12, 29}, {2027, 5, 6}},
       {{0, 12, 29}, {2027, 5, 6}},
       kHead + "[HOLIDAY]\r\nNote=mine\r\nDate1=12/29\r\nDate2=2027/05/06\r\n"},
      {"unreadable and repeated values, foreign keys",
       kHead + "[HOLIDAY]\r\nDate1=13/01\r\nDate2=02/29\r\nDate0=01/01\r\nDate01=01/02\r\n"
               "Dates=01/04\r\nDate4=02/29\r\nDate5=2027/02/29\r\nDate6= \"01/03\" \r\n"
               "Date9999999=01/05\r\n",
       {{0, 2, 29}, {0, 1, 3}},
       {{0, 2, 29}, {0, 1, 3}},
       kHead + "[HOLIDAY]\r\nDate1=02/29\r\nDate2=01/03\r\nDate0=01/01\r\nDate01=01/02\r\n"
               "Dates=01/04\r\nDate9999999=01/05\r\n"},
      {"a day deleted, keys in another case",
       kHead + "[Holiday]\ndate1=12/29\ndate2=12/30\nDATE3=12/31\n",
       {{0, 12, 29}, {0, 12, 30}, {0, 12, 31}},
       {{0, 12, 30}},
       kHead + "[Holiday]\nDate1=12/30\n"},
      {"every day deleted",
       kHead + "[HOLIDAY]\r\nDate1=12/29\r\n; mine\r\n[Window]\r\n",
       {{0, 12, 29}},
       {},
       kHead + "[HOLIDAY]\r\n; mine\r\n[Window]\r\n"},
      {"the first days off",
       kHead,
       {},
       kYearEnd,
       kHead + "[HOLIDAY]\r\nDate1=12/29\r\nDate2=12/30\r\n"},
      {"UTF-16",
       "\xFF\xFE" + Utf16Le(kHead16 + u"[HOLIDAY]\r\nDate2=12/30\r\nDate1=12/29\r\n"),
       kYearEnd,
       {{0, 12, 30}},
       "\xFF\xFE" + Utf16Le(kHead16 + u"[HOLIDAY]\r\nDate1=12/30\r\n")},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    ProfileValues values = Load(row.file);
    EXPECT_EQ(values.options.daysOff, row.read);
    values.options.daysOff = row.saved;
    ASSERT_TRUE(profile.Save(values, table));
    EXPECT_EQ(store.contents, row.written);
    EXPECT_EQ(Load(store.contents).options.daysOff, row.saved);
  }
}

// Above 4096 the first 4096 slots are used and the count is written back as it was read.
TEST_F(ProfileTest, SlotCountBelowZeroIsTakenAs32AndAbove4096Uses4096) {
  const struct {
    const char* text;
    int count;
    int slots;
  } cases[] = {{"-1", 32, 32},       {"99999", 99999, 4096},
               {"4097", 4097, 4096}, {"4096", 4096, 4096},
               {"0", 0, 0},          {"1", 1, 1}};
  for (const auto& each : cases) {
    SCOPED_TRACE(each.text);
    const ProfileValues values = Load(std::string("[OPTION]\nArrayStock=") + each.text + "\n");
    EXPECT_EQ(values.slotCount, each.count);
    EXPECT_EQ(table.Size(), each.slots);
    ASSERT_TRUE(profile.Save(values, table));
    EXPECT_NE(store.contents.find("ArrayStock=" + std::to_string(each.count) + "\n"),
              std::string::npos);
    EXPECT_EQ(store.contents.find("[DATA" + std::to_string(each.slots) + "]"), std::string::npos);
  }
}

TEST_F(ProfileTest, OnlySlotsBelowTheCountAreRewrittenAndAllElseKeptByteForByte) {
  std::string slots2to31;
  for (int index = 2; index < 32; ++index) slots2to31 += HandWrittenSlot(index, 5);
  const std::string head = "; my alarms\r\n[option]\nArrayStock = 2\nNoError=0\nTheme=dark\n\n";
  const std::string data1 =
      "[DATA1]\nMonth=13\nDay=0\nWeek=0\nHour=0\nMinute=0\nAction=0\nDrive=0\nTrack=1\nTime=0\n"
      "Message=hello\nFileName=C:\\Tools\\readme.txt\nCommand=\n";
  // Days off as a user writes them: their order, spelling and a foreign key stay.
  const std::string tail =
      "[holiday]\ndate2 = '2027/05/06'\nNote=mine\nDate1=12/29\n[Window]\nLeft=10";
  const ProfileValues values =
      Load(head + HandWrittenSlot(0, 7) + data1 + "\n" + slots2to31 + tail);
  ASSERT_EQ(values.slotCount, 2);
  EXPECT_EQ(values.options.noError, 0);
  EXPECT_EQ(table[0].Week, 2);
  EXPECT_STREQ(table[0].Message, "起きて");
  EXPECT_EQ(values.options.daysOff, (DaysOff{{0, 12, 29}, {2027, 5, 6}}));

  table[0].Hour = 9;
  profile.Save(values, table);

  // DATA1 lacked Erace; it goes after its last entry, before the blank line.
  EXPECT_EQ(store.contents,
            head + HandWrittenSlot(0, 9) + data1 + "Erace=0\r\n\n" + slots2to31 + tail);
}

TEST_F(ProfileTest, SaveKeepsForeignContentWhenTheFileCannotBeReadAgain) {
  const ProfileValues values = Load("[Extra]\r\nKeep=me\r\n");
  store.contents += "[Later]\r\nAdded=while running\r\n";
  profile.Save(values, table);  // reads the file again and keeps both
  EXPECT_NE(store.contents.find("[Later]\r\nAdded=while running\r\n"), std::string::npos);

  store.readResult = ReadResult::kFailed;
  store.contents.clear();
  profile.Save(values, table);
  EXPECT_EQ(store.contents.rfind("[Extra]\r\nKeep=me\r\n[Later]\r\nAdded=while running\r\n", 0),
            0u);
  EXPECT_NE(store.contents.find("[DATA31]"), std::string::npos);

  store.readResult = ReadResult::kMissing;
  profile.Save(values, table);  // the file is gone: start afresh
  EXPECT_EQ(store.contents.find("[Extra]"), std::string::npos);
  EXPECT_EQ(store.contents.rfind("[OPTION]\r\n", 0), 0u);
}

TEST_F(ProfileTest, WriteFailureIsToldAndLeavesTheOldFile) {
  const ProfileValues values = Load("[OPTION]\r\nArrayStock=1\r\n");
  store.writable = false;
  table[0].Month = 3;
  EXPECT_FALSE(profile.Save(values, table));
  EXPECT_EQ(store.writes, 1);
  EXPECT_EQ(store.contents, "[OPTION]\r\nArrayStock=1\r\n");
}

TEST_F(ProfileTest, AFileThatCouldNotBeReadIsNeverWrittenOver) {
  store.contents = "[DATA0]\r\nMonth=4\r\n";
  store.readResult = ReadResult::kOk;
  store.failedReads = 1;
  EXPECT_FALSE(profile.Load(table).has_value());
  EXPECT_FALSE(profile.Save(ProfileValues{}, table));
  EXPECT_EQ(store.writes, 0);

  const ProfileValues values = profile.Load(table).value();
  EXPECT_EQ(table[0].Month, 4);
  EXPECT_TRUE(profile.Save(values, table));
  EXPECT_EQ(store.writes, 1);
}

TEST_F(ProfileTest, OverlongStringsAreCutAtACharacterBoundary) {
  const std::string sixty(60, 'm');
  const std::string filePath(258, 'f');
  Load(
      "[OPTION]\nArrayStock=2\n"
      "[DATA0]\nMessage=" +
      sixty + "鳴刻\nFileName=" + filePath +
      "表\nCommand=12345678901234あ\n"
      "[DATA1]\nMessage=" +
      sixty + "x鳴\nCommand=123456789012345\n");
  EXPECT_EQ(std::string(table[0].Message), sixty);
  EXPECT_EQ(std::string(table[0].FileName), filePath);
  EXPECT_STREQ(table[0].Command, "12345678901234");
  EXPECT_EQ(std::string(table[1].Message), sixty + "x");
  EXPECT_STREQ(table[1].Command, "123456789012345");
}

// Its cost is measured by the benchmark program; here only that the largest table round-trips.
TEST_F(ProfileTest, TheLargestTableRoundTrips) {
  ProfileValues values = Load("[OPTION]\r\nArrayStock=4096\r\n");
  profile.Save(values, table);
  values = profile.Load(table).value();
  table[4095].Hour = 1;
  profile.Save(values, table);
  ASSERT_EQ(table.Size(), 4096);
  EXPECT_NE(store.contents.find("[DATA4095]\r\nMonth=13\r\nDay=0\r\nWeek=0\r\nHour=1\r\n"),
            std::string::npos);
}

}  // namespace
