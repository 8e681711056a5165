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
  void SetItemText(int id, const char* text) override { texts[id] = text; }
  void MoveWindow(int x, int y, int width, int height, bool repaint) override {
    placements.push_back({x, y, width, height, repaint});
  }
  Size ScreenSize() override { return screen; }
  void EndDialog(int result) override { results.push_back(result); }

  std::map<int, std::string> texts;
  std::vector<Placement> placements;
  std::vector<int> results;
  Size screen{1024, 768};
};
