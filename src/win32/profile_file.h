#pragma once

#include <string>
#include <utility>

#include "platform/profile_store.h"

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

}  // namespace win32
