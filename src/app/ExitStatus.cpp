#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

// What an unattended run tells the shell, cron or CI that started it. The
// worst outcome wins: a missing driver stops everything, a command line that
// could not be applied runs no batch, any message beyond the summaries means
// something went wrong along the way.
int frmPressmoorMain::ExitStatus() const {
  if (DriverCheckFailed) return 3;
  if (CommandLineFailed) return 2;
  if (MessagesReported > SummariesReported) return 1;
  return 0;
}

}  // namespace pressmoor::ui
