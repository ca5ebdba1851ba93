// The command-line fuzz checks with a fixed seed, so every unit run covers
// them without libFuzzer.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "../fuzz/CommandLineTarget.h"

namespace pressmoor::fuzz {
namespace {

std::string Check(const std::string& line, std::int16_t start = 1) {
  std::string input(2, '\0');
  input[0] = static_cast<char>(start & 0xFF);
  input[1] = static_cast<char>((start >> 8) & 0xFF);
  input += line;
  return CheckCommandLine(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

TEST(CommandLineFuzz, ChosenLinesKeepEveryRule) {
  for (const char* line : {"", "-", "-f", "-s", "-f *.txt -s in -d out", "-f *.* -s in",
                           "-s in -d in", "-s my docs -d out", "-s -s -d out", "-s ../.. -d out",
                           "-s / -d out", "-s in/sub/../../.. -d out", "-d out -s in -o landscape",
                           "-s in -d empty -f \"*.txt\"", "-s\tin", "-s in\n-d out", "-s ~ -d out",
                           "-f -s in -d out", "-s in -d out -", "-s \xff\xfe -d out",
                           "-s /[scratch] -d out", "-s in#% -d out"}) {
    EXPECT_EQ(Check(line), "") << line;
  }
  for (std::int16_t start : {std::int16_t{-32768}, std::int16_t{-1}, std::int16_t{0},
                             std::int16_t{3}, std::int16_t{32767}}) {
    EXPECT_EQ(Check("-f *.doc -s in -d out", start), "") << start;
  }
}

TEST(CommandLineFuzz, RandomLinesFromOptionsAndAwkwardBytesKeepEveryRule) {
  const std::vector<std::string> pieces = {"-f", "-s", "-d", "-o", "-x", "-", "*.txt", "*.*", "in",
                                           "out", "my docs", "empty", "..", "/", "\"", " ", "  ",
                                           "landscape", "#", "%", "\n", "\xc3", "-s/q.doc", "in/sub"};
  std::mt19937 random(20240607);
  for (int round = 0; round < 3000; ++round) {
    std::string line;
    int count = static_cast<int>(random() % 9);
    for (int i = 0; i < count; ++i) {
      if (random() % 6 == 0) {
        line += static_cast<char>(random() % 256);
      } else {
        line += pieces[random() % pieces.size()];
        if (random() % 3) line += ' ';
      }
    }
    auto start = static_cast<std::int16_t>(static_cast<int>(random() % 80) - 10);
    std::string broken = Check(line, start);
    ASSERT_EQ(broken, "") << "line: '" << line << "' start " << start;
  }
}

}  // namespace
}  // namespace pressmoor::fuzz
