#pragma once

// What was found late runs if it is no later than this, in seconds; an alarm going off long
// after its time would be a fault of its own.
inline constexpr long long kLateRunLimit = 600;
