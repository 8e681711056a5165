#pragma once

#include <vector>

#include "scheduler/cd_playback.h"

class FakeCd : public CdPlayback {
 public:
  int PlayCd(int slotIndex) override {
    played.push_back(slotIndex);
    return result;
  }
  std::vector<int> played;
  int result = 1;
};
