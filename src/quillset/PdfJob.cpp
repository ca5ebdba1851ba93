#include "quillset/PdfJob.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <vector>

#include "driver/Quillset.h"
#include "settings/RegistryAPI.h"

namespace pressmoor::quillset {
namespace {

using settings::RegistryAPI::ValueHolder;

bool HoldsSomething(const ValueHolder& holder) {
  if (const auto* text = std::get_if<std::string>(&holder)) return !text->empty();
  return std::holds_alternative<std::int32_t>(holder);
}

bool MachineValuePresent(platform::Registry& registry, const char* key, const char* name) {
  ValueHolder holder{std::string()};
  settings::RegistryAPI::ReadMachineValue(registry, key, name, holder);
  return HoldsSomething(holder);
}

bool StartsAsPdf(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  char magic[5] = {};
  file.read(magic, sizeof magic);
  return file.gcount() == sizeof magic && std::memcmp(magic, "%PDF-", sizeof magic) == 0;
}

}  // namespace

bool DriverInstalled(platform::Registry& registry) {
  return MachineValuePresent(registry, driver::kVersionKey, driver::kVersionValue) ||
         MachineValuePresent(registry, driver::kProVersionKey, driver::kVersionValue);
}

std::string OutputNameSetting(platform::Registry& registry) {
  ValueHolder holder{std::string()};
  settings::RegistryAPI::ReadMachineValue(registry, driver::kVersionKey,
                                          driver::kOutputFileNameValue, holder);
  if (const auto* text = std::get_if<std::string>(&holder); text && !text->empty()) return *text;
  return registry.GetSetting(driver::kSettingsApplication, driver::kSettingsSection,
                             driver::kOutputFileNameValue, "");
}

PdfJob::PdfJob(std::string target) : target_(std::move(target)) {
  if (target_.empty()) {
    throw PdfJobError("No output file name was given for the PDF.");
  }
  const std::filesystem::path targetPath(target_);
  if (!targetPath.has_filename()) {
    throw PdfJobError("The PDF output name " + target_ + " names a directory, not a file.");
  }
  // Hidden beside the target, so that the final rename stays on one file system.
  // Appended piece by piece: GCC 12 at -O3 sees overlapping copies in
  // `"." + std::string` that cannot happen.
  std::string hiddenName = ".";
  hiddenName += targetPath.filename().string();
  hiddenName += ".XXXXXX";
  std::string patternText = (targetPath.parent_path() / hiddenName).string();
  std::vector<char> buffer(patternText.begin(), patternText.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) {
    throw PdfJobError("Cannot write the PDF " + target_ + ": " + std::strerror(errno) +
                      ". Check that the output directory exists and is writable.");
  }
  workingDirectory_ = buffer.data();
  temporary_ = (std::filesystem::path(workingDirectory_) / targetPath.filename()).string();
}

PdfJob::~PdfJob() { RemoveWorkingDirectory(); }

void PdfJob::RemoveWorkingDirectory() {
  if (workingDirectory_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(workingDirectory_, ignored);
  workingDirectory_.clear();
}

bool PdfJob::Retarget(const std::string& target) {
  const std::filesystem::path next(target);
  if (!next.has_filename() ||
      next.parent_path() != std::filesystem::path(target_).parent_path()) {
    return false;
  }
  target_ = target;
  return true;
}

void PdfJob::Commit() {
  if (!StartsAsPdf(temporary_)) {
    RemoveWorkingDirectory();
    throw PdfJobError("No PDF was produced for " + target_ + ".");
  }
  // A writer's private mode would make the PDF private; give it the usual one.
  const mode_t mask = umask(0);
  umask(mask);
  chmod(temporary_.c_str(), 0666 & ~mask);
  const bool placed = std::rename(temporary_.c_str(), target_.c_str()) == 0;
  const std::string reason = placed ? std::string() : std::strerror(errno);
  RemoveWorkingDirectory();
  if (!placed) throw PdfJobError("Cannot put the PDF in place at " + target_ + ": " + reason + ".");
}

}  // namespace pressmoor::quillset
