#pragma once

// What follows the program's path on a process command line: a quoted path ends at its
// closing quote, an unquoted one at the first character at or below the blank; the blanks
// and control characters behind it go too.
template <typename Char>
const Char* SkipProgramPath(const Char* commandLine) {
  const Char* p = commandLine;
  if (*p == Char('"')) {
    ++p;
    while (*p != Char(0) && *p != Char('"')) ++p;
    if (*p == Char('"')) ++p;
  } else {
    while (static_cast<unsigned>(*p) > 0x20u) ++p;
  }
  while (*p != Char(0) && static_cast<unsigned>(*p) <= 0x20u) ++p;
  return p;
}
