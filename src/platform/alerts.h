#pragma once

// Message boxes and beeps. Texts are code page 932.
class Alerts {
 public:
  virtual ~Alerts() = default;
  // Modal; returns the button that closed it. The thread keeps dispatching messages meanwhile.
  virtual int ShowMessageBox(const char* text, const char* caption, unsigned style) = 0;
  virtual void PlayBeep(unsigned type) = 0;
};

constexpr unsigned kBoxOk = 0x00;
constexpr unsigned kBoxIconExclamation = 0x30;
constexpr unsigned kBeepDefault = 0;
