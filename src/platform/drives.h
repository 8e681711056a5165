#pragma once

// The kinds of the drives A: to Z:.
class Drives {
 public:
  virtual ~Drives() = default;
  // True when the drive of that letter ('A' to 'Z') is a CD-ROM drive.
  virtual bool IsCdRom(char letter) = 0;
};
