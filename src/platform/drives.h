#pragma once

// What kind of drive a root path ("E:\") names.
class Drives {
 public:
  virtual ~Drives() = default;
  virtual unsigned DriveType(const char* rootPath) = 0;
};

constexpr unsigned kDriveCdRom = 5;
