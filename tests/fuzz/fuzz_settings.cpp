#include <cstdio>
#include <cstdlib>

#include "SettingsTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string broken = pressmoor::fuzz::CheckSettings(data, size);
  if (broken.empty()) return 0;
  std::fprintf(stderr, "broken: %s\n", broken.c_str());
  std::abort();
}
