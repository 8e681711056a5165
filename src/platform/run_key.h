#pragma once

#include <string>
#include <vector>

// The registry's Run keys, whose values start programs when the user signs in.
class RunKey {
 public:
  enum class Hive { kMachine, kUser };

  virtual ~RunKey() = default;
  // The value names under the key; false when the key cannot be opened for reading.
  virtual bool ValueNames(Hive hive, std::vector<std::string>* names) = 0;
  // Sets a string value of exactly `size` bytes of `data`, creating the key when it is
  // missing; false when it cannot be written.
  virtual bool SetValue(Hive hive, const char* name, const char* data, int size) = 0;
  // A missing value is no error.
  virtual void DeleteValue(Hive hive, const char* name) = 0;
};
