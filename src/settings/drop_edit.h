#pragma once

class DialogControls;

// The path edit that takes a file dropped on it.
class CDropEdit {
 public:
  void SubclassDlgItem(int id, DialogControls& controls);

  // Only the first file of a drop counts.
  void OnDropFiles(const char* firstFile);

 private:
  DialogControls* m_controls = nullptr;
  int m_id = 0;
};
