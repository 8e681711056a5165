#include "win32/power.h"

#include <windows.h>

namespace win32 {

void Win32Power::KeepSystemAwake(bool on) {
  m_system = on;
  Request();
}

void Win32Power::KeepDisplayOn(bool on) {
  m_display = on;
  Request();
}

void Win32Power::Request() {
  EXECUTION_STATE state = ES_CONTINUOUS;
  if (m_system || m_display) state |= ES_SYSTEM_REQUIRED;
  if (m_display) state |= ES_DISPLAY_REQUIRED;
  SetThreadExecutionState(state);
}

}  // namespace win32
