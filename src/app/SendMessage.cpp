#include "platform/EventLog.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

namespace {
constexpr const char* kTitle = "Pressmoor";
constexpr const char* kEventSource = "Pressmoor";
constexpr const char* kStandardErrorPrefix = "pressmoor: ";
}  // namespace

void frmPressmoorMain::SendMessage(const std::string& message) {
  ++MessagesReported;
  bool interactive = Env().CommandLine().empty();
  // A box would hold up a run told to stop, or outlive a closed window; the
  // log has it all the same.
  if (interactive && Env().StopSignal() == 0 && !ClosedDuringRun) Env().ShowMessageBox(message, kTitle);
  bool logged = Env().WriteEventLog(kEventSource, message);
  // An unattended run watched from a terminal shows its messages there too.
  if (interactive || !Env().StandardErrorIsTerminal()) return;
  std::string prefix = kStandardErrorPrefix;
  Env().WriteStandardError(prefix + platform::EventLog::Escape(message) + "\n");
  if (!logged) Env().WriteStandardError(prefix + "the event log could not be written\n");
}

}  // namespace pressmoor::ui
