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
  if (m_timers.empty()) return false;
  auto holds = [&table](int slot, const Reservation& reservation) {
    return slot >= 0 && slot < table.Size() && SameReservation(table[slot], reservation);
  };
  std::vector<bool> claimed(static_cast<std::size_t>(table.Size()), false);
  std::vector<Timer*> moved;
  for (Timer& timer : m_timers) {
    if (holds(timer.slot, timer.reservation)) {
      claimed[static_cast<std::size_t>(timer.slot)] = true;
    } else {
      moved.push_back(&timer);
    }
  }
  if (moved.empty()) return false;
  // The settings hand the table back packed: an unchanged timer stands in another slot then.
  // Two timers alike are two slots, each followed to one of its own.
  for (Timer* timer : moved) {
    timer->slot = -1;
    for (int slot = 0; slot < table.Size() && timer->slot < 0; ++slot) {
      if (!claimed[static_cast<std::size_t>(slot)] && holds(slot, timer->reservation)) {
        timer->slot = slot;
        claimed[static_cast<std::size_t>(slot)] = true;
      }
    }
  }
  const auto gone = std::remove_if(m_timers.begin(), m_timers.end(),
                                   [](const Timer& timer) { return timer.slot < 0; });
  const bool forgotten = gone != m_timers.end();
  m_timers.erase(gone, m_timers.end());
  return forgotten;
}

std::string PendingTimers::Tip() const {
  if (m_timers.empty()) return std::string();
  const Reservation& next = m_timers.front().reservation;
  return std::string(texts::kTrayTip) + " " + texts::kTimerTip + TwoColumnNumber(next.Hour, '0') +
         texts::kHourSuffix + TwoColumnNumber(next.Minute, '0') + texts::kMinuteSuffix;
}
