#include "quillset/PdfJob.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <climits>
#include <csignal>
#include <fstream>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
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

constexpr const char* kOwnerMark = ".quillset-";
constexpr const char* kUniqueSuffix = ".XXXXXX";

// ".<name>.quillset-<pid>.XXXXXX", the name cut short where the whole would
// be longer than a directory entry may be.
std::string WorkingDirectoryPattern(const std::string& name) {
  const std::string owner = kOwnerMark + std::to_string(getpid()) + kUniqueSuffix;
  const std::size_t room = NAME_MAX - 1 - owner.size();
  std::string pattern = ".";
  pattern += name.substr(0, room);
  pattern += owner;
  return pattern;
}

// The owner of a working directory named as above; 0 for any other name.
pid_t OwnerOf(const std::string& name) {
  const std::size_t suffix = std::strlen(kUniqueSuffix);
  if (name.size() < 1 + std::strlen(kOwnerMark) + 1 + suffix || name[0] != '.') return 0;
  if (name[name.size() - suffix] != '.') return 0;
  const std::string withoutSuffix = name.substr(0, name.size() - suffix);
  const std::size_t mark = withoutSuffix.rfind(kOwnerMark);
  if (mark == std::string::npos || mark == 0) return 0;
  const std::string digits = withoutSuffix.substr(mark + std::strlen(kOwnerMark));
  if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) {
    return 0;
  }
  return static_cast<pid_t>(std::stol(digits));
}

// Once per directory and process: the first job there sweeps it.
void SweepOnce(const std::string& directory) {
  static std::mutex mutex;
  static std::set<std::string> swept;
  {
    std::lock_guard lock(mutex);
    if (!swept.insert(directory).second) return;
  }
  SweepAbandonedJobs(directory);
}

}  // namespace

void SweepAbandonedJobs(const std::string& directory) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
    const pid_t owner = OwnerOf(entry.path().filename().string());
    if (owner <= 0 || !entry.is_directory(error) || entry.is_symlink(error)) continue;
    if (kill(owner, 0) != 0 && errno == ESRCH) std::filesystem::remove_all(entry.path(), error);
  }
}

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
  const std::filesystem::path folder = targetPath.parent_path();
  SweepOnce(folder.empty() ? std::string(".") : folder.string());
  std::string patternText = (folder / WorkingDirectoryPattern(targetPath.filename().string())).string();
  std::vector<char> buffer(patternText.begin(), patternText.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) {
    const int failure = errno;
    throw PdfJobError("Cannot write the PDF " + target_ + ": " + std::strerror(failure) +
                          ". Check that the output directory exists and is writable.",
                      failure);
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
  const int failure = placed ? 0 : errno;
  RemoveWorkingDirectory();
  if (!placed) {
    throw PdfJobError("Cannot put the PDF in place at " + target_ + ": " + std::strerror(failure) + ".",
                      failure);
  }
}

}  // namespace pressmoor::quillset
