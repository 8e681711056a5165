#include "reservations/reservation_table.h"

void ReservationTable::ResetSlots(int count) {
  m_slots.assign(count > 0 ? static_cast<std::size_t>(count) : 0, DefaultReservation(m_location));
}

void ReservationTable::ResetZeroed(int count) {
  m_slots.assign(count > 0 ? static_cast<std::size_t>(count) : 0, Reservation{});
}

Reservation ReservationTable::GetSlot(int index) const {
  if (index < 0 || index >= Size()) return DefaultReservation(m_location);
  return (*this)[index];
}

bool ReservationTable::SetSlot(int index, const Reservation& record) {
  if (index < 0 || index >= Size()) return false;
  (*this)[index] = record;
  return true;
}

void ReservationTable::CompactSlots() {
  const int count = Size();
  if (count <= 1) return;
  int gap = 0;
  while (gap < count - 1 && (*this)[gap].Month != SLOT_EMPTY) ++gap;
  if (gap == count - 1) return;
  for (int j = gap; j < count - 1; ++j) SetSlot(j, GetSlot(j + 1));
  (*this)[count - 1].Month = SLOT_EMPTY;
}
