// Placeholder until implemented.
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
void frmPressmoorMain::ConvertWithWord() {}
bool frmPressmoorMain::IsWordFile(const std::string&) { return false; }
bool frmPressmoorMain::FileLocked(const std::string&) { return false; }
bool frmPressmoorMain::IsDocFile(const std::string&) { return false; }
}  // namespace pressmoor::ui
