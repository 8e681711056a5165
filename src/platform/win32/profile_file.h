#pragma once

#include <string>

#include "platform/profile_store.h"

namespace win32 {

// The profile file at a UTF-16 path; written through a temporary file beside it that then
// replaces the old one, so a crash or a full disk never leaves half a profile.
class Win32ProfileFile : public ProfileStore {
 public:
  explicit Win32ProfileFile(std::wstring path) : m_path(std::move(path)) {}
  ReadResult Read(std::string& bytes) override;
  bool Write(const std::string& bytes) override;

 private:
  std::wstring m_path;
};

}  // namespace win32
