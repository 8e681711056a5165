#include "reservations/reservation.h"

#include <cstring>
#include <string>

#include "platform/executable_location.h"
#include "text/cp932.h"
#include "texts.h"

int DurationSeconds(DurationIndex index) {
  static constexpr int kSeconds[kDurationIndexCount] = {
      0, 60, 120, 180, 300, 600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};
  if (index < 0 || index >= kDurationIndexCount) return 0;
  return kSeconds[index];
}

Reservation DefaultReservation(ExecutableLocation& location) {
  Reservation record{};
  record.Month = SLOT_EMPTY;
  record.Action = ACTION_OFF;
  record.Track = 1;
  cp932::CopyToField(record.Message, texts::kDefaultMessage);
  cp932::CopyToField(record.FileName, location.DirectoryCp932() + "readme.txt");
  return record;
}

Reservation OneOffAt(const std::tm& local, ExecutableLocation& location) {
  Reservation record = DefaultReservation(location);
  record.Month = local.tm_mon + 1;
  record.Day = local.tm_mday;
  record.Week = 0;
  record.Hour = local.tm_hour;
  record.Minute = local.tm_min;
  return record;
}

bool SameReservation(const Reservation& a, const Reservation& b) {
  return a.Month == b.Month && a.Day == b.Day && a.Week == b.Week && a.Hour == b.Hour &&
         a.Minute == b.Minute && a.Action == b.Action && a.Drive == b.Drive && a.Track == b.Track &&
         a.Time == b.Time && a.Erace == b.Erace &&
         std::strncmp(a.Message, b.Message, kMessageSize) == 0 &&
         std::strncmp(a.FileName, b.FileName, kFileNameSize) == 0 &&
         std::strncmp(a.Command, b.Command, kCommandSize) == 0 && a.Weekdays == b.Weekdays &&
         a.SkipHoliday == b.SkipHoliday && a.RepeatMinutes == b.RepeatMinutes &&
         a.RepeatUntil == b.RepeatUntil;
}
