#pragma once

#include <string>

// The decimal text of `value` in at least two columns, filled on the left with `fill`: what
// printf writes for "%02d" (fill '0') and "%2d" (fill ' '). printf would bring its whole
// formatting engine, floating point included, into the Windows executable.
std::string TwoColumnNumber(int value, char fill);

// A date of the calendar without its year, as the program writes it: "12月07日".
std::string MonthDayText(int month, int day);
// A time of day as the program writes it, "07時05": the caller adds the minutes' word ("分",
// "分から", "分まで") that its sentence needs.
std::string ClockText(int hour, int minute);
