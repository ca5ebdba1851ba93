#include "driver/Version.h"

#include <algorithm>
#include <cctype>

namespace pressmoor::driver {

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::string Digits(const std::string& text, size_t* position) {
  size_t start = *position;
  while (*position < text.size() && IsDigit(text[*position])) ++*position;
  return text.substr(start, *position - start);
}

bool AtComponent(const std::string& text, size_t position) {
  return position + 1 < text.size() && text[position] == '.' && IsDigit(text[position + 1]);
}

std::string WithoutLeadingZeros(const std::string& digits) {
  size_t first = digits.find_first_not_of('0');
  return first == std::string::npos ? "" : digits.substr(first);
}

std::string WithoutTrailingZeros(const std::string& digits) {
  size_t last = digits.find_last_not_of('0');
  return last == std::string::npos ? "" : digits.substr(0, last + 1);
}

// Whole numbers as digit strings without leading zeros, of any length.
int CompareWhole(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b);
}

int Sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

std::optional<Version> Version::Parse(const std::string& text) {
  size_t position = text.find_first_not_of(" \t");
  if (position == std::string::npos || !IsDigit(text[position])) return std::nullopt;
  Version version;
  version.major = WithoutLeadingZeros(Digits(text, &position));
  if (AtComponent(text, position)) {
    ++position;
    version.fraction = WithoutTrailingZeros(Digits(text, &position));
  }
  while (AtComponent(text, position)) {
    ++position;
    version.further.push_back(WithoutLeadingZeros(Digits(text, &position)));
  }
  return version;
}

int Compare(const Version& a, const Version& b) {
  if (int major = CompareWhole(a.major, b.major)) return major;
  // Without trailing zeros, decimal fractions order as their digit strings.
  if (int fraction = a.fraction.compare(b.fraction)) return Sign(fraction);
  size_t count = std::max(a.further.size(), b.further.size());
  for (size_t i = 0; i < count; ++i) {
    std::string left = i < a.further.size() ? a.further[i] : "";
    std::string right = i < b.further.size() ? b.further[i] : "";
    if (int component = CompareWhole(left, right)) return Sign(component);
  }
  return 0;
}

bool MeetsMinimumVersion(const settings::RegistryAPI::ValueHolder& value) {
  std::string text;
  if (const auto* number = std::get_if<std::int32_t>(&value)) text = std::to_string(*number);
  if (const auto* stored = std::get_if<std::string>(&value)) text = *stored;
  std::optional<Version> version = Version::Parse(text);
  return version && Compare(*version, *Version::Parse(kMinimumVersion)) >= 0;
}

}  // namespace pressmoor::driver
