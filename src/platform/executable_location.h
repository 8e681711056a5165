#pragma once

#include <string>

// Where the running executable lives.
class ExecutableLocation {
 public:
  virtual ~ExecutableLocation() = default;
  // The executable's directory with its trailing backslash, in code page 932.
  virtual std::string DirectoryCp932() = 0;
  // The executable's full path, in code page 932.
  virtual std::string FullPathCp932() = 0;
};
