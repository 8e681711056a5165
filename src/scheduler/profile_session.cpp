#include "scheduler/profile_session.h"

#include <optional>
#include <string>

#include "platform/alerts.h"
#include "platform/clock.h"
#include "platform/profile_store.h"
#include "texts.h"

namespace {

constexpr unsigned kProfileReadPauseMs = 100;

}  // namespace

ProfileSession::ProfileSession(const ProfileSessionPorts& ports)
    : m_ports(ports), m_profile(ports.store, ports.location, ports.codec) {}

bool ProfileSession::Load(ReservationTable& table, Options& options, int attempts) {
  std::optional<ProfileValues> values = m_profile.Load(table);
  for (int attempt = 1; !values; ++attempt) {
    if (attempt >= attempts) return false;
    m_ports.clock.Sleep(kProfileReadPauseMs);
    values = m_profile.Load(table);
  }
  m_nSlotCount = values->slotCount;
  options = values->options;
  return true;
}

bool ProfileSession::Save(const ReservationTable& table, const Options& options) {
  return m_profile.Save({m_nSlotCount, options}, table);
}

bool ProfileSession::ReportFailure(const char* what, bool offerRetry) {
  const std::string text = std::string(what) + "\n" + m_ports.store.Path();
  if (offerRetry) return m_ports.alerts.AskRetry(text.c_str(), texts::kErrorCaption);
  m_ports.alerts.ShowWarning(text.c_str(), texts::kErrorCaption);
  return false;
}
