#include "text/number_text.h"

std::string TwoColumnNumber(int value, char fill) {
  std::string text = std::to_string(value);
  // A negative number has its sign and a digit, so only 0..9 are ever filled.
  if (text.size() < 2) text.insert(text.begin(), fill);
  return text;
}
