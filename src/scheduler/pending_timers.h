#pragma once

#include <string>
#include <vector>

#include "reservations/reservation.h"

class ReservationTable;

// The timers set from the icon's menu that have not gone off yet, for the icon's tip. A timer is
// its one-off reservation: once the table no longer holds it (it ran and erased itself, it was
// told as missed, or it was deleted or changed in the settings), it is forgotten.
class PendingTimers {
 public:
  // `due`: about the clock second it goes off at, which orders the timers.
  void Add(int slot, const Reservation& reservation, long long due);
  // Forgets the timers the table no longer holds and follows those the settings moved to
  // another slot; true when one was forgotten.
  bool Update(const ReservationTable& table);
  // When the next one goes off, "鳴刻 タイマー 09時05分"; empty while none waits.
  std::string Tip() const;

 private:
  struct Timer {
    int slot;
    Reservation reservation;
    long long due;
  };

  std::vector<Timer> m_timers;  // the next to go off first
};
