// Placeholder until implemented.
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
void frmPressmoorMain::cmdAbout_Click() {}
void frmPressmoorMain::LaunchDriverHelper() {}
bool frmPressmoorMain::FileExists(const std::string&) { return false; }
}  // namespace pressmoor::ui
