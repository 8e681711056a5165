#pragma once

#include <optional>

#include "reservations/ini_document.h"
#include "reservations/reservation_table.h"

class ExecutableLocation;
class ProfileStore;
class TextCodec;

// The profile's values as the frame holds them.
struct ProfileOptions {
  int slotCount = kDefaultSlotCount;  // "ArrayStock"
  int noError = 1;                    // "NoError"
  // "WakeUp". Written only to a file that has it or when nonzero, so that a profile of a user
  // who never turned it on stays as it was.
  int wakeUp = 0;
};

// Loads and saves the slot count, the options and every slot. Everything else in the
// file (unknown sections and keys, DATA sections past the slot count) is kept as it was.
class Profile {
 public:
  Profile(ProfileStore& store, ExecutableLocation& location, TextCodec& codec);

  // Reads the file once; absent values take their defaults. `table` becomes
  // options.slotCount slots long, 4096 at most. Nothing, and nothing loaded, when the file exists
  // but could not be read: until a load succeeds, Save then refuses to write over what it never
  // read.
  std::optional<ProfileOptions> Load(ReservationTable& table);
  // Writes every value in one replacement of the file, the slots that `table` holds among
  // them; false when it was not written.
  bool Save(const ProfileOptions& options, const ReservationTable& table);

 private:
  ProfileStore& m_store;
  ExecutableLocation& m_location;
  TextCodec& m_codec;
  IniDocument m_loaded;  // the file as last read or written, for when it cannot be read at save
  bool m_unread = false;
};
