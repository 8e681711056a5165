#pragma once

#include "platform/clock.h"

namespace win32 {

class Win32Clock : public Clock {
 public:
  long long Now() override;
  std::tm LocalTime(long long seconds) override;
  void Sleep(unsigned milliseconds) override;
};

}  // namespace win32
