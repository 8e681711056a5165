// Any profile file loads without harm; what the program saves it reads back unchanged, and the
// save keeps every line the program does not own byte for byte and in order.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "fakes/fake_ports.h"
#include "fakes/fake_text_codec.h"
#include "reservations/profile.h"
#include "reservations/reservation_table.h"

namespace {

bool SameTables(const ReservationTable& a, const ReservationTable& b) {
  if (a.Size() != b.Size()) return false;
  for (int i = 0; i < a.Size(); ++i) {
    if (std::memcmp(&a[i], &b[i], sizeof(Reservation)) != 0) return false;
  }
  return true;
}

// The oracle below splits and looks at lines on its own, as simply as it can.

template <typename Char>
struct Line {
  std::basic_string_view<Char> text;
  std::basic_string_view<Char> ending;
};

// CR, LF and CR LF each end a line.
template <typename Char>
std::vector<Line<Char>> SplitLines(std::basic_string_view<Char> text) {
  std::vector<Line<Char>> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    std::size_t next = end;
    if (next < text.size())
      next += text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n' ? 2 : 1;
    lines.push_back({text.substr(start, end - start), text.substr(end, next - end)});
    start = next;
  }
  return lines;
}

template <typename Char>
bool IsBlank(Char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// An entry line whose key, without blanks and case, is one the program writes, in whatever
// section: the program may rewrite it.
template <typename Char>
bool PossiblyOwned(std::basic_string_view<Char> text) {
  static const std::string_view kWrittenKeys[] = {
      "arraystock", "noerror", "wakeup", "month", "day",   "week",    "hour",     "minute",
      "action",     "drive",   "track",  "time",  "erace", "message", "filename", "command"};
  const std::size_t separator = text.find('=');
  if (separator == std::basic_string_view<Char>::npos) return false;
  std::basic_string_view<Char> key = text.substr(0, separator);
  while (!key.empty() && IsBlank(key.front())) key.remove_prefix(1);
  while (!key.empty() && IsBlank(key.back())) key.remove_suffix(1);
  if (key.size() > 10) return false;  // "arraystock", the longest
  char folded[10];
  for (std::size_t at = 0; at < key.size(); ++at) {
    const auto c = static_cast<std::make_unsigned_t<Char>>(key[at]);
    if (c >= 0x80) return false;
    folded[at] = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return std::find(std::begin(kWrittenKeys), std::end(kWrittenKeys),
                   std::string_view(folded, key.size())) != std::end(kWrittenKeys);
}

// Every line of `before` that the program does not own is in `after`, unchanged and in the
// same order; a last line without an ending may have gained a CR LF.
template <typename Char>
bool KeepsForeignLines(std::basic_string_view<Char> before, std::basic_string_view<Char> after) {
  static const Char kCrLf[] = {'\r', '\n'};
  const std::vector<Line<Char>> original = SplitLines(before);
  const std::vector<Line<Char>> saved = SplitLines(after);
  std::size_t next = 0;
  for (std::size_t at = 0; at < original.size(); ++at) {
    const Line<Char>& line = original[at];
    if (PossiblyOwned(line.text)) continue;
    const bool openLast = at + 1 == original.size() && line.ending.empty();
    const auto same = [&](const Line<Char>& other) {
      return other.text == line.text &&
             (other.ending == line.ending ||
              (openLast && other.ending == std::basic_string_view<Char>(kCrLf, 2)));
    };
    while (next < saved.size() && !same(saved[next])) ++next;
    if (next == saved.size()) return false;
    ++next;
  }
  return true;
}

std::u16string Utf16Units(std::string_view bytes) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t at = 0; at < units.size(); ++at) {
    units[at] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * at]) |
                                      static_cast<unsigned char>(bytes[2 * at + 1]) << 8);
  }
  return units;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Whether the file is read as UTF-8: after an optional mark, code points each in their
// shortest form, none a surrogate or above U+10FFFF, and at least one beyond ASCII.
bool ReadsAsUtf8(std::string_view bytes) {
  if (StartsWith(bytes, kUtf16Mark)) return false;
  if (StartsWith(bytes, kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
  static const std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  bool beyondAscii = false;
  for (std::size_t at = 0; at < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    const std::size_t length = lead < 0x80   ? 1
                               : lead < 0xC0 ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF8 ? 4
                                             : 0;
    if (length == 0 || bytes.size() - at < length) return false;
    std::uint32_t point = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t next = 1; next < length; ++next) {
      const auto byte = static_cast<unsigned char>(bytes[at + next]);
      if ((byte & 0xC0) != 0x80) return false;
      point = point << 6 | (byte & 0x3F);
    }
    if (point < kLeast[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
      return false;
    }
    beyondAscii = beyondAscii || length > 1;
    at += length;
  }
  return beyondAscii;
}

// A file behind a UTF-16 mark is looked at in UTF-16 units, its odd last byte apart.
bool SaveKeepsForeignLines(std::string_view before, std::string_view after) {
  if (StartsWith(before, kUtf16Mark)) {
    if (!StartsWith(after, kUtf16Mark)) return false;
    before.remove_prefix(kUtf16Mark.size());
    after.remove_prefix(kUtf16Mark.size());
    if (before.size() % 2 != after.size() % 2) return false;
    if (before.size() % 2 != 0 && before.back() != after.back()) return false;
    const std::u16string units = Utf16Units(before);
    const std::u16string savedUnits = Utf16Units(after);
    return KeepsForeignLines<char16_t>(units, savedUnits);
  }
  if (StartsWith(before, kUtf8Mark)) {
    if (!StartsWith(after, kUtf8Mark)) return false;
    before.remove_prefix(kUtf8Mark.size());
    after.remove_prefix(kUtf8Mark.size());
  }
  return KeepsForeignLines(before, after);
}

// A round trip costs about 70 us a slot under the sanitizers, 2.5 ms for the default 32, and every
// slot takes the same path: a file of more than a few slots is loaded but not saved.
constexpr int kMaxSavedSlots = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FakeTextCodec codec;
  FakeLocation location;
  FakeProfileStore store;
  store.readResult = ProfileStore::ReadResult::kOk;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  store.contents.assign(input);

  Profile profile(store, location, codec);
  ReservationTable first;
  const std::optional<ProfileValues> loaded = profile.Load(first);
  if (!loaded) std::abort();  // the fake store always reads
  const ProfileValues values = *loaded;
  // Above 4096 the first 4096 slots are used, and the count is kept as read.
  if (first.Size() != std::min(values.slotCount, 4096)) std::abort();
  if (values.slotCount > kMaxSavedSlots) return 0;
  if (!profile.Save(values, first)) std::abort();
  const std::string saved = store.contents;
  if (!SaveKeepsForeignLines(input, saved)) {
    std::abort();
  }
  // A file read as code page 932 only because of bytes the save rewrote, such as "Hour=\x81",
  // reads as UTF-8 from then on and so reads differently: nothing to compare.
  if (!ReadsAsUtf8(input) && ReadsAsUtf8(saved)) return 0;

  Profile again(store, location, codec);
  ReservationTable second;
  const ProfileValues reread = again.Load(second).value();
  if (reread.slotCount != values.slotCount || reread.options.noError != values.options.noError ||
      reread.options.wakeUp != values.options.wakeUp) {
    std::abort();
  }
  if (!SameTables(first, second)) std::abort();
  if (!again.Save(reread, second)) std::abort();
  if (store.contents != saved) std::abort();  // a second save changes nothing
  return 0;
}
