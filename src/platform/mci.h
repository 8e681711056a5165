#pragma once

// The multimedia control interface's command strings.
class Mci {
 public:
  virtual ~Mci() = default;
  // True on success. With `reply`, the answer text lands there; with `notify`, the device
  // tells the frame's window when a play command ends (FrameHandler::OnMciNotify).
  virtual bool SendString(const char* command, char* reply, unsigned replySize, bool notify) = 0;
};
