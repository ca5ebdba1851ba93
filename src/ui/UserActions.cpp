// What a person does in the window, as the views report it.
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

void frmPressmoorMain::MoveFocus(Control& control) {
  if (activeControl_ == &control) return;
  auto* leaving = dynamic_cast<TextBox*>(activeControl_);
  activeControl_ = &control;
  if (leaving != nullptr && leaving->LostFocus) leaving->LostFocus();
  auto* entering = dynamic_cast<TextBox*>(&control);
  if (entering != nullptr && entering->GotFocus) entering->GotFocus();
}

bool frmPressmoorMain::UserChoosesFileType(std::int16_t index) {
  if (RunInProgress) return false;
  return cmbFileType.ListIndex(index);
}

bool frmPressmoorMain::UserChoosesDrive(DriveListBox& list, const std::string& drive) {
  if (RunInProgress) return false;
  return list.Drive(drive);
}

bool frmPressmoorMain::UserOpensDirectory(DirListBox& list, const std::string& path) {
  if (RunInProgress) return false;
  return list.Path(path);
}

void frmPressmoorMain::UserClicksConvert() {
  if (RunInProgress) return;
  cmdConvert_Click();
}

void frmPressmoorMain::UserClosesWindow() {
  if (!RunInProgress) return;
  ClosedDuringRun = true;
  StopRequested = true;
  // No run follows this one, so its offices can end now, whatever they do.
  Env().Office().EndAllOffices();
}

}  // namespace pressmoor::ui
