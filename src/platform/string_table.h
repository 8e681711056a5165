#pragma once

#include <string>

// The program's string resources, as code page 932 text.
class StringTable {
 public:
  virtual ~StringTable() = default;
  // An id without an entry gives an empty text.
  virtual std::string Load(unsigned id) = 0;
};
