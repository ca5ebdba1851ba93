#include "OfficeCount.h"

#include <sched.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace pressmoor::office::libreoffice {
namespace {

std::size_t UsableCores() {
  cpu_set_t cores;
  CPU_ZERO(&cores);
  if (sched_getaffinity(0, sizeof cores, &cores) != 0) return 1;
  return static_cast<std::size_t>(std::max(1, CPU_COUNT(&cores)));
}

// MemAvailable of /proc/meminfo; unknown counts as plenty.
std::size_t AvailableMegabytes() {
  std::ifstream meminfo("/proc/meminfo");
  std::string line;
  while (std::getline(meminfo, line)) {
    std::istringstream fields(line);
    std::string name;
    std::size_t kilobytes = 0;
    if (fields >> name >> kilobytes && name == "MemAvailable:") return kilobytes / 1024;
  }
  return static_cast<std::size_t>(-1);
}

}  // namespace

std::size_t OfficesFor(const std::optional<std::string>& setting, std::size_t cores,
                       std::size_t availableMegabytes) {
  if (setting && !setting->empty() &&
      setting->find_first_not_of("0123456789") == std::string::npos && setting->size() < 4) {
    const std::size_t asked = std::stoul(*setting);
    if (asked >= 1) return asked;
  }
  return std::max<std::size_t>(1, std::min(cores, availableMegabytes / kOfficeMegabytes));
}

std::size_t OfficesForThisMachine() {
  const char* setting = std::getenv("PRESSMOOR_OFFICES");
  return OfficesFor(setting ? std::optional<std::string>(setting) : std::nullopt, UsableCores(),
                    AvailableMegabytes());
}

}  // namespace pressmoor::office::libreoffice
