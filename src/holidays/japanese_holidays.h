#pragma once

// Whether a date is a day off in Japan by law: a national holiday, a substitute holiday or a
// day between two holidays. The rules are those in force from 2000 to 2099; any other year, and
// a date that does not exist, answers false.
bool IsJapaneseHoliday(int year, int month, int day);
