#pragma once

#include "reservations/options.h"
#include "reservations/profile.h"
#include "reservations/reservation_table.h"

class Alerts;
class Clock;
class ExecutableLocation;
class ProfileStore;
class TextCodec;

struct ProfileSessionPorts {
  ProfileStore& store;
  ExecutableLocation& location;
  TextCodec& codec;
  Clock& clock;
  Alerts& alerts;
};

// The profile file of a run: the load with its retries, the save, and the box that names the
// file when either fails. The slot count is kept as read.
class ProfileSession {
 public:
  explicit ProfileSession(const ProfileSessionPorts& ports);

  // False when the file exists but cannot be read in `attempts` reads, 100 ms apart; the
  // table and the options are then as they were.
  bool Load(ReservationTable& table, Options& options, int attempts);
  // False when the file could not be written.
  bool Save(const ReservationTable& table, const Options& options);
  // A box naming the file, shown whatever NoError says: the user's data is at stake. With
  // `offerRetry` it offers 再試行 and キャンセル instead of OK; true for 再試行.
  bool ReportFailure(const char* what, bool offerRetry);

 private:
  ProfileSessionPorts m_ports;
  Profile m_profile;
  // "ArrayStock" as read, written back as it was even where the table holds fewer slots.
  int m_nSlotCount = kDefaultSlotCount;
};
