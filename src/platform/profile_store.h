#pragma once

#include <string>

// The profile file as a whole: read at once, replaced at once.
class ProfileStore {
 public:
  enum class ReadResult { kOk, kMissing, kFailed };

  virtual ~ProfileStore() = default;
  virtual ReadResult Read(std::string& bytes) = 0;
  // Replaces the file whole, or leaves the old one untouched when it fails.
  virtual bool Write(const std::string& bytes) = 0;
};
