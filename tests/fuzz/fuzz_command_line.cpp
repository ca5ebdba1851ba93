#include <cstdio>
#include <cstdlib>

#include "CommandLineTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string broken = pressmoor::fuzz::CheckCommandLine(data, size);
  if (broken.empty()) return 0;
  std::fprintf(stderr, "broken: %s\n", broken.c_str());
  std::abort();
}
