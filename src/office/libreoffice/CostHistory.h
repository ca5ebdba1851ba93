// How long each document took an office in earlier runs, so that a run can
// start its longest work first: a file's size in bytes says little of it (a
// modest workbook may print hundreds of pages, a large slide show only a
// few). One small file per user, shared by every run; a lost, damaged or
// unwritable file costs only the order of work, never a result. Thread-safe.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace pressmoor::office::libreoffice {

class CostHistory {
 public:
  // Held at `file`; nothing is read until first asked.
  explicit CostHistory(std::string file);

  // The one of this user: $PRESSMOOR_USER_ROOT (or its default) /document-costs.tsv.
  static CostHistory& OfThisUser();

  // Seconds an office last took for `path` (an absolute path), when known.
  std::optional<double> SecondsFor(const std::string& path);
  // Remembers what `path` took in this run; Save writes it.
  void Record(const std::string& path, double seconds);
  // Merges what this run recorded into the file as it is now, keeping the
  // newest entries when there are too many. Runs of several processes may
  // save at once: the file is replaced whole, so one may lose the other's
  // entries, never corrupt them.
  void Save();

  // Estimated seconds of office work for `path` of `bytes`: its history, or
  // a guess from its size.
  double Estimate(const std::string& path, double bytes);

 private:
  void LoadOnce();

  std::string file_;
  std::mutex mutex_;
  bool loaded_ = false;
  std::map<std::string, double> known_;     // from the file and this run
  std::map<std::string, double> recorded_;  // by this run, not yet saved
};

}  // namespace pressmoor::office::libreoffice
