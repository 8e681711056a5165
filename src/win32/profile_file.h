#pragma once

#include <optional>
#include <string>

#include "platform/profile_store.h"
#include "platform/run_record.h"

namespace win32 {

// The profile file at a UTF-16 path; written through a temporary file beside it that then
// replaces the old one, so a crash or a full disk never leaves half a profile.
class Win32ProfileFile : public ProfileStore {
 public:
  explicit Win32ProfileFile(std::wstring path) : m_path(std::move(path)) {}
  // The first read, at start, also removes a temporary file that a save killed halfway left.
  ReadResult Read(std::string& bytes) override;
  bool Write(const std::string& bytes) override;
  std::string Path() override;

 private:
  // Fixed: a start finds by this name what a killed save of any version left, and removes it.
  std::wstring TemporaryPath() const { return m_path + L".tmp"; }

  std::wstring m_path;
  bool m_leftoverRemoved = false;
};

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
