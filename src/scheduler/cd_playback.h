#pragma once

// The CD player as the executor sees it: plays a CD slot and reports its own failures.
class CdPlayback {
 public:
  virtual ~CdPlayback() = default;
  // 1 when the track plays, 0 after a failure.
  virtual int PlayCd(int slotIndex) = 0;
};
