// The window's controls as plain objects: state and events, no toolkit. The
// Qt views draw them and forward user actions; the unattended run and the
// tests use them without any display.
//
// Setting a drive list's Drive, a directory list's Path or the combo box's
// ListIndex from code to a new value runs the control's change handler before
// the setter returns; setting the value it already has runs nothing. A set
// that fails returns false and leaves the control as it was.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace pressmoor::ui {

enum class ControlKind {
  Frame, ComboBox, DriveList, DirectoryList, FileList, Label, TextBox, CommandButton, ProgressBar
};

struct FontDesign {
  const char* name = nullptr;  // nullptr: the window's default font
  double points = 0;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  int charset = 0;
};

// Design-time data: where a control sits (twips from the client area's top
// left corner), what it says and how focus reaches it.
struct ControlDesign {
  const char* name;
  ControlKind kind;
  const char* text;  // caption or initial text; "" for none
  int left, top, width, height;
  int tabIndex;
  const char* toolTip;  // "" for none
  FontDesign font;
  bool centred = false;
  int maxLength = 0;  // 0: no limit
};

class Control {
 public:
  explicit Control(const ControlDesign& design) : design_(design), visible_(true) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const ControlDesign& Design() const { return design_; }
  const char* Name() const { return design_.name; }
  // The design text: a frame's, label's or button's caption.
  const char* Caption() const { return design_.text; }
  bool Visible() const { return visible_; }
  void Visible(bool value);

  // Called after any change of state, so a view can redraw. One observer.
  std::function<void()> StateChanged;

 protected:
  void NotifyStateChanged();

 private:
  const ControlDesign& design_;
  bool visible_;
};

class Frame : public Control {
 public:
  using Control::Control;
};

class Label : public Control {
 public:
  explicit Label(const ControlDesign& design) : Control(design), text_(design.text) {}
  // The design text until the program sets another.
  const std::string& Text() const { return text_; }
  void Text(const std::string& value);

 private:
  std::string text_;
};

// How far a run has come: Value of Max, both from 0.
class ProgressBar : public Control {
 public:
  using Control::Control;
  int Max() const { return max_; }
  int Value() const { return value_; }
  // A value outside 0 to `max` is taken as the nearest end.
  void Show(int value, int max);

 private:
  int max_ = 0;
  int value_ = 0;
};

class CommandButton : public Control {
 public:
  using Control::Control;
  std::function<void()> Click;
  void PerformClick();  // what a press of the button does
};

class ComboBox : public Control {
 public:
  using Control::Control;
  const std::string& Text() const { return text_; }
  void Text(const std::string& value);
  // Entries by position; setting position ListCount() appends.
  void List(int index, const std::string& value);
  std::string List(int index) const;
  int ListCount() const { return static_cast<int>(entries_.size()); }
  std::int16_t ListIndex() const { return listIndex_; }
  // -1 clears the selection; another value outside the entries fails.
  bool ListIndex(std::int16_t index);
  std::function<void()> Click;

 private:
  std::string text_;
  std::vector<std::string> entries_;
  std::int16_t listIndex_ = -1;
};

class DriveListBox : public Control {
 public:
  DriveListBox(const ControlDesign& design, platform::FileSystem& files);
  // "path" or "path [label]" of the chosen drive.
  const std::string& Drive() const { return drive_; }
  // Accepts a text Drive() gave, a bare mount point, or "/". False when no
  // mounted drive matches.
  bool Drive(const std::string& value);
  // The drives as shown in the list, re-read from the mount table.
  std::vector<std::string> Drives();
  std::function<void()> Change;

 private:
  platform::FileSystem& files_;
  std::string drive_;
};

class DirListBox : public Control {
 public:
  DirListBox(const ControlDesign& design, platform::FileSystem& files);
  const std::string& Path() const { return path_; }
  // A drive text opens that drive's current directory; a full path opens
  // that directory. False when it cannot be opened or listed.
  bool Path(const std::string& value);
  // The open directory's subdirectories (full paths), sorted; hidden ones left out.
  std::vector<std::string> Subdirectories();
  std::function<void()> Change;

 private:
  platform::FileSystem& files_;
  std::string path_;
};

class FileListBox : public Control {
 public:
  FileListBox(const ControlDesign& design, platform::FileSystem& files);
  const std::string& Pattern() const { return pattern_; }
  bool Pattern(const std::string& value);  // re-reads the list
  const std::string& Path() const { return path_; }
  bool Path(const std::string& value);  // re-reads the list; false keeps the old one
  bool Refresh();
  // With `value` true the list also holds the files of every subfolder, as
  // paths relative to Path: a folder's own files first, then its subfolders
  // one by one. Hidden folders, links to folders and the folder `leaveOut`
  // are not entered. Takes effect at the next read.
  void Subfolders(bool value, const std::string& leaveOut);
  // The subfolders the last read could not list, as full paths.
  const std::vector<std::string>& UnreadFolders() const { return unreadFolders_; }
  int ListCount() const { return static_cast<int>(names_.size()); }
  // Names in ListsBefore order (ui/Wildcard.h) within each folder; "" outside
  // the entries.
  const std::string& List(int index) const;

 private:
  bool ReadList(const std::string& path);
  void AddFiles(const std::string& folder, const std::string& prefix,
                std::vector<platform::DirectoryEntry>& entries, std::vector<std::string>& names,
                std::vector<std::string>& unread);
  platform::FileSystem& files_;
  std::string pattern_ = "*.*";
  std::string path_;
  std::vector<std::string> names_;
  bool subfolders_ = false;
  std::string leaveOut_;
  std::vector<std::string> unreadFolders_;
};

class TextBox : public Control {
 public:
  explicit TextBox(const ControlDesign& design);
  const std::string& Text() const { return text_; }
  void Text(const std::string& value);
  int SelStart() const { return selStart_; }
  void SelStart(int position);  // caret there, nothing selected
  int SelLength() const { return selLength_; }
  void SelectAll();
  // Moves the window's focus here (LostFocus of the old control, then GotFocus).
  void SetFocus();

  std::function<void()> GotFocus;
  std::function<void(std::int16_t& keyAscii)> KeyPress;
  std::function<void()> LostFocus;
  // Installed by the window: how SetFocus reaches its focus tracking.
  std::function<void(TextBox&)> FocusRequested;

 private:
  std::string text_;
  int selStart_ = 0;
  int selLength_ = 0;
};

}  // namespace pressmoor::ui
