#include "convert/MarginText.h"

#include <charconv>

namespace pressmoor::convert {

namespace {

std::string WithoutBlanks(const std::string& text) {
  std::string kept;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') kept += c;
  }
  return kept;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double LeadingNumber(const std::string& text) {
  const std::string compact = WithoutBlanks(text);
  std::size_t at = 0;
  bool negative = false;
  if (at < compact.size() && (compact[at] == '+' || compact[at] == '-')) {
    negative = compact[at] == '-';
    ++at;
  }
  std::string number;
  bool seenPoint = false;
  for (; at < compact.size(); ++at) {
    const char c = compact[at];
    if (IsDigit(c)) {
      number += c;
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
      number += c;
    } else {
      break;
    }
  }
  // from_chars reads "." as the decimal point in every locale; it needs a digit
  // before it.
  number = "0" + number;
  double value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec != std::errc()) return 0;
  return negative ? -value : value;
}

double MarginPoints(const std::string& text) { return LeadingNumber(text) * 72; }

}  // namespace pressmoor::convert
