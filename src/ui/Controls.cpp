// Placeholder until implemented.
#include "ui/Controls.h"

namespace pressmoor::ui {
void Control::Visible(bool value) { visible_ = value; }
void Control::NotifyStateChanged() { if (StateChanged) StateChanged(); }
void CommandButton::PerformClick() { if (Click) Click(); }
void ComboBox::Text(const std::string& value) { text_ = value; }
void ComboBox::List(int, const std::string&) {}
std::string ComboBox::List(int) const { return {}; }
bool ComboBox::ListIndex(std::int16_t) { return false; }
DriveListBox::DriveListBox(const ControlDesign& design, platform::FileSystem& files) : Control(design), files_(files) {}
bool DriveListBox::Drive(const std::string&) { return false; }
std::vector<std::string> DriveListBox::Drives() { return {}; }
DirListBox::DirListBox(const ControlDesign& design, platform::FileSystem& files) : Control(design), files_(files) {}
bool DirListBox::Path(const std::string&) { return false; }
std::vector<std::string> DirListBox::Subdirectories() { return {}; }
FileListBox::FileListBox(const ControlDesign& design, platform::FileSystem& files) : Control(design), files_(files) {}
bool FileListBox::Pattern(const std::string&) { return false; }
bool FileListBox::Path(const std::string&) { return false; }
bool FileListBox::Refresh() { return false; }
const std::string& FileListBox::List(int) const { return path_; }
bool FileListBox::ReadList(const std::string&) { return false; }
void TextBox::Text(const std::string& value) { text_ = value; }
void TextBox::SelStart(int position) { selStart_ = position; }
void TextBox::SelectAll() {}
void TextBox::SetFocus() { if (FocusRequested) FocusRequested(*this); }
}  // namespace pressmoor::ui
