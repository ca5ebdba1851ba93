// Placeholder until implemented.
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
void frmPressmoorMain::srcdrive_Change() {}
void frmPressmoorMain::DstDrive_Change() {}
void frmPressmoorMain::SrcFolder_Change() {}
void frmPressmoorMain::DstFolder_Change() {}
void frmPressmoorMain::RefreshSourceList() {}
void frmPressmoorMain::RefreshDestinationList() {}
bool frmPressmoorMain::CheckSourceDirectory() { return false; }
bool frmPressmoorMain::CheckDestinationDirectory() { return false; }
}  // namespace pressmoor::ui
