// The Quillset printer's side of one print job: where the PDF goes, and
// getting it there whole. Pages are written into a private hidden directory
// beside the target and renamed into place only once complete, so a failed or
// interrupted job never leaves a partial PDF under the target name and never
// destroys an older PDF of that name. Whatever else the writer leaves in that
// directory (lock and scratch files of an office killed mid-write) goes with it.
// The directory's name carries the id of the process that owns it,
// `.<name>.quillset-<pid>.XXXXXX`, so that the first job of a process in a
// directory can remove those a killed process left there, and only those.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/Registry.h"

namespace pressmoor::quillset {

// A job that cannot be started or finished; the text says what to fix.
// ErrorNumber() is the errno that caused it, 0 when no call of the system failed.
class PdfJobError : public std::runtime_error {
 public:
  explicit PdfJobError(const std::string& text, int errorNumber = 0)
      : std::runtime_error(text), errorNumber_(errorNumber) {}
  int ErrorNumber() const { return errorNumber_; }

 private:
  int errorNumber_;
};

// Removes the working directories in `directory` whose owning process no
// longer runs. Those of running processes, this one's included, stay.
void SweepAbandonedJobs(const std::string& directory);

// True while the driver is installed: a "version" value under either of its
// machine-wide keys.
bool DriverInstalled(platform::Registry& registry);

// The output name the driver reads when a job reaches it: "PDFFileName"
// machine-wide first, then per-user; empty when neither is set.
std::string OutputNameSetting(platform::Registry& registry);

class PdfJob {
 public:
  // Starts a job for `target`, creating its working directory. Throws
  // PdfJobError when the name is empty or its directory cannot be written.
  explicit PdfJob(std::string target);
  // Removes the working directory and all it holds.
  ~PdfJob();
  PdfJob(const PdfJob&) = delete;
  PdfJob& operator=(const PdfJob&) = delete;

  const std::string& Target() const { return target_; }
  // Where the pages are to be written.
  const std::string& TemporaryPath() const { return temporary_; }

  // Names the target anew, for a job printed before its name was known.
  // False, and nothing changes, unless `target` lies in the same directory.
  bool Retarget(const std::string& target);

  // Moves the finished PDF into place. Throws PdfJobError when nothing was
  // written or the rename fails; the working directory is removed either way.
  void Commit();

 private:
  void RemoveWorkingDirectory();

  std::string target_;
  std::string workingDirectory_;
  std::string temporary_;
};

}  // namespace pressmoor::quillset
