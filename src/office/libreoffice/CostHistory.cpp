#include "CostHistory.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/StateRoots.h"

namespace pressmoor::office::libreoffice {
namespace {

// Enough for every file of a large archive; beyond it the oldest go.
constexpr std::size_t kMostEntries = 20000;
// A guess for a file never seen: an office takes about this long to open
// and print a small document, and about a second more per this many bytes.
constexpr double kSecondsForAnyFile = 0.3;
constexpr double kBytesPerSecond = 150000;

struct Entry {
  std::string path;
  double seconds;
};

// One entry a line, "seconds<TAB>path", newest first. Lines that do not
// parse are passed over: the file only ever orders work.
std::vector<Entry> ReadEntries(const std::string& file) {
  std::vector<Entry> entries;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos || tab + 1 == line.size()) continue;
    char* end = nullptr;
    const double seconds = std::strtod(line.c_str(), &end);
    if (end != line.c_str() + tab || !(seconds >= 0)) continue;
    entries.push_back({line.substr(tab + 1), seconds});
  }
  return entries;
}

// A path with a line break cannot be written on one line; it goes unremembered.
bool Storable(const std::string& path) { return path.find('\n') == std::string::npos; }

}  // namespace

CostHistory::CostHistory(std::string file) : file_(std::move(file)) {}

CostHistory& CostHistory::OfThisUser() {
  static CostHistory history(platform::UserRoot() + "/document-costs.tsv");
  return history;
}

void CostHistory::LoadOnce() {
  if (loaded_) return;
  loaded_ = true;
  for (const Entry& entry : ReadEntries(file_)) known_.emplace(entry.path, entry.seconds);
}

std::optional<double> CostHistory::SecondsFor(const std::string& path) {
  const std::lock_guard lock(mutex_);
  LoadOnce();
  const auto found = known_.find(path);
  if (found == known_.end()) return std::nullopt;
  return found->second;
}

void CostHistory::Record(const std::string& path, double seconds) {
  if (!Storable(path) || !(seconds >= 0)) return;
  const std::lock_guard lock(mutex_);
  LoadOnce();
  known_[path] = seconds;
  recorded_[path] = seconds;
}

double CostHistory::Estimate(const std::string& path, double bytes) {
  return SecondsFor(path).value_or(kSecondsForAnyFile + bytes / kBytesPerSecond);
}

void CostHistory::Save() {
  const std::lock_guard lock(mutex_);
  if (recorded_.empty()) return;
  std::vector<Entry> entries;
  for (const auto& [path, seconds] : recorded_) entries.push_back({path, seconds});
  for (Entry& old : ReadEntries(file_)) {
    if (entries.size() >= kMostEntries) break;
    if (recorded_.count(old.path) == 0) entries.push_back(std::move(old));
  }
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(file_).parent_path(), ignored);
  const std::string temporary = file_ + ".tmp-" + std::to_string(getpid());
  {
    std::ofstream out(temporary, std::ios::trunc);
    for (const Entry& entry : entries) {
      char seconds[32];
      std::snprintf(seconds, sizeof seconds, "%.3f", entry.seconds);
      out << seconds << '\t' << entry.path << '\n';
    }
    if (!out.flush()) {
      out.close();
      std::remove(temporary.c_str());
      return;
    }
  }
  if (std::rename(temporary.c_str(), file_.c_str()) != 0) std::remove(temporary.c_str());
  recorded_.clear();
}

}  // namespace pressmoor::office::libreoffice
