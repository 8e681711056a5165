#pragma once

#include <string>

// The decimal text of `value` in at least two columns, filled on the left with `fill`: what
// printf writes for "%02d" (fill '0') and "%2d" (fill ' '). printf would bring its whole
// formatting engine, floating point included, into the Windows executable.
std::string TwoColumnNumber(int value, char fill);

// A time of day as the program writes it, "07時05": the caller adds the minutes' word ("分",
// "分から", "分まで") that its sentence needs.
std::string ClockText(int hour, int minute);
