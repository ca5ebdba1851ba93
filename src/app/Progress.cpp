// Placeholder until implemented.
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
void frmPressmoorMain::ShowProgress(int, int, const std::string&) {}
void frmPressmoorMain::EndProgress() {}
}  // namespace pressmoor::ui
