#pragma once

#include <string>

// The intervals the editor offers for a repeat within a day, in minutes, shortest first.
inline constexpr int kRepeatIntervals[] = {5, 10, 15, 20, 30, 60, 120, 180, 240, 360, 720};

// "30分", "2時間": the editor's items and the settings list's words alike, also for an
// interval a hand-edited profile holds that the list does not offer.
std::string RepeatIntervalName(int minutes);
