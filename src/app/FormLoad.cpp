// Placeholder until implemented.
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
void frmPressmoorMain::Form_Load() {}
int frmPressmoorMain::ExitStatus() const { return 0; }
}  // namespace pressmoor::ui
