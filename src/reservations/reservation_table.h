#pragma once

#include <vector>

#include "reservations/reservation.h"

// The number of slots when the profile does not say.
constexpr int kDefaultSlotCount = 32;

// The slot array. Its length is fixed once made; gaps (empty slots) may lie anywhere.
class ReservationTable {
 public:
  int Size() const { return static_cast<int>(m_slots.size()); }

  // Exactly `count` slots, each a copy of `fill` (a negative count makes none).
  void ResetSlots(int count, const Reservation& fill = Reservation{});
  // Stores nothing and answers false at or past the end.
  bool SetSlot(int index, const Reservation& record);
  // Closes the first gap before the last slot by moving every later slot down one.
  void CompactSlots();
  // The reservations in slot order, then copies of `fill` up to the same size.
  ReservationTable Packed(const Reservation& fill) const;
  // The last empty slot, where a quick reservation goes; -1 when the table is full.
  int LastFreeSlot() const;

  // In-place access, for callers that walk 0..Size()-1.
  Reservation& operator[](int index) { return m_slots[static_cast<std::size_t>(index)]; }
  const Reservation& operator[](int index) const {
    return m_slots[static_cast<std::size_t>(index)];
  }

 private:
  std::vector<Reservation> m_slots;
};
