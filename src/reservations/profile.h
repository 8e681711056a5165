#pragma once

#include <optional>

#include "reservations/ini_document.h"
#include "reservations/options.h"
#include "reservations/reservation_table.h"

class ExecutableLocation;
class ProfileStore;
class TextCodec;

// The profile's values beside the slots.
struct ProfileValues {
  int slotCount = kDefaultSlotCount;  // "ArrayStock"
  Options options;
};

// Loads and saves the slot count, the options and every slot. Everything else in the
// file (unknown sections and keys, DATA sections past the slot count) is kept as it was.
class Profile {
 public:
  Profile(ProfileStore& store, ExecutableLocation& location, TextCodec& codec);

  // Reads the file once; absent values take their defaults. `table` becomes
  // slotCount slots long, 4096 at most. Nothing, and nothing loaded, when the file exists
  // but could not be read: until a load succeeds, Save then refuses to write over what it never
  // read.
  std::optional<ProfileValues> Load(ReservationTable& table);
  // Writes every value in one replacement of the file, the slots that `table` holds among
  // them; false when it was not written.
  bool Save(const ProfileValues& values, const ReservationTable& table);

 private:
  ProfileStore& m_store;
  ExecutableLocation& m_location;
  TextCodec& m_codec;
  IniDocument m_loaded;  // the file as last read or written, for when it cannot be read at save
  bool m_unread = false;
};
