#pragma once

#include <vector>

#include "reservations/reservation.h"

class ExecutableLocation;

// The number of slots when the profile does not say.
constexpr int kDefaultSlotCount = 32;

// The slot array. Its length is fixed once made; gaps (empty slots) may lie anywhere.
class ReservationTable {
 public:
  explicit ReservationTable(ExecutableLocation& location) : m_location(location) {}

  int Size() const { return static_cast<int>(m_slots.size()); }

  // Exactly `count` slots, each the default record (a negative count makes none).
  void ResetSlots(int count);
  // Exactly `count` slots with every field zero (a negative count makes none).
  void ResetZeroed(int count);
  // A copy of the slot, or the default record past the end.
  Reservation GetSlot(int index) const;
  // Stores nothing and answers false at or past the end.
  bool SetSlot(int index, const Reservation& record);
  // Closes the first gap before the last slot by moving every later slot down one.
  void CompactSlots();

  // In-place access, for callers that walk 0..Size()-1.
  Reservation& operator[](int index) { return m_slots[static_cast<std::size_t>(index)]; }
  const Reservation& operator[](int index) const {
    return m_slots[static_cast<std::size_t>(index)];
  }

 private:
  ExecutableLocation& m_location;
  std::vector<Reservation> m_slots;
};
