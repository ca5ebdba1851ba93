#include "convert/BatchPart.h"

#include <charconv>
#include <system_error>

namespace pressmoor::convert {

namespace {

// Decimal digits only, the whole of `text`: no sign, blank or fraction slips through.
std::errc ReadWholeNumber(std::string_view text, std::uint64_t& number) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (text.empty() || (error == std::errc() && stop != end)) return std::errc::invalid_argument;
  return error;
}

}  // namespace

std::uint64_t Fnv1a64(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

std::uint64_t PartHash(std::string_view fileName) {
  // The finaliser of the 64-bit MurmurHash3: every input bit reaches every output bit.
  std::uint64_t hash = Fnv1a64(fileName);
  hash ^= hash >> 33;
  hash *= 0xff51afd7ed558ccdULL;
  hash ^= hash >> 33;
  hash *= 0xc4ceb9fe1a85ec53ULL;
  hash ^= hash >> 33;
  return hash;
}

std::string ReadBatchPart(const std::string& text, BatchPart& part) {
  if (text.empty()) return "no part follows it";
  const std::size_t slash = text.find('/');
  if (slash == std::string::npos) return "K and N must be whole numbers";
  BatchPart read;
  const std::string_view whole(text);
  for (const std::errc error : {ReadWholeNumber(whole.substr(0, slash), read.index),
                                ReadWholeNumber(whole.substr(slash + 1), read.count)}) {
    if (error == std::errc::result_out_of_range) return "K and N must be below 2^64";
    if (error != std::errc()) return "K and N must be whole numbers";
  }
  if (read.count == 0) return "N must be at least 1";
  if (read.index >= read.count) return "K must be below N";
  part = read;
  return "";
}

}  // namespace pressmoor::convert
