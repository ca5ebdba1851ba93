// One headless office process: started in its own process group with a
// private directory (profile, temporary files, output) and a unique UNO pipe,
// in a sandbox that may read its reach (OfficeSandbox.h), ended with its
// whole group. The process dies with us even when we are killed, and a
// directory left behind by a killed Pressmoor is swept up by the next start.
// EndEvery ends every office of this process at once, for a run told to stop.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <vector>

#include "OfficeSandbox.h"

namespace pressmoor::office::libreoffice {

class OfficeProcess {
 public:
  // Starts an office that may read `reach`: in a sandbox, unless the reach
  // is unconfined or PRESSMOOR_SANDBOX=off. Throws SandboxUnavailable when
  // no sandbox can be made, std::runtime_error when the office cannot be
  // started.
  explicit OfficeProcess(OfficeReach reach);
  // Ends the process group and removes the profile.
  ~OfficeProcess();
  OfficeProcess(const OfficeProcess&) = delete;
  OfficeProcess& operator=(const OfficeProcess&) = delete;

  // The UNO URL of the office's component context.
  std::string ConnectionUrl() const;
  const OfficeReach& Reach() const { return reach_; }
  // False when the sandbox keeps the office from reading `path`.
  bool CanRead(const std::string& path) const;
  // A new path ending in `extension` in the office's own output directory,
  // the one place it may write files for us to take.
  std::string NewOutputPath(const std::string& extension);
  pid_t ProcessId() const { return pid_; }
  // False once the process has ended; reaps it then. A process that asked
  // to be started again (first start on a fresh profile) is restarted.
  bool Running();
  // SIGKILL to the group, then reaps. Safe to call more than once and from
  // any thread.
  void Kill();
  // Notes the office's socket files, which a killed office leaves behind, so
  // that Kill removes them. Call once the office answers.
  void NoteSocketFiles();

  // Kills every office of this process, from any thread, and lets no new
  // one start: calls in progress fail at once, later starts throw.
  static void EndEvery();

 private:
  void Launch();
  std::string PipePath(const std::string& folder) const;

  OfficeReach reach_;
  bool confined_ = false;
  std::mutex mutex_;
  std::string directory_;
  std::string pipeName_;
  std::vector<std::string> command_;
  std::atomic<unsigned> outputs_{0};
  std::vector<std::string> socketFiles_;
  pid_t pid_ = -1;
  int restarts_ = 0;
};

}  // namespace pressmoor::office::libreoffice
