#pragma once

#include "reservations/options.h"

class ReservationTable;

// Lets the user edit the reservations and the options; the settings dialog stands behind it, so
// that the frame does not depend on the dialogs.
class TableEditor {
 public:
  virtual ~TableEditor() = default;
  // `table` comes packed (reservations first) and is edited in place, whatever the answer; true
  // when the user confirmed the edits, `options` then holding theirs.
  virtual bool Edit(ReservationTable& table, Options& options) = 0;
};
