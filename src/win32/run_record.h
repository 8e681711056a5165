#pragma once

#include <optional>
#include <string>
#include <utility>

#include "platform/run_record.h"

namespace win32 {

// The record of the last run, a small file beside the profile holding the clock's second as a
// decimal line: like the table it speaks of, it belongs to the folder, and goes with it.
class Win32RunRecord : public RunRecord {
 public:
  explicit Win32RunRecord(std::wstring path) : m_path(std::move(path)) {}
  std::optional<long long> Take() override;
  void Leave(long long lastCheck) override;

 private:
  std::wstring m_path;
};

}  // namespace win32
