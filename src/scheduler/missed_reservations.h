#pragma once

#include <ctime>
#include <string>

// The reservations that were due while the program could not check the clock and were too
// late to run when it could, counted until the user clicks the icon.
class MissedReservations {
 public:
  // One more, due at that local minute.
  void Note(const std::tm& local);
  void Clear() { m_count = 0; }
  bool Any() const { return m_count > 0; }
  // How many, and the local time of the first: in the icon's tip, and in its balloon.
  std::string Tip() const;
  std::string Notice() const;

 private:
  std::string FirstTime() const;

  long long m_count = 0;
  std::tm m_first = {};
};
