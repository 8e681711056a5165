#pragma once

class DialogControls;
struct ChosenFile;

// The path edit that takes a file dropped on it.
class CDropEdit {
 public:
  void SubclassDlgItem(int id, DialogControls& controls);

  // Only the first file of a drop counts.
  void OnDropFiles(const ChosenFile& firstFile);
  // The file's path replaces the text; a name that cannot be used changes nothing, and a box
  // says so.
  void SetPath(const ChosenFile& file);

 private:
  DialogControls* m_controls = nullptr;
  int m_id = 0;
};
