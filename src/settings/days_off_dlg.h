#pragma once

#include <string>

#include "calendar/civil_date.h"
#include "platform/dialog_handler.h"
#include "reservations/days_off.h"

// The user's own days off: a list to add a day to, every year or on one date, and to delete
// from. The list is the dialog's own copy; its owner takes it back at OK.
class CDaysOffDlg : public DialogHandler {
 public:
  // `today` gives the years offered, from its own on, and the day shown first.
  CDaysOffDlg(const DaysOff& daysOff, const calendar::Date& today)
      : m_daysOff(daysOff), m_today(today) {}

  const DaysOff& GetDaysOff() const { return m_daysOff; }

  bool OnInitDialog() override;
  void OnCommand(int id) override;
  std::string OnListCell(int listId, int row, int column) override;

  void OnAddDayOff();
  void OnDeleteDayOff();

 private:
  // Shows the list anew with `row` selected, none when it is outside the list.
  void FillList(int row);

  DaysOff m_daysOff;
  calendar::Date m_today;
};
