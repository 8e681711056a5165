#pragma once

#include "platform/power.h"

namespace win32 {

class Win32Power : public Power {
 public:
  void KeepSystemAwake(bool on) override;
  void KeepDisplayOn(bool on) override;

 private:
  // The thread's request stands for both: each call replaces the one before.
  void Request();

  bool m_system = false;
  bool m_display = false;
};

}  // namespace win32
