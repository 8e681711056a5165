#include "reservations/reservation_table.h"

void ReservationTable::ResetSlots(int count, const Reservation& fill) {
  m_slots.assign(count > 0 ? static_cast<std::size_t>(count) : 0, fill);
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
  while (gap < count - 1 && !IsEmpty((*this)[gap])) ++gap;
  if (gap == count - 1) return;
  for (int j = gap; j < count - 1; ++j) (*this)[j] = (*this)[j + 1];
  (*this)[count - 1].Month = SLOT_EMPTY;
}

ReservationTable ReservationTable::Packed(const Reservation& fill) const {
  ReservationTable packed;
  packed.ResetSlots(Size(), fill);
  int next = 0;
  for (const Reservation& slot : m_slots) {
    if (!IsEmpty(slot)) packed[next++] = slot;
  }
  return packed;
}

int ReservationTable::LastFreeSlot() const {
  int index = Size() - 1;
  while (index >= 0 && !IsEmpty((*this)[index])) --index;
  return index;
}
