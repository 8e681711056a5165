#pragma once

// The shell's "run this file" service.
class Shell {
 public:
  virtual ~Shell() = default;
  // verb and file are code page 932 and go to the shell as they stand. True when the shell
  // started it.
  virtual bool ExecuteFile(const char* verb, const char* file) = 0;
  // Starts this program again (opened with "open") with the given code page 932 parameters.
  // The program's own path never passes through code page 932.
  virtual bool ExecuteSelf(const char* parameters) = 0;
};
