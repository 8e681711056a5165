#pragma once

#include <string>

// The profile file as a whole: read at once, replaced at once.
class ProfileStore {
 public:
  enum class ReadResult { kOk, kMissing, kFailed };

  virtual ~ProfileStore() = default;
  virtual ReadResult Read(std::string& bytes) = 0;
  // Replaces the file whole, or leaves the old one untouched when it fails. A file with the
  // read-only attribute is never replaced.
  virtual bool Write(const std::string& bytes) = 0;
  // The file's full path in code page 932, for telling the user which file failed.
  virtual std::string Path() = 0;
};
