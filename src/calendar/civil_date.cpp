#include "calendar/civil_date.h"

namespace calendar {

Date NextDay(const Date& date) {
  if (date.day < DaysInMonth(date.year, date.month)) {
    return Date{date.year, date.month, date.day + 1};
  }
  if (date.month < 12) return Date{date.year, date.month + 1, 1};
  return Date{date.year + 1, 1, 1};
}

}  // namespace calendar
