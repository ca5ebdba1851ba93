// Placeholder until implemented.
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
void frmPressmoorMain::ParseCommandLine() {}
std::string frmPressmoorMain::getparameter(std::int16_t, const std::string&) { return {}; }
void frmPressmoorMain::ApplyCommandLine() {}
}  // namespace pressmoor::ui
