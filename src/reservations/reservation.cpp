#include "reservations/reservation.h"

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
