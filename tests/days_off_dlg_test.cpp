#include "settings/days_off_dlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_dialog.h"
#include "resource.h"

namespace {

using Rows = std::vector<std::string>;

constexpr int kList = IDC_DAY_OFF_LIST;

class DaysOffDlgTest : public ::testing::Test {
 protected:
  DaysOffDlgTest() {
    controls.handler = &dialog;
    dialog.Attach(controls);
    EXPECT_TRUE(dialog.OnInitDialog());
  }

  Rows ListRows() {
    Rows texts;
    for (const auto& row : controls.rows[kList]) texts.push_back(row.at(0));
    return texts;
  }
  int SelectedRow() {
    const std::vector<int>& selected = controls.selectedRows[kList];
    return selected.empty() ? -1 : selected.back();
  }
  void Pick(int yearIndex, int month, int day) {
    controls.SetComboSelection(IDC_DAY_OFF_YEAR, yearIndex);
    controls.SetComboSelection(IDC_DAY_OFF_MONTH, month - 1);
    controls.SetComboSelection(IDC_DAY_OFF_DAY, day - 1);
  }

  FakeDialog controls;
  CDaysOffDlg dialog{{{0, 12, 29}, {2027, 5, 6}}, {2026, 12, 7}};
};

TEST_F(DaysOffDlgTest, OpensOnTheListWithEveryYearAndTodayPicked) {
  EXPECT_EQ(ListRows(), (Rows{"毎年 12月29日", "2027年05月06日"}));
  EXPECT_EQ(SelectedRow(), 0);
  EXPECT_EQ(controls.SelectionMark(kList), 0);
  EXPECT_TRUE(controls.IsEnabled(IDC_DELETE_DAY_OFF));
  ASSERT_EQ(controls.columns[kList].size(), 1u);
  EXPECT_EQ(controls.columns[kList][0].width, controls.listClientWidth);

  const std::vector<std::string>& years = controls.comboItems[IDC_DAY_OFF_YEAR];
  ASSERT_EQ(years.size(), 11u);
  EXPECT_EQ(Rows(years.begin(), years.begin() + 3), (Rows{"毎年", "2026年", "2027年"}));
  EXPECT_EQ(years.back(), "2035年");
  EXPECT_EQ(controls.comboItems[IDC_DAY_OFF_MONTH].size(), 12u);
  EXPECT_EQ(controls.comboItems[IDC_DAY_OFF_MONTH].back(), "12月");
  EXPECT_EQ(controls.comboItems[IDC_DAY_OFF_DAY].size(), 31u);
  EXPECT_EQ(controls.comboItems[IDC_DAY_OFF_DAY].back(), "31日");
  EXPECT_EQ(
      std::vector<std::string>({controls.texts[IDC_DAY_OFF_YEAR], controls.texts[IDC_DAY_OFF_MONTH],
                                controls.texts[IDC_DAY_OFF_DAY]}),
      (Rows{"毎年", "12月", "7日"}));
}

// Each step adds to what the steps before left: every year's days first, then the dates, each
// in order; a day that does not exist or is listed already is refused with a box.
TEST_F(DaysOffDlgTest, AddKeepsTheListInOrderAndRefusesWhatCannotBeAdded) {
  const struct {
    int yearIndex, month, day;  // year index 0 is every year, 1 is 2026
    const char* warning;        // null: added
    Rows rows;
    int selected;
  } steps[] = {
      {0, 2, 29, nullptr, {"毎年 02月29日", "毎年 12月29日", "2027年05月06日"}, 0},
      {2, 2, 29, "その日付はありません。", {"毎年 02月29日", "毎年 12月29日", "2027年05月06日"}, 0},
      {3,
       2,
       29,
       nullptr,
       {"毎年 02月29日", "毎年 12月29日", "2027年05月06日", "2028年02月29日"},
       3},
      {0,
       4,
       31,
       "その日付はありません。",
       {"毎年 02月29日", "毎年 12月29日", "2027年05月06日", "2028年02月29日"},
       3},
      {0,
       12,
       29,
       "その日はすでに休日の一覧にあります。",
       {"毎年 02月29日", "毎年 12月29日", "2027年05月06日", "2028年02月29日"},
       1},
      {1,
       12,
       7,
       nullptr,
       {"毎年 02月29日", "毎年 12月29日", "2026年12月07日", "2027年05月06日", "2028年02月29日"},
       2},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(std::to_string(step.yearIndex) + " " + std::to_string(step.month) + "/" +
                 std::to_string(step.day));
    controls.warnings.clear();
    Pick(step.yearIndex, step.month, step.day);
    dialog.OnCommand(IDC_ADD_DAY_OFF);
    if (step.warning == nullptr) {
      EXPECT_TRUE(controls.warnings.empty());
    } else {
      ASSERT_EQ(controls.warnings.size(), 1u);
      EXPECT_EQ(controls.warnings[0].text, step.warning);
      EXPECT_EQ(controls.warnings[0].caption, "休日");
    }
    EXPECT_EQ(ListRows(), step.rows);
    EXPECT_EQ(SelectedRow(), step.selected);
    EXPECT_EQ(controls.SelectionMark(kList), step.selected);
  }
  EXPECT_EQ(dialog.GetDaysOff(),
            (DaysOff{{0, 2, 29}, {0, 12, 29}, {2026, 12, 7}, {2027, 5, 6}, {2028, 2, 29}}));
}

TEST_F(DaysOffDlgTest, DeleteTakesTheMarkedRowAndMarksTheOneThatTakesItsPlace) {
  controls.SetSelectionMark(kList, 1);
  dialog.OnCommand(IDC_DELETE_DAY_OFF);
  EXPECT_EQ(ListRows(), (Rows{"毎年 12月29日"}));
  EXPECT_EQ(controls.SelectionMark(kList), 0) << "the last row went: the new last one";

  controls.SetSelectionMark(kList, -1);
  dialog.OnCommand(IDC_DELETE_DAY_OFF);
  EXPECT_EQ(ListRows(), (Rows{"毎年 12月29日"})) << "no row marked, none deleted";

  controls.SetSelectionMark(kList, 0);
  dialog.OnCommand(IDC_DELETE_DAY_OFF);
  EXPECT_TRUE(ListRows().empty());
  EXPECT_FALSE(controls.IsEnabled(IDC_DELETE_DAY_OFF));
  EXPECT_EQ(controls.SelectionMark(kList), -1);
  EXPECT_TRUE(dialog.GetDaysOff().empty());

  Pick(0, 1, 1);
  dialog.OnCommand(IDC_ADD_DAY_OFF);
  EXPECT_TRUE(controls.IsEnabled(IDC_DELETE_DAY_OFF));
}

}  // namespace
