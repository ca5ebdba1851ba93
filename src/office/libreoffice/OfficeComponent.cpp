#include "OfficeComponent.h"

#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "FileUrlText.h"

namespace pressmoor::office::libreoffice {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRegistration = "pressmoor-office.rdb";
constexpr const char* kOfficeProgram = "/usr/lib/libreoffice/program";

// The office's own services, as its fundamentalrc lists them, less those of
// extensions: a fresh profile holds none, and on a command line the office
// cannot expand the references to its extension registries.
// Appended piece by piece: GCC 12 at -O3 reports overlapping copies inside
// `"literal" + std::string` that cannot happen.
std::string OfficeServices() {
  std::string services = "<";
  services += FileUrlText(kOfficeProgram);
  services += "/services>*";
  return services;
}

std::string Found() {
  std::vector<fs::path> candidates;
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (!error) candidates.push_back(program.parent_path().parent_path() / "lib" / "pressmoor");
  candidates.emplace_back(PRESSMOOR_COMPONENT_DIR);
  std::string lookedIn;
  for (const fs::path& candidate : candidates) {
    if (fs::is_regular_file(candidate / kRegistration, error)) return candidate.lexically_normal().string();
    if (!lookedIn.empty()) lookedIn += ", ";
    lookedIn += candidate.string();
  }
  throw std::runtime_error("the office component of Pressmoor is not installed (looked in " + lookedIn + ")");
}

}  // namespace

const std::string& ComponentFolder() {
  static std::once_flag once;
  static std::string folder;
  static std::string problem;
  std::call_once(once, [] {
    try {
      folder = Found();
    } catch (const std::runtime_error& error) {
      problem = error.what();
    }
  });
  if (!problem.empty()) throw std::runtime_error(problem);
  return folder;
}

std::string LoadComponentArgument(const std::string& folder) {
  std::string argument = "-env:URE_MORE_SERVICES=";
  argument += OfficeServices();
  argument += " ";
  argument += FileUrlText(folder + "/" + kRegistration);
  return argument;
}

}  // namespace pressmoor::office::libreoffice
