#include "reservations/reservation_table.h"

#include <gtest/gtest.h>

#include <cstring>

#include "fakes/fake_ports.h"

namespace {

class ReservationTableTest : public ::testing::Test {
 protected:
  ReservationTable MakeTable(int slots) {
    ReservationTable table;
    table.ResetSlots(slots, DefaultReservation(location));
    return table;
  }
  Reservation Named(int hour) {
    Reservation record = DefaultReservation(location);
    record.Month = 0;
    record.Hour = hour;
    return record;
  }
  // Hours of the slots, with -1 for an empty one.
  std::vector<int> Hours(const ReservationTable& table) {
    std::vector<int> hours;
    for (int i = 0; i < table.Size(); ++i) {
      hours.push_back(table[i].Month == SLOT_EMPTY ? -1 : table[i].Hour);
    }
    return hours;
  }

  FakeLocation location;
};

TEST_F(ReservationTableTest, DefaultRecordIsAnEmptySlotBesideTheExecutable) {
  location.directory = "C:\\鳴刻\\";
  const Reservation record = DefaultReservation(location);
  EXPECT_EQ(record.Month, SLOT_EMPTY);
  EXPECT_EQ(record.Track, 1);
  EXPECT_EQ(record.Action, ACTION_OFF);
  EXPECT_EQ(record.Day + record.Week + record.Hour + record.Minute + record.Drive + record.Time +
                record.Erace,
            0);
  EXPECT_STREQ(record.Message, "hello");
  EXPECT_STREQ(record.FileName, "C:\\鳴刻\\readme.txt");
  EXPECT_STREQ(record.Command, "");
}

TEST_F(ReservationTableTest, AccessPastTheEndNeverTouchesTheTable) {
  ReservationTable table = MakeTable(3);
  table.SetSlot(2, Named(5));
  EXPECT_FALSE(table.SetSlot(3, Named(9)));
  EXPECT_FALSE(table.SetSlot(-1, Named(9)));
  EXPECT_EQ(Hours(table), (std::vector<int>{-1, -1, 5}));
  EXPECT_TRUE(table.SetSlot(0, Named(1)));
  EXPECT_EQ(table[0].Hour, 1);

  ReservationTable none = MakeTable(0);
  EXPECT_EQ(none.Size(), 0);
  EXPECT_FALSE(none.SetSlot(0, Named(1)));
  none.CompactSlots();
  EXPECT_EQ(none.Size(), 0);
}

TEST_F(ReservationTableTest, CompactionClosesOnlyTheFirstGapBeforeTheLastSlot) {
  ReservationTable one = MakeTable(1);
  one.CompactSlots();
  EXPECT_EQ(Hours(one), (std::vector<int>{-1}));

  ReservationTable packed = MakeTable(3);
  packed.SetSlot(0, Named(1));
  packed.SetSlot(1, Named(2));
  packed.CompactSlots();
  EXPECT_EQ(Hours(packed), (std::vector<int>{1, 2, -1}));
  packed.SetSlot(2, Named(3));
  packed.CompactSlots();
  EXPECT_EQ(Hours(packed), (std::vector<int>{1, 2, 3}));

  ReservationTable gaps = MakeTable(5);
  gaps.SetSlot(0, Named(1));
  gaps.SetSlot(2, Named(2));
  gaps.SetSlot(4, Named(3));
  gaps.CompactSlots();
  EXPECT_EQ(Hours(gaps), (std::vector<int>{1, 2, -1, 3, -1}));
  // The last slot is marked empty but keeps the rest of what moved down from it.
  EXPECT_EQ(gaps[4].Month, SLOT_EMPTY);
  EXPECT_EQ(gaps[4].Hour, 3);
  EXPECT_EQ(gaps[3].Hour, 3);
  EXPECT_EQ(gaps[3].Month, 0);
}

TEST(DurationSecondsTest, OutsideTheListMeansNoLimit) {
  EXPECT_EQ(DurationSeconds(0), 0);
  EXPECT_EQ(DurationSeconds(1), 60);
  EXPECT_EQ(DurationSeconds(4), 300);
  EXPECT_EQ(DurationSeconds(13), 86400);
  EXPECT_EQ(DurationSeconds(14), 0);
  EXPECT_EQ(DurationSeconds(-1), 0);
}

}  // namespace
