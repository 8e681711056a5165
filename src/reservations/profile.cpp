#include "reservations/profile.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/executable_location.h"
#include "platform/profile_store.h"
#include "reservations/profile_keys.h"
#include "reservations/reservation.h"
#include "reservations/reservation_table.h"
#include "text/cp932.h"

namespace {

namespace keys = profile_keys;

constexpr int kMaxSlotCount = 4096;

// The options' keys in [OPTION], read and written in this order.
struct OptionKey {
  const char* name;
  int Options::*field;
  // Written only to a file that has it or when not the default, so that the profile of a user
  // who never set the option stays as it was.
  bool writtenOnceSet;
};
constexpr OptionKey kOptionKeys[] = {
    {keys::kNoError, &Options::noError, false},
    {keys::kWakeUp, &Options::wakeUp, true},
    {keys::kSnoozeMinutes, &Options::snoozeMinutes, true},
};

struct IntegerKey {
  const char* name;
  int32_t Reservation::*field;
};

// Read and written in this order.
constexpr IntegerKey kIntegerKeys[] = {
    {keys::kMonth, &Reservation::Month},   {keys::kDay, &Reservation::Day},
    {keys::kWeek, &Reservation::Week},     {keys::kHour, &Reservation::Hour},
    {keys::kMinute, &Reservation::Minute}, {keys::kAction, &Reservation::Action},
    {keys::kDrive, &Reservation::Drive},   {keys::kTrack, &Reservation::Track},
    {keys::kTime, &Reservation::Time},     {keys::kErace, &Reservation::Erace},
};
// After the strings, and written only to a section that has them or when not 0, so that the
// profile of a user who never used them stays as it was.
constexpr IntegerKey kScheduleKeys[] = {
    {keys::kWeekdays, &Reservation::Weekdays},
    {keys::kSkipHoliday, &Reservation::SkipHoliday},
    {keys::kRepeatMinutes, &Reservation::RepeatMinutes},
    {keys::kRepeatUntil, &Reservation::RepeatUntil},
};

std::string SlotSection(int index) { return keys::kSlotSectionPrefix + std::to_string(index); }

// The value of a digit in `base` (10 or 16), or -1.
int DigitValue(char character, int base) {
  if (character >= '0' && character <= '9') return character - '0';
  if (base == 16 && character >= 'a' && character <= 'f') return character - 'a' + 10;
  if (base == 16 && character >= 'A' && character <= 'F') return character - 'A' + 10;
  return -1;
}

// Leading blanks, an optional sign, decimal digits or hexadecimal ones after "0x"; whatever
// follows the digits is ignored. A value without digits (an empty one included) or one that
// does not fit 32 bits takes the key's default: a damaged entry must not become zero or a
// wrapped number.
int32_t ParseInteger(std::string_view text, int32_t fallback) {
  std::size_t at = 0;
  while (at < text.size() && IsIniBlank(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  int base = 10;
  // "0x" without a hexadecimal digit behind it is the number 0 and a rest to ignore.
  if (text.size() - at > 2 && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X') &&
      DigitValue(text[at + 2], 16) >= 0) {
    base = 16;
    at += 2;
  }
  const std::size_t digitsStart = at;
  int64_t magnitude = 0;
  for (int digit = 0; at < text.size() && (digit = DigitValue(text[at], base)) >= 0; ++at) {
    magnitude = magnitude * base + digit;
    if (magnitude > static_cast<int64_t>(INT32_MAX) + 1) return fallback;
  }
  if (at == digitsStart) return fallback;
  const int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX) return fallback;
  return static_cast<int32_t>(value);
}

// K of a key "DateK" in any case, K from 1 written without leading zeros; 0 for any other key,
// which the program leaves alone.
int DayOffKeyNumber(std::string_view name) {
  const std::string_view prefix = keys::kDayOffKeyPrefix;
  constexpr std::size_t kMostDigits = 6;
  if (name.size() <= prefix.size() || name.size() > prefix.size() + kMostDigits) return 0;
  // ASCII case alone: the C library's folding depends on the locale.
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  for (std::size_t at = 0; at < prefix.size(); ++at) {
    if (lower(name[at]) != lower(prefix[at])) return 0;
  }
  if (name[prefix.size()] == '0') return 0;
  int number = 0;
  for (const char character : name.substr(prefix.size())) {
    if (character < '0' || character > '9') return 0;
    number = number * 10 + (character - '0');
  }
  return number;
}

// In the keys' numbering order, whatever their order in the file and whatever numbers are
// missing. A value that names no day, or a day listed already, is passed over.
DaysOff ReadDaysOff(const IniDocument& document) {
  DaysOff daysOff;
  const auto section = document.FindSection(keys::kHolidaySection);
  if (!section) return daysOff;
  std::vector<std::pair<int, std::string>> numbered;
  for (std::string& name : document.KeyNames(*section)) {
    if (const int number = DayOffKeyNumber(name); number > 0) {
      numbered.emplace_back(number, std::move(name));
    }
  }
  std::stable_sort(numbered.begin(), numbered.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [number, name] : numbered) {
    const auto value = document.Get(*section, name);
    const auto dayOff = value ? ParseDayOff(*value) : std::nullopt;
    if (dayOff && std::find(daysOff.begin(), daysOff.end(), *dayOff) == daysOff.end()) {
      daysOff.push_back(*dayOff);
    }
  }
  return daysOff;
}

// Date1..DateN, and no DateK behind them: one left there would bring a deleted day back.
void WriteDaysOff(IniDocument& document, const DaysOff& daysOff) {
  auto section = document.FindSection(keys::kHolidaySection);
  if (!section && daysOff.empty()) return;
  if (!section) section = document.FindOrAddSection(keys::kHolidaySection);
  for (std::size_t index = 0; index < daysOff.size(); ++index) {
    document.Set(*section, keys::kDayOffKeyPrefix + std::to_string(index + 1),
                 DayOffText(daysOff[index]));
  }
  for (const std::string& name : document.KeyNames(*section)) {
    if (static_cast<std::size_t>(DayOffKeyNumber(name)) > daysOff.size()) {
      document.Remove(*section, name);
    }
  }
}

// A slot's section is looked up once for all its keys; one that is missing gives the defaults.
using OptionalSection = std::optional<IniDocument::SectionId>;

std::optional<std::string> GetValue(const IniDocument& document, OptionalSection section,
                                    std::string_view key) {
  return section ? document.Get(*section, key) : std::nullopt;
}

int32_t ReadInteger(const IniDocument& document, OptionalSection section, std::string_view key,
                    int32_t fallback) {
  const auto text = GetValue(document, section, key);
  return text ? ParseInteger(*text, fallback) : fallback;
}

// An empty value is a value: only an absent key takes the default.
template <std::size_t N>
void ReadString(const IniDocument& document, OptionalSection section, std::string_view key,
                const char (&fallback)[N], char (&field)[N]) {
  const auto text = GetValue(document, section, key);
  cp932::CopyToField(field, text ? std::string_view(*text) : std::string_view(fallback));
}

// Stops at the field's end even if something left it without a terminator.
template <std::size_t N>
std::string_view FieldText(const char (&field)[N]) {
  return std::string_view(field,
                          static_cast<std::size_t>(std::find(field, field + N, '\0') - field));
}

}  // namespace

Profile::Profile(ProfileStore& store, ExecutableLocation& location, TextCodec& codec)
    : m_store(store), m_location(location), m_codec(codec) {}

std::optional<ProfileValues> Profile::Load(ReservationTable& table) {
  std::string bytes;
  switch (m_store.Read(bytes)) {
    case ProfileStore::ReadResult::kOk:
      m_loaded = IniDocument::Parse(bytes, m_codec);
      break;
    case ProfileStore::ReadResult::kMissing:
      m_loaded = IniDocument();
      break;
    case ProfileStore::ReadResult::kFailed:
      m_unread = true;
      return std::nullopt;
  }
  m_unread = false;

  ProfileValues values;
  const OptionalSection optionSection = m_loaded.FindSection(keys::kOptionSection);
  values.slotCount = ReadInteger(m_loaded, optionSection, keys::kArrayStock, kDefaultSlotCount);
  // A negative count has nothing to keep. Above the limit the first slots keep firing, and the
  // count stays as the user wrote it.
  if (values.slotCount < 0) values.slotCount = kDefaultSlotCount;
  const Options defaultOptions;
  for (const OptionKey& key : kOptionKeys) {
    values.options.*key.field =
        ReadInteger(m_loaded, optionSection, key.name, defaultOptions.*key.field);
  }
  values.options.snoozeMinutes = ValidSnoozeMinutes(values.options.snoozeMinutes);
  values.options.daysOff = ReadDaysOff(m_loaded);

  const int slotsUsed = std::min(values.slotCount, kMaxSlotCount);
  table.ResetSlots(slotsUsed);
  const Reservation defaults = DefaultReservation(m_location);
  for (int index = 0; index < slotsUsed; ++index) {
    const OptionalSection section = m_loaded.FindSection(SlotSection(index));
    Reservation record{};
    for (const IntegerKey& key : kIntegerKeys) {
      record.*key.field = ReadInteger(m_loaded, section, key.name, defaults.*key.field);
    }
    ReadString(m_loaded, section, keys::kMessage, defaults.Message, record.Message);
    ReadString(m_loaded, section, keys::kFileName, defaults.FileName, record.FileName);
    ReadString(m_loaded, section, keys::kCommand, defaults.Command, record.Command);
    for (const IntegerKey& key : kScheduleKeys) {
      record.*key.field = ReadInteger(m_loaded, section, key.name, defaults.*key.field);
    }
    // A month that can never come would end the settings list early and hide the rows behind.
    if (record.Month < 0 || record.Month > SLOT_EMPTY) record.Month = SLOT_EMPTY;
    table.SetSlot(index, record);
  }
  return values;
}

bool Profile::Save(const ProfileValues& values, const ReservationTable& table) {
  if (m_unread) return false;
  // Read again so that what the user added to the file while the program ran survives.
  std::string bytes;
  IniDocument document;
  switch (m_store.Read(bytes)) {
    case ProfileStore::ReadResult::kOk:
      document = IniDocument::Parse(bytes, m_codec);
      break;
    case ProfileStore::ReadResult::kMissing:
      break;
    case ProfileStore::ReadResult::kFailed:
      // The file is still there; writing only our own keys would drop the rest of it.
      document = m_loaded;
      break;
  }

  document.Set(keys::kOptionSection, keys::kArrayStock, std::to_string(values.slotCount));
  const Options defaultOptions;
  for (const OptionKey& key : kOptionKeys) {
    const int value = values.options.*key.field;
    // Once written the key stays, as the default when the option is set back.
    if (key.writtenOnceSet && value == defaultOptions.*key.field &&
        !document.Get(keys::kOptionSection, key.name)) {
      continue;
    }
    document.Set(keys::kOptionSection, key.name, std::to_string(value));
  }
  const int slotCount = std::min(values.slotCount, table.Size());
  for (int index = 0; index < slotCount; ++index) {
    const IniDocument::SectionId section = document.FindOrAddSection(SlotSection(index));
    const Reservation& record = table[index];
    for (const IntegerKey& key : kIntegerKeys) {
      document.Set(section, key.name, std::to_string(record.*key.field));
    }
    document.Set(section, keys::kMessage, FieldText(record.Message));
    document.Set(section, keys::kFileName, FieldText(record.FileName));
    document.Set(section, keys::kCommand, FieldText(record.Command));
    for (const IntegerKey& key : kScheduleKeys) {
      const int32_t value = record.*key.field;
      if (value == 0 && !document.Get(section, key.name)) continue;
      document.Set(section, key.name, std::to_string(value));
    }
  }
  WriteDaysOff(document, values.options.daysOff);

  if (!m_store.Write(document.Serialize(m_codec))) return false;
  // The newest known content of the file, for the next save whose read fails.
  m_loaded = std::move(document);
  return true;
}
