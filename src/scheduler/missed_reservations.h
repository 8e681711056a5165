#pragma once

#include <ctime>
#include <optional>
#include <set>
#include <string>
#include <utility>

// The reservations that were due while the program could not check the clock and were too
// late to run when it could, counted until the user clicks the icon.
class MissedReservations {
 public:
  // One more, due at that local minute. A reservation that repeats within its day, its slot
  // given, counts once a day however many of its times were missed.
  void Note(const std::tm& local, std::optional<int> repeatingSlot = std::nullopt);
  // More were missed than were noted: the count is told as a least.
  void NoteUncounted() { m_uncounted = true; }
  void Clear() { *this = MissedReservations(); }
  bool Any() const { return m_count > 0; }
  // How many, and the local time of the first: in the icon's tip, and in its balloon.
  std::string Tip() const;
  std::string Notice() const;

 private:
  std::string Count() const;
  std::string FirstTime() const;

  long long m_count = 0;
  bool m_uncounted = false;
  std::tm m_first = {};                              // the earliest noted
  std::set<std::pair<int, long long>> m_repeatDays;  // slot and day counted
};
