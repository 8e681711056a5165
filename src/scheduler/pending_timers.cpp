#include "scheduler/pending_timers.h"

#include <algorithm>

#include "reservations/reservation_table.h"
#include "text/number_text.h"
#include "texts.h"

void PendingTimers::Add(int slot, const Reservation& reservation, long long due) {
  const auto later = std::find_if(m_timers.begin(), m_timers.end(),
                                  [due](const Timer& timer) { return timer.due > due; });
  m_timers.insert(later, Timer{slot, reservation, due});
}

bool PendingTimers::Update(const ReservationTable& table) {
  auto holds = [&table](int slot, const Reservation& reservation) {
    return slot >= 0 && slot < table.Size() && SameReservation(table[slot], reservation);
  };
  bool forgotten = false;
  for (auto timer = m_timers.begin(); timer != m_timers.end();) {
    // The settings hand the table back packed: an unchanged timer stands in another slot then.
    for (int slot = 0; slot < table.Size() && !holds(timer->slot, timer->reservation); ++slot) {
      if (holds(slot, timer->reservation)) timer->slot = slot;
    }
    if (holds(timer->slot, timer->reservation)) {
      ++timer;
    } else {
      timer = m_timers.erase(timer);
      forgotten = true;
    }
  }
  return forgotten;
}

std::string PendingTimers::Tip() const {
  if (m_timers.empty()) return std::string();
  const Reservation& next = m_timers.front().reservation;
  return std::string(texts::kTrayTip) + " " + texts::kTimerTip + ClockText(next.Hour, next.Minute) +
         texts::kMinuteSuffix;
}
