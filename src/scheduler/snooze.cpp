#include "scheduler/snooze.h"

#include <ctime>
#include <string>

#include "platform/clock.h"
#include "scheduler/late_run_limit.h"
#include "scheduler/tray.h"
#include "text/number_text.h"
#include "texts.h"

Snooze::Snooze(Clock& clock, Tray& tray) : m_clock(clock), m_tray(tray) {}

void Snooze::Set(int slotIndex, int minutes) {
  m_slot = slotIndex;
  m_due = m_clock.Now() + minutes * 60LL;
  const std::tm due = m_clock.LocalTime(m_due);
  m_tray.SetSnoozeTip(texts::kSnoozeTip + ClockText(due.tm_hour, due.tm_min) +
                      texts::kMinuteSuffix);
}

void Snooze::Cancel() {
  if (!m_slot) return;
  m_slot.reset();
  m_tray.SetSnoozeTip("");
}

std::optional<int> Snooze::TakeDue(long long now) {
  if (!m_slot || now < m_due) return std::nullopt;
  const std::optional<int> slot = m_slot;
  Cancel();
  // Slept through, as a reservation would be: the alarm is not rung hours after its time.
  if (now - m_due > kLateRunLimit) return std::nullopt;
  return slot;
}
