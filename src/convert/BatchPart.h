// Which part of a batch a file belongs to when one batch is split among N
// runs that never talk to each other: each run works it out from the file
// name alone (over a tree, the path below the source), so they agree
// whatever order their directory listings come in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pressmoor::convert {

// Part `index` of `count`; the default, part 0 of 1, is the whole batch.
struct BatchPart {
  std::uint64_t index = 0;
  std::uint64_t count = 1;
};

// 64-bit FNV-1a over the bytes of `text`.
std::uint64_t Fnv1a64(std::string_view text);

// The part hash of a file name: FNV-1a, its bits then mixed, since FNV-1a's
// low bits depend only on the low bits of each byte, and a power-of-two
// count would put names such as report-a, report-c, report-e all in one part.
std::uint64_t PartHash(std::string_view fileName);

// Whether the file called `fileName` (a name, or a path relative to the
// source, never a full path) falls in `part`.
inline bool InPart(const BatchPart& part, std::string_view fileName) {
  return PartHash(fileName) % part.count == part.index;
}

// Reads "K/N", two whole numbers in decimal with 0 <= K < N, into `part`.
// Returns what is wrong with `text`, or "" when it was read.
std::string ReadBatchPart(const std::string& text, BatchPart& part);

}  // namespace pressmoor::convert
