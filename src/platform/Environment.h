// Everything the window object needs from the outside world, behind one
// interface: the real one for the program, fakes for tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "office/Automation.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"

namespace pressmoor::platform {

class Environment {
 public:
  virtual ~Environment() = default;

  // The program's command line: argv[1..] joined with single blanks, as the
  // shell handed them over. Empty means interactive.
  virtual std::string CommandLine() = 0;

  // A modal box with `text`, caption `title`, one OK button and no icon.
  // Returns once the user has closed it.
  virtual void ShowMessageBox(const std::string& text, const std::string& title) = 0;

  // Appends one entry to the application event log under `source`. False
  // when the entry could not be written; the caller decides what to say.
  virtual bool WriteEventLog(const std::string& source, const std::string& text) = 0;

  // Standard error, for the unattended run's echo and progress line.
  virtual bool StandardErrorIsTerminal() = 0;
  virtual void WriteStandardError(const std::string& text) = 0;

  // Seconds with fractions since an arbitrary origin; never goes backwards.
  virtual double Clock() = 0;
  virtual void Sleep(int milliseconds) = 0;
  // Runs pending window events; nothing where no window exists.
  virtual void DispatchEvents() = 0;
  // The signal (SIGTERM, SIGINT, SIGHUP) that asked the run to stop; 0
  // while none has.
  virtual int StopSignal() = 0;

  virtual Registry& Settings() = 0;
  virtual FileSystem& Files() = 0;
  virtual office::ObjectFactory& Office() = 0;

  // The system directory: $PRESSMOOR_MACHINE_ROOT/system32.
  virtual std::string SystemDirectory() = 0;

  // Starts `program` with `arguments` (argv[1..]) without waiting for it and
  // without a shell. False when it could not be started.
  virtual bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

}  // namespace pressmoor::platform
