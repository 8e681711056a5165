#pragma once

#include "reservations/days_off.h"
#include "reservations/snooze_minutes.h"

// The options that the settings dialog edits beside the table, one value from the profile to
// the dialog and back to the frame. A new option is a field here, its key in the profile's
// table, its control in the settings dialog's table, and its use.
struct Options {
  int noError = 1;  // "NoError": nonzero, failures are not shown
  int wakeUp = 0;   // "WakeUp": nonzero, the system is woken for the next reservation
  // "SnoozeMinutes": how much later a snoozed play or message comes back; one of the choices.
  int snoozeMinutes = kDefaultSnoozeMinutes;
  // [HOLIDAY]: the days on which a reservation that keeps clear of holidays does not fall due.
  DaysOff daysOff = {};
};
