#include "settings/days_off_dlg.h"

#include <algorithm>
#include <tuple>

#include "resource.h"
#include "text/number_text.h"
#include "texts.h"

namespace {

// Years offered after "every year": this one and the next nine.
constexpr int kYearsOffered = 10;

// Every year's days first, then dates; each by month and day.
bool ComesBefore(const DayOff& a, const DayOff& b) {
  return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

std::string DayOffListText(const DayOff& dayOff) {
  std::string text = dayOff.year == 0 ? std::string(texts::kEveryYear) + " "
                                      : std::to_string(dayOff.year) + texts::kYearSuffix;
  return text + MonthDayText(dayOff.month, dayOff.day);
}

}  // namespace

bool CDaysOffDlg::OnInitDialog() {
  DialogControls& controls = Controls();
  controls.SetListFullRowSelect(IDC_DAY_OFF_LIST);
  controls.InsertListColumn(IDC_DAY_OFF_LIST, 0, "", controls.ListClientWidth(IDC_DAY_OFF_LIST));
  controls.AddComboItem(IDC_DAY_OFF_YEAR, texts::kEveryYear);
  for (int year = m_today.year; year < m_today.year + kYearsOffered; ++year) {
    controls.AddComboItem(IDC_DAY_OFF_YEAR, (std::to_string(year) + texts::kYearSuffix).c_str());
  }
  for (int month = 1; month <= 12; ++month) {
    controls.AddComboItem(IDC_DAY_OFF_MONTH, (std::to_string(month) + texts::kMonthSuffix).c_str());
  }
  for (int day = 1; day <= 31; ++day) {
    controls.AddComboItem(IDC_DAY_OFF_DAY, (std::to_string(day) + texts::kDaySuffix).c_str());
  }
  controls.SetComboSelection(IDC_DAY_OFF_YEAR, 0);
  controls.SetComboSelection(IDC_DAY_OFF_MONTH, m_today.month - 1);
  controls.SetComboSelection(IDC_DAY_OFF_DAY, m_today.day - 1);
  FillList(m_daysOff.empty() ? -1 : 0);
  return true;
}

void CDaysOffDlg::OnCommand(int id) {
  switch (id) {
    case IDC_ADD_DAY_OFF:
      OnAddDayOff();
      break;
    case IDC_DELETE_DAY_OFF:
      OnDeleteDayOff();
      break;
  }
}

std::string CDaysOffDlg::OnListCell(int listId, int row, int column) {
  if (listId != IDC_DAY_OFF_LIST || column != 0 || row < 0 ||
      static_cast<std::size_t>(row) >= m_daysOff.size()) {
    return std::string();
  }
  return DayOffListText(m_daysOff[static_cast<std::size_t>(row)]);
}

void CDaysOffDlg::OnAddDayOff() {
  DialogControls& controls = Controls();
  const int yearIndex = controls.ComboSelection(IDC_DAY_OFF_YEAR);
  const int month = controls.ComboSelection(IDC_DAY_OFF_MONTH) + 1;
  const int day = controls.ComboSelection(IDC_DAY_OFF_DAY) + 1;
  if (yearIndex < 0 || month < 1 || day < 1) return;
  const DayOff dayOff{yearIndex == 0 ? 0 : m_today.year + yearIndex - 1, month, day};
  // The profile's own rule, so that what is added reads back from the file.
  if (!ParseDayOff(DayOffText(dayOff))) {
    controls.ShowWarning(texts::kNoSuchDay, texts::kDaysOffCaption);
    return;
  }
  const auto found = std::find(m_daysOff.begin(), m_daysOff.end(), dayOff);
  if (found != m_daysOff.end()) {
    controls.ShowWarning(texts::kDayOffListed, texts::kDaysOffCaption);
    FillList(static_cast<int>(found - m_daysOff.begin()));
    return;
  }
  const auto at = std::find_if(m_daysOff.begin(), m_daysOff.end(),
                               [&](const DayOff& listed) { return ComesBefore(dayOff, listed); });
  const int row = static_cast<int>(at - m_daysOff.begin());
  m_daysOff.insert(at, dayOff);
  FillList(row);
}

void CDaysOffDlg::OnDeleteDayOff() {
  const int row = Controls().SelectionMark(IDC_DAY_OFF_LIST);
  if (row < 0 || static_cast<std::size_t>(row) >= m_daysOff.size()) return;
  m_daysOff.erase(m_daysOff.begin() + row);
  // The row that moved up into its place, or the new last one.
  FillList(std::min(row, static_cast<int>(m_daysOff.size()) - 1));
}

void CDaysOffDlg::FillList(int row) {
  DialogControls& controls = Controls();
  controls.SetListRowCount(IDC_DAY_OFF_LIST, static_cast<int>(m_daysOff.size()));
  controls.EnableItem(IDC_DELETE_DAY_OFF, !m_daysOff.empty());
  if (row < 0 || static_cast<std::size_t>(row) >= m_daysOff.size()) return;
  controls.SetSelectionMark(IDC_DAY_OFF_LIST, row);
  controls.SelectListRow(IDC_DAY_OFF_LIST, row);
}
