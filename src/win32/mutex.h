#pragma once

#include <windows.h>

#include "platform/named_mutex.h"
#include "win32/handles.h"

namespace win32 {

class Win32Mutex : public NamedMutex {
 public:
  Result CreateOwned(const char* name) override;
  void Release() override;

 private:
  OwnedHandle m_handle;
};

}  // namespace win32
