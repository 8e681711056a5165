#pragma once

#include "platform/dialog_handler.h"
#include "reservations/reservation.h"
#include "settings/drop_edit.h"

class Drives;
class ExecutableLocation;

// The reservation editor: one record to a form and back.
class CReservationDlg : public DialogHandler {
 public:
  CReservationDlg(Drives& drives, ExecutableLocation& location);

  void SetReservation(const Reservation& record);
  // Every input disabled, to ask whether the reservation is to be deleted.
  void SetDeleteConfirm(bool deleteConfirm);
  // Meaningful after OK.
  Reservation GetReservation() const { return m_reservation; }

  bool OnInitDialog() override;
  void OnOK() override;
  void OnCommand(int id) override;
  void OnDropFiles(int editId, const ChosenFile& firstFile) override;

  void OnScheduleMonthly();
  void OnScheduleDaily();
  void OnScheduleWeekly();
  void OnScheduleFullDate();
  void OnActionCd();
  void OnActionFile();
  void OnActionMessage();
  void OnActionOff();
  void OnActionSound();
  void OnBrowse();
  void OnBrowseSound();
  void OnRepeat();

  void EnableWeekdays(bool enabled);
  void ShowDeleteConfirm();

 private:
  void FillComboLists();
  void ShowRepeat();
  void ApplyScheduleMode(bool month, bool day, bool weekdays, bool erase, bool repeat);
  void EnableRepeatTimes(bool offered);
  void StoreWeekdays(Reservation& record);
  bool StoreRepeat(Reservation& record);
  void ApplyActionMode(bool cd, bool file, bool message, bool sound, bool duration);
  // 参照 for `edit`, starting in the program's folder.
  void Browse(CDropEdit& edit, const char* filter, const char* title);
  bool DriveIsCdRom();

  Drives& m_drives;
  ExecutableLocation& m_location;
  bool m_bDeleteConfirm = false;
  Reservation m_reservation{};
  CDropEdit m_pathEdit;
  CDropEdit m_soundEdit;
};
