#pragma once

#include "reservations/reservation.h"

// The durations as the settings list names them, by DurationIndex; the editor's list says
// more for index 0, no limit.
inline constexpr const char* kDurationNames[kDurationIndexCount] = {
    "任意",   "1分間", "2分間", "3分間", "5分間", "10分間", "15分間",
    "30分間", "1時間", "2時間", "3時間", "6時間", "12時間", "24時間"};
