#pragma once

// How many minutes later a snoozed play or message comes back: one of the settings' choices.
inline constexpr int kSnoozeChoices[] = {1, 3, 5, 10, 15, 30};
inline constexpr int kDefaultSnoozeMinutes = 5;

// A value from the profile that is not a choice reads as the default.
int ValidSnoozeMinutes(int minutes);

// The message command line's third character carries the snooze minutes: a comma for the
// default, so the line stays as it always was, else a letter. A reader that only drops the
// first three characters and reads the number before them misreads neither.
char SnoozeMark(int minutes);
// The minutes of a line's third character; the default for anything not written by SnoozeMark.
int SnoozeMinutesOfMark(char mark);
