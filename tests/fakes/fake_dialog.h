#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/dialog_controls.h"

class FakeDialog : public DialogControls {
 public:
  struct Placement {
    int x, y, width, height;
    bool repaint;
  };
  void* Handle() override { return this; }
  void SetItemText(int id, const char* text) override { texts[id] = text; }
  void MoveWindow(int x, int y, int width, int height, bool repaint) override {
    placements.push_back({x, y, width, height, repaint});
  }
  Size ScreenSize() override { return screen; }
  Size WindowSize() override { return window; }
  void EndDialog(int result) override { results.push_back(result); }
  void StartTimer(unsigned id, unsigned periodMs) override { timers[id] = periodMs; }
  void StopTimer(unsigned id) override { timers.erase(id); }

  std::map<int, std::string> texts;
  std::vector<Placement> placements;
  std::vector<int> results;
  std::map<unsigned, unsigned> timers;  // running ones, by id
  Size screen{1024, 768};
  Size window{300, 100};
};
