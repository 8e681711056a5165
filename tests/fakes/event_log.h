#pragma once

#include <string>
#include <utility>
#include <vector>

// What several fakes were asked, in one order, for tests of the order across ports.
using EventLog = std::vector<std::string>;

inline void Record(EventLog* log, std::string event) {
  if (log != nullptr) log->push_back(std::move(event));
}
