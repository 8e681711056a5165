#include "reservations/snooze_minutes.h"

#include <cstddef>

namespace {

// By the choice's place in kSnoozeChoices. Neither a digit nor a blank nor a lead byte of a
// double-byte character, so that the number before it and the text after it stay as they are.
constexpr char kMarks[] = {'a', 'b', ',', 'd', 'e', 'f'};
static_assert(sizeof kMarks == sizeof kSnoozeChoices / sizeof kSnoozeChoices[0]);

}  // namespace

int ValidSnoozeMinutes(int minutes) {
  for (const int choice : kSnoozeChoices) {
    if (choice == minutes) return minutes;
  }
  return kDefaultSnoozeMinutes;
}

char SnoozeMark(int minutes) {
  for (std::size_t i = 0; i < sizeof kMarks; ++i) {
    if (kSnoozeChoices[i] == minutes) return kMarks[i];
  }
  return ',';
}

int SnoozeMinutesOfMark(char mark) {
  for (std::size_t i = 0; i < sizeof kMarks; ++i) {
    if (kMarks[i] == mark) return kSnoozeChoices[i];
  }
  return kDefaultSnoozeMinutes;
}
