#pragma once

#include "platform/string_table.h"

namespace win32 {

// The executable's string table.
class Win32Strings : public StringTable {
 public:
  std::string Load(unsigned id) override;
};

}  // namespace win32
