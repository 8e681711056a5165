#pragma once

#include <ctime>
#include <string>

// The reservations that were due while the program could not check the clock and were too
// late to run when it could, counted until the user clicks the icon.
class MissedReservations {
 public:
  // One more, due at that local minute.
  void Note(const std::tm& local);
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
  std::tm m_first = {};  // the earliest noted
};
