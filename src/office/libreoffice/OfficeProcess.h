// One headless office process: started in its own process group with a
// private profile and a unique UNO pipe, ended with its whole group. The
// process dies with us even when we are killed, and a profile left behind by
// a killed Pressmoor is swept up by the next start.
#pragma once

#include <mutex>
#include <string>
#include <sys/types.h>
#include <vector>

namespace pressmoor::office::libreoffice {

class OfficeProcess {
 public:
  // Throws std::runtime_error when the office cannot be started.
  OfficeProcess();
  // Ends the process group and removes the profile.
  ~OfficeProcess();
  OfficeProcess(const OfficeProcess&) = delete;
  OfficeProcess& operator=(const OfficeProcess&) = delete;

  // The UNO URL of the office's component context.
  std::string ConnectionUrl() const;
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

 private:
  void Launch();

  std::mutex mutex_;
  std::string directory_;
  std::string pipeName_;
  std::vector<std::string> socketFiles_;
  pid_t pid_ = -1;
  int restarts_ = 0;
};

}  // namespace pressmoor::office::libreoffice
