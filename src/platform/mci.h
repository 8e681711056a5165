#pragma once

// The multimedia control interface's command strings.
class Mci {
 public:
  virtual ~Mci() = default;
  // True on success. With `reply`, the answer text lands there; with `notify`, the device
  // tells the frame's window when a play command ends (FrameHandler::OnMciNotify).
  virtual bool SendString(const char* command, char* reply, unsigned replySize, bool notify) = 0;
  // The id of the open device called `name` (its alias, or the name it was opened by), which
  // its notifications carry; 0 when none is open under that name.
  virtual unsigned DeviceId(const char* name) = 0;
};
