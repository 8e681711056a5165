#pragma once

#include <iterator>

#include "reservations/reservation.h"
#include "texts.h"

// The lists index the names by DurationIndex.
static_assert(std::size(texts::kDurationNames) == kDurationIndexCount, "one name a duration");
