#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/dialog_controls.h"
#include "platform/dialog_handler.h"

// A dialog's controls as plain values. Controls start enabled and visible, as in a template
// without WS_DISABLED; a test presets what its template says otherwise.
class FakeDialog : public DialogControls {
 public:
  struct Placement {
    int x, y, width, height;
    bool repaint;
  };
  struct Column {
    std::string header;
    int width;
  };
  struct Question {
    std::string text;
    std::string caption;
  };
  struct FileDialog {
    std::string filter;
    std::string title;
    std::string initialDirectory;
  };

  WindowHandle Handle() override { return reinterpret_cast<WindowHandle>(this); }
  void MoveWindow(int x, int y, int width, int height, bool repaint) override {
    placements.push_back({x, y, width, height, repaint});
  }
  void ShowDialog(bool shown) override { dialogShown.push_back(shown); }
  Size ScreenSize() override { return screen; }
  int WindowDpi() override { return dpi; }
  Size WindowSize() override { return window; }
  void KeepItemInside(int id) override { keptInside.push_back(id); }
  void EndDialog(DialogResult result) override { results.push_back(result); }
  void StartTimer(unsigned id, unsigned periodMs) override { timers[id] = periodMs; }
  void StopTimer(unsigned id) override { timers.erase(id); }

  void SetItemText(int id, const char* text) override { texts[id] = text; }
  std::string GetItemText(int id) override { return texts[id]; }
  void LimitText(int id, int limit) override { limits[id] = limit; }
  void FocusItem(int id) override { focused = id; }

  void CheckButton(int id, bool isChecked) override { checked[id] = isChecked; }
  bool IsButtonChecked(int id) override { return checked[id]; }
  void EnableItem(int id, bool isEnabled) override { enabled[id] = isEnabled; }
  void ShowItem(int id, bool isShown) override { visible[id] = isShown; }
  bool IsEnabled(int id) const { return !enabled.count(id) || enabled.at(id); }
  bool IsVisible(int id) const { return !visible.count(id) || visible.at(id); }

  void AddComboItem(int id, const char* text) override { comboItems[id].push_back(text); }
  // A drop-down combo's text is its selected item's.
  void SetComboSelection(int id, int index) override {
    const std::vector<std::string>& items = comboItems[id];
    const bool inside = index >= 0 && index < static_cast<int>(items.size());
    comboSelection[id] = inside ? index : -1;
    texts[id] = inside ? items[static_cast<std::size_t>(index)] : std::string();
  }
  int ComboSelection(int id) override { return comboSelection.count(id) ? comboSelection[id] : -1; }

  void SetListFullRowSelect(int id) override { fullRowSelect[id] = true; }
  int ListClientWidth(int) override { return listClientWidth; }
  void InsertListColumn(int id, int column, const char* header, int width) override {
    std::vector<Column>& list = columns[id];
    list.insert(list.begin() + column, Column{header, width});
  }
  // Asks the handler for every cell at once, as a list that shows every row would.
  void SetListRowCount(int id, int count) override {
    std::vector<std::vector<std::string>>& list = rows[id];
    list.assign(static_cast<std::size_t>(count), {});
    for (int row = 0; row < count; ++row) {
      for (std::size_t column = 0; column < columns[id].size(); ++column) {
        list[static_cast<std::size_t>(row)].push_back(
            handler->OnListCell(id, row, static_cast<int>(column)));
      }
    }
    selectedRows.erase(id);
    selectionMarks.erase(id);
  }
  void SetSelectionMark(int id, int row) override { selectionMarks[id] = row; }
  int SelectionMark(int id) override { return selectionMarks.count(id) ? selectionMarks[id] : -1; }
  void SelectListRow(int id, int row) override { selectedRows[id].push_back(row); }

  // Answers from `answers` in order; yes once they run out.
  bool AskYesNo(const char* text, const char* caption) override {
    questions.push_back({text, caption});
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowWarning(const char* text, const char* caption) override {
    warnings.push_back({text, caption});
  }
  void TrackListMenu(const std::vector<int>& grayedIds) override { listMenus.push_back(grayedIds); }
  bool ChooseFileToOpen(const char* filter, const char* title, const char* initialDirectory,
                        ChosenFile* file) override {
    fileDialogs.push_back({filter, title, initialDirectory});
    if (chosenFile.path.empty()) return false;
    *file = chosenFile;
    return true;
  }

  DialogHandler* handler = nullptr;  // the dialog's logic, which the list asks for its texts
  std::vector<Placement> placements;
  std::vector<bool> dialogShown;  // each hide (false) and show (true), in order
  std::vector<int> keptInside;
  std::vector<DialogResult> results;
  std::map<unsigned, unsigned> timers;  // running ones, by id
  Size screen{1024, 768};
  int dpi = 96;
  Size window{300, 100};

  std::map<int, std::string> texts;
  std::map<int, int> limits;
  int focused = 0;  // the control last given the focus by the logic
  std::map<int, bool> checked;
  std::map<int, bool> enabled;
  std::map<int, bool> visible;
  std::map<int, std::vector<std::string>> comboItems;
  std::map<int, int> comboSelection;
  std::map<int, bool> fullRowSelect;
  int listClientWidth = 310;
  std::map<int, std::vector<Column>> columns;
  std::map<int, std::vector<std::vector<std::string>>> rows;
  std::map<int, int> selectionMarks;
  std::map<int, std::vector<int>> selectedRows;  // in the order they were selected
  std::vector<Question> questions;
  std::deque<bool> answers;
  std::vector<Question> warnings;           // boxes with OK alone
  std::vector<std::vector<int>> listMenus;  // the grayed items of each
  std::vector<FileDialog> fileDialogs;
  ChosenFile chosenFile;  // an empty path: the user cancels the file dialog
};

// Runs each dialog as the window layer would, on controls of its own, and lets the test play
// the user while it is open. A dialog the script leaves open is ended with OK, and with
// Cancel when OK does not end it.
class FakeDialogHost : public DialogHost {
 public:
  struct Run {
    int templateId;
    WindowHandle owner;
    bool owned;  // false for RunModal, owned by the main window
  };

  DialogResult RunModal(int templateId, DialogHandler& handler) override {
    return Play(templateId, nullptr, false, handler);
  }
  DialogResult RunModalOwnedBy(WindowHandle owner, int templateId,
                               DialogHandler& handler) override {
    return Play(templateId, owner, true, handler);
  }

  std::vector<Run> runs;
  std::deque<FakeDialog> dialogs;  // one a run, in the order they were opened
  // Presets the controls of a dialog before it opens, as its template would.
  std::function<void(int templateId, FakeDialog&)> prepare;
  std::function<void(int templateId, DialogHandler&, FakeDialog&)> whileOpen;

 private:
  DialogResult Play(int templateId, WindowHandle owner, bool owned, DialogHandler& handler) {
    runs.push_back({templateId, owner, owned});
    dialogs.emplace_back();
    FakeDialog& controls = dialogs.back();
    if (prepare) prepare(templateId, controls);
    controls.handler = &handler;
    handler.Attach(controls);
    handler.OnInitDialog();
    if (whileOpen) whileOpen(templateId, handler, controls);
    if (controls.results.empty()) handler.OnOK();
    if (controls.results.empty()) handler.OnCancel();
    return controls.results.front();
  }
};
