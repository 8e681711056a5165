#pragma once

class ReservationTable;

// Lets the user edit a copy of the reservations and the NoError option; the settings dialog
// stands behind it, so that the frame does not depend on the dialogs.
class TableEditor {
 public:
  virtual ~TableEditor() = default;
  // `table` comes packed (reservations first). True when the user confirmed the edits, which
  // then stand in `table` and `noError`.
  virtual bool Edit(ReservationTable& table, int& noError) = 0;
};
