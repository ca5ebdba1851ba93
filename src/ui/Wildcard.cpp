#include "ui/Wildcard.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string_view>
#include <utility>
#include <vector>

namespace pressmoor::ui {

namespace {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string FoldedCase(const std::string& text) {
  std::string folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(), FoldCase);
  return folded;
}

// Positions of names in ListsBefore order, each name folded once;
// std::string compares bytes as unsigned char, as ListsBefore does.
std::vector<std::size_t> ListOrderOf(const std::vector<std::string>& names) {
  std::vector<std::string> folded;
  folded.reserve(names.size());
  for (const std::string& name : names) folded.push_back(FoldedCase(name));
  std::vector<std::size_t> order(names.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    int byFolded = folded[a].compare(folded[b]);
    return byFolded != 0 ? byFolded < 0 : names[a] < names[b];
  });
  return order;
}

// Code points rather than bytes, so that `?` stands for one character of a
// UTF-8 name; bytes that are not valid UTF-8 count as one character each.
std::vector<std::uint32_t> Characters(std::string_view text) {
  std::vector<std::uint32_t> result;
  result.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
    bool valid = i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    }
    if (!valid) length = 1;
    std::uint32_t value = 0;
    for (std::size_t k = 0; k < length; ++k) {
      value = (value << 8) | static_cast<unsigned char>(FoldCase(text[i + k]));
    }
    result.push_back(value);
    i += length;
  }
  return result;
}

constexpr std::uint32_t kStar = '*';
constexpr std::uint32_t kAny = '?';

// Greedy match with one backtracking point: linear for the patterns people
// type, never worse than name length times pattern length.
bool MatchCharacters(const std::vector<std::uint32_t>& name, const std::vector<std::uint32_t>& pattern) {
  std::size_t n = 0, p = 0;
  std::size_t starPattern = std::string::npos, starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == kStar) {
      starPattern = p++;
      starName = n;
    } else if (p < pattern.size() && (pattern[p] == kAny || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (starPattern != std::string::npos) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == kStar) ++p;
  return p == pattern.size();
}

bool MatchesOne(std::string_view name, std::string_view pattern) {
  if (pattern == "*.*" || pattern == "*") return true;
  std::vector<std::uint32_t> characters = Characters(name);
  if (pattern == "*.") return name.find('.') == std::string_view::npos;
  if (MatchCharacters(characters, Characters(pattern))) return true;
  if (pattern.size() > 2 && pattern.substr(pattern.size() - 2) == ".*") {
    return MatchCharacters(characters, Characters(pattern.substr(0, pattern.size() - 2)));
  }
  return false;
}

}  // namespace

bool MatchesPattern(const std::string& name, const std::string& pattern) {
  std::string_view rest(pattern);
  while (true) {
    std::size_t end = rest.find(';');
    std::string_view one = rest.substr(0, end);
    if (!one.empty() && MatchesOne(name, one)) return true;
    if (end == std::string_view::npos) return false;
    rest.remove_prefix(end + 1);
  }
}

bool ListsBefore(const std::string& left, const std::string& right) {
  std::size_t common = left.size() < right.size() ? left.size() : right.size();
  for (std::size_t i = 0; i < common; ++i) {
    auto a = static_cast<unsigned char>(FoldCase(left[i]));
    auto b = static_cast<unsigned char>(FoldCase(right[i]));
    if (a != b) return a < b;
  }
  if (left.size() != right.size()) return left.size() < right.size();
  return left < right;
}

void SortInListOrder(std::vector<std::string>& names) {
  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (std::size_t position : ListOrderOf(names)) sorted.push_back(std::move(names[position]));
  names = std::move(sorted);
}

}  // namespace pressmoor::ui
