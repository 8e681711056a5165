#pragma once

#include <cstdint>
#include <ctime>

class ExecutableLocation;

constexpr int32_t SLOT_EMPTY = 13;

constexpr int32_t ACTION_OFF = 0;
constexpr int32_t ACTION_CD = 1;
constexpr int32_t ACTION_FILE = 2;
constexpr int32_t ACTION_MESSAGE = 3;
constexpr int32_t ACTION_SOUND = 4;

// Drive n (1 to kDriveCount) is the n-th letter.
constexpr char kDriveLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr int kDriveCount = sizeof kDriveLetters - 1;

constexpr int kMessageSize = 62;
constexpr int kFileNameSize = 260;
constexpr int kCommandSize = 16;

// One reservation slot. Field names are the profile's key names ("Erace" included).
struct Reservation {
  int32_t Month;
  int32_t Day;
  int32_t Week;
  int32_t Hour;
  int32_t Minute;
  int32_t Action;
  int32_t Drive;
  int32_t Track;
  int32_t Time;  // a DurationIndex
  int32_t Erace;
  char Message[kMessageSize];
  char FileName[kFileNameSize];
  char Command[kCommandSize];
  // Written to the profile only once used, so that a profile that uses none stays as it was.
  int32_t Weekdays = 0;       // a weekly reservation's days, bit n for tm_wday n; 0: Week's alone
  int32_t SkipHoliday = 0;    // nonzero: not on a national holiday nor on a day off of the user's
  int32_t RepeatMinutes = 0;  // nonzero: again every so many minutes after Hour:Minute ...
  int32_t RepeatUntil = 0;    // ... up to this time of the day, hour x 100 + minute
};

// Indexes 0..13 of the duration list; Time holds one of them.
using DurationIndex = int32_t;
constexpr DurationIndex kDurationIndexCount = 14;

// Seconds of a DurationIndex; 0 (no limit) for index 0 and for every value outside 0..13.
int DurationSeconds(DurationIndex index);

// The same reservation: every field, the texts up to their ends.
bool SameReservation(const Reservation& a, const Reservation& b);

// A slot that holds no reservation.
inline bool IsEmpty(const Reservation& slot) { return slot.Month == SLOT_EMPTY; }
// A reservation the settings list shows: every month (0) or one of the twelve. The list ends at
// the first slot that is not.
inline bool IsListed(const Reservation& slot) { return slot.Month >= 0 && slot.Month <= 12; }

// An empty slot with the defaults of every profile key, its file the readme beside the
// executable: what a slot holds before the profile or the user says otherwise.
Reservation DefaultReservation(ExecutableLocation& location);
// The defaults as a one-off on the date and at the minute of `local`.
Reservation OneOffAt(const std::tm& local, ExecutableLocation& location);
