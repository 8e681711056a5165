#include "reservations/days_off.h"

#include "holidays/japanese_holidays.h"

namespace {

// A run of digits of exactly `width`, or -1.
int Digits(std::string_view text, std::size_t width) {
  if (text.size() != width) return -1;
  int value = 0;
  for (const char character : text) {
    if (character < '0' || character > '9') return -1;
    value = value * 10 + (character - '0');
  }
  return value;
}

std::string Padded(int value, std::size_t width) {
  std::string text = std::to_string(value);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

}  // namespace

std::optional<DayOff> ParseDayOff(std::string_view text) {
  DayOff dayOff{0, 0, 0};
  if (text.size() == 10) {
    if (text[4] != '/') return std::nullopt;
    dayOff.year = Digits(text.substr(0, 4), 4);
    if (dayOff.year < 1) return std::nullopt;
    text.remove_prefix(5);
  }
  if (text.size() != 5 || text[2] != '/') return std::nullopt;
  dayOff.month = Digits(text.substr(0, 2), 2);
  dayOff.day = Digits(text.substr(3), 2);
  if (dayOff.month < 1 || dayOff.month > 12 || dayOff.day < 1) return std::nullopt;
  // Every year's 29 February comes in leap years.
  const int year = dayOff.year != 0 ? dayOff.year : 2000;
  if (dayOff.day > calendar::DaysInMonth(year, dayOff.month)) return std::nullopt;
  return dayOff;
}

std::string DayOffText(const DayOff& dayOff) {
  std::string text = Padded(dayOff.month, 2) + "/" + Padded(dayOff.day, 2);
  return dayOff.year != 0 ? Padded(dayOff.year, 4) + "/" + text : text;
}

bool IsDayOff(const DaysOff& daysOff, const calendar::Date& date) {
  for (const DayOff& dayOff : daysOff) {
    if (dayOff.month == date.month && dayOff.day == date.day &&
        (dayOff.year == 0 || dayOff.year == date.year)) {
      return true;
    }
  }
  return IsJapaneseHoliday(date.year, date.month, date.day);
}
