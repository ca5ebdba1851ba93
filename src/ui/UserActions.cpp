// Placeholder until implemented.
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
void frmPressmoorMain::MoveFocus(Control& c) { activeControl_ = &c; }
bool frmPressmoorMain::UserChoosesFileType(std::int16_t) { return false; }
bool frmPressmoorMain::UserChoosesDrive(DriveListBox&, const std::string&) { return false; }
bool frmPressmoorMain::UserOpensDirectory(DirListBox&, const std::string&) { return false; }
void frmPressmoorMain::UserClicksConvert() {}
}  // namespace pressmoor::ui
