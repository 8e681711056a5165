// Any profile file loads without harm, and what the program saves it reads back unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "fakes/fake_ports.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FakeLocation location;
  FakeProfileStore store;
  store.readResult = ProfileStore::ReadResult::kOk;
  store.contents.assign(reinterpret_cast<const char*>(data), size);

  Profile profile(store, location);
  ReservationTable first(location);
  const std::optional<ProfileOptions> loaded = profile.Load(first);
  if (!loaded) std::abort();  // the fake store always reads
  const ProfileOptions options = *loaded;
  if (first.Size() != options.slotCount) std::abort();
  profile.Save(options, first);
  const std::string saved = store.contents;

  Profile again(store, location);
  ReservationTable second(location);
  const ProfileOptions reread = again.Load(second).value();
  if (reread.slotCount != options.slotCount || reread.noError != options.noError) std::abort();
  if (!SameTables(first, second)) std::abort();
  again.Save(reread, second);
  if (store.contents != saved) std::abort();  // a second save changes nothing
  return 0;
}
