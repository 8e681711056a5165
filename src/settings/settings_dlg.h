#pragma once

#include <string>

#include "platform/dialog_handler.h"
#include "platform/run_key.h"
#include "reservations/options.h"
#include "reservations/reservation_table.h"

class Clock;
class Drives;
class ExecutableLocation;

struct SettingsPorts {
  DialogHost& dialogs;
  Clock& clock;
  Drives& drives;
  ExecutableLocation& location;
  RunKey& runKey;
};

// The value under the Run keys that starts the program with the system. Fixed: the value an
// earlier run wrote is found, replaced and removed by this name.
inline constexpr char kAutostartValueName[] = "Chimeday";
constexpr int kAutostartDataSize = 260;
constexpr int kListCellSize = 256;

// Lists the reservations of the table it is given, edits them there through the reservation
// editor and sets the three options. The table stays packed: reservations first, empty slots
// behind them.
class CSettingsDlg : public DialogHandler {
 public:
  CSettingsDlg(const SettingsPorts& ports, ReservationTable& table, const Options& options)
      : m_options(options), m_ports(ports), m_table(table) {}

  ReservationTable& Table() { return m_table; }

  bool OnInitDialog() override;
  void OnOK() override;
  void OnCommand(int id) override;
  void OnListRightClick(int listId) override;
  std::string OnListCell(int listId, int row, int column) override;

  // Counts the rows anew into m_nRows, has the list show them and sets the buttons' states.
  void FillList();
  void OnNewReservation();
  void OnChangeReservation();
  void OnDeleteReservation();
  // The days-off dialog on m_options' days off, which its OK replaces.
  void OnDaysOff();

  // The options as the dialog shows them, NoError among them; OK sets them from its check boxes.
  Options m_options;
  unsigned m_nRows = 0;

 private:
  // Runs the editor on `record`; true and the edited record in `result` on OK.
  bool RunEditor(const Reservation& record, bool deleteConfirm, Reservation* result);
  void Refill();
  void SelectRow(int row);
  int FirstCdDrive();
  bool HoldsAutostart(RunKey::Hive hive);
  bool AutostartIsSet();
  void SetAutostart(bool on);

  SettingsPorts m_ports;
  ReservationTable& m_table;
};
