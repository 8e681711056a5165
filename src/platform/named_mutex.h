#pragma once

// A mutex named across the session, held for the life of the process.
class NamedMutex {
 public:
  enum class Result { kCreated, kAlreadyExists, kFailed };

  virtual ~NamedMutex() = default;
  // Creates it initially owned; an existing one is opened, not owned.
  virtual Result CreateOwned(const char* name) = 0;
  // Releases it when this process owns it.
  virtual void Release() = 0;
};
