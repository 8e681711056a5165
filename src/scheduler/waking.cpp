#include "scheduler/waking.h"

#include "platform/alerts.h"
#include "platform/clock.h"
#include "platform/power.h"
#include "platform/wake_timer.h"
#include "scheduler/next_due.h"
#include "texts.h"

namespace {

// How long before a reservation the system is woken: about what waking takes.
constexpr long long kWakeLeadSeconds = 60;

}  // namespace

Waking::Waking(const WakingPorts& ports, const Options& options)
    : m_ports(ports), m_options(options) {}

void Waking::Reset(const ReservationTable& table, std::optional<long long> alsoAt) {
  m_wakeAt.reset();
  // Refusing the suspend broadcasts is not enough on systems that no longer send them.
  if (!m_options.wakeUp) return HoldSystemAwake(true);
  const long long now = m_ports.clock.Now();
  std::optional<long long> due = NextDueTime(table, m_options.daysOff, now, m_ports.clock);
  if (alsoAt && (!due || *alsoAt < *due)) due = alsoAt;
  if (!due) {
    m_ports.wakeTimer.Cancel();
    return HoldSystemAwake(false);
  }
  // Within the last minute the reservation's own time still wakes the system, a little late.
  const long long wake = *due - kWakeLeadSeconds > now ? *due - kWakeLeadSeconds : *due;
  m_wakeAt = wake;
  const bool wakes = m_ports.wakeTimer.Set(wake);
  // A system that will not wake for the reservation is kept from sleeping through it.
  HoldSystemAwake(!wakes);
  if (wakes || !m_bTellWakeFailure) return;
  // Cleared first: the box's own loop runs ticks that may set the timer again.
  m_bTellWakeFailure = false;
  m_ports.alerts.ShowWarning(texts::kWakeUnavailable, texts::kErrorCaption);
}

void Waking::OptionsChanged(bool wasOn) {
  // Told once after each time the user turns it on, not at every start of a run.
  m_bTellWakeFailure = m_options.wakeUp != 0 && (!wasOn || m_bTellWakeFailure);
}

void Waking::Cancel() { m_ports.wakeTimer.Cancel(); }

void Waking::HoldDisplay() {
  if (!m_options.wakeUp || m_bDisplayHeld) return;
  // After a wake by the timer the display stays dark until something asks for it.
  m_ports.power.KeepDisplayOn(true);
  m_bDisplayHeld = true;
}

void Waking::ReleaseDisplay() {
  if (!m_bDisplayHeld) return;
  m_ports.power.KeepDisplayOn(false);
  m_bDisplayHeld = false;
}

void Waking::HoldSystemAwake(bool hold) {
  if (hold == m_bSystemHeld) return;
  m_ports.power.KeepSystemAwake(hold);
  m_bSystemHeld = hold;
}
