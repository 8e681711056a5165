#pragma once

// The multimedia control interface's command strings.
class Mci {
 public:
  virtual ~Mci() = default;
  // 0 on success. With `reply`, the answer text lands there; with `notify`, the device posts
  // its completion to the frame's window when a play command ends.
  virtual unsigned SendString(const char* command, char* reply, unsigned replySize,
                              bool notify) = 0;
};

constexpr unsigned kMciNotifySuccessful = 1;
