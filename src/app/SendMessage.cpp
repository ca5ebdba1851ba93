// Placeholder until implemented.
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
void frmPressmoorMain::SendMessage(const std::string& message) { ++MessagesReported; (void)message; }
}  // namespace pressmoor::ui
