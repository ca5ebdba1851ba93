#include "ui/Controls.h"

#include <algorithm>
#include <optional>

#include "ui/Wildcard.h"

namespace pressmoor::ui {

namespace {

using platform::DirectoryEntry;
using platform::FileSystem;
using platform::MountPoint;

// Stored preferences of old still say "C:\" for the system drive.
constexpr const char* kLegacySystemDrive = "C:\\";

std::string DriveTextOf(const MountPoint& mount) {
  return mount.label.empty() ? mount.path : mount.path + " [" + mount.label + "]";
}

// Lexical only: symbolic links are not resolved, so the lists show the path
// the way the user reached it.
std::string NormalizePath(const std::string& path, const std::string& base) {
  std::string full = (!path.empty() && path.front() == '/') ? path : base + "/" + path;
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= full.size()) {
    std::size_t end = full.find('/', start);
    if (end == std::string::npos) end = full.size();
    std::string part = full.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(std::move(part));
    }
    start = end + 1;
  }
  std::string result;
  for (const std::string& part : parts) result += "/" + part;
  return result.empty() ? "/" : result;
}

bool LiesOn(const std::string& path, const std::string& mountPath) {
  if (mountPath == "/") return true;
  return path == mountPath || path.rfind(mountPath + "/", 0) == 0;
}

std::optional<MountPoint> MountHolding(const std::vector<MountPoint>& mounts, const std::string& path) {
  std::optional<MountPoint> best;
  for (const MountPoint& mount : mounts) {
    if (LiesOn(path, mount.path) && (!best || mount.path.size() > best->path.size())) best = mount;
  }
  return best;
}

// "path [label]" with a label that may since have changed.
std::optional<std::string> MountPathOfDriveText(const std::string& text) {
  std::size_t open = text.rfind(" [");
  if (text.empty() || text.back() != ']' || open == std::string::npos) return std::nullopt;
  return text.substr(0, open);
}

std::optional<MountPoint> FindDrive(const std::vector<MountPoint>& mounts, const std::string& text) {
  std::string wanted = text == kLegacySystemDrive ? "/" : text;
  for (const MountPoint& mount : mounts) {
    if (DriveTextOf(mount) == wanted) return mount;
  }
  std::string path = MountPathOfDriveText(wanted).value_or(wanted);
  for (const MountPoint& mount : mounts) {
    if (mount.path == path) return mount;
  }
  return std::nullopt;
}

// The current directory of a drive: the process's own when it lies on that
// drive, else the drive's mount point.
std::string CurrentDirectoryOf(FileSystem& files, const std::vector<MountPoint>& mounts,
                               const MountPoint& drive) {
  std::string current = NormalizePath(files.CurrentDirectory(), "/");
  std::optional<MountPoint> holder = MountHolding(mounts, current);
  return (holder && holder->path == drive.path) ? current : drive.path;
}

std::string ChildPath(const std::string& directory, const std::string& name) {
  return directory == "/" ? "/" + name : directory + "/" + name;
}

bool Hidden(const std::string& name) { return !name.empty() && name.front() == '.'; }

}  // namespace

// ---- Control ---------------------------------------------------------------

void Control::Visible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
  NotifyStateChanged();
}

void Control::NotifyStateChanged() {
  if (StateChanged) StateChanged();
}

void CommandButton::PerformClick() {
  if (Click) Click();
}

void Label::Text(const std::string& value) {
  if (text_ == value) return;
  text_ = value;
  NotifyStateChanged();
}

void ProgressBar::Show(int value, int max) {
  max = std::max(max, 0);
  value = std::clamp(value, 0, max);
  if (value == value_ && max == max_) return;
  value_ = value;
  max_ = max;
  NotifyStateChanged();
}

// ---- ComboBox --------------------------------------------------------------

void ComboBox::Text(const std::string& value) {
  text_ = value;
  NotifyStateChanged();
}

void ComboBox::List(int index, const std::string& value) {
  if (index < 0 || index > ListCount()) return;
  if (index == ListCount()) {
    entries_.push_back(value);
  } else {
    entries_[static_cast<std::size_t>(index)] = value;
  }
  NotifyStateChanged();
}

std::string ComboBox::List(int index) const {
  if (index < 0 || index >= ListCount()) return {};
  return entries_[static_cast<std::size_t>(index)];
}

bool ComboBox::ListIndex(std::int16_t index) {
  if (index < -1 || index >= ListCount()) return false;
  if (index == listIndex_) return true;
  listIndex_ = index;
  text_ = index == -1 ? std::string() : entries_[static_cast<std::size_t>(index)];
  NotifyStateChanged();
  if (Click) Click();
  return true;
}

// ---- DriveListBox ----------------------------------------------------------

DriveListBox::DriveListBox(const ControlDesign& design, platform::FileSystem& files)
    : Control(design), files_(files) {
  std::vector<MountPoint> mounts = files_.Mounts();
  std::optional<MountPoint> current = MountHolding(mounts, NormalizePath(files_.CurrentDirectory(), "/"));
  drive_ = current ? DriveTextOf(*current) : "/";
}

bool DriveListBox::Drive(const std::string& value) {
  std::optional<MountPoint> drive = FindDrive(files_.Mounts(), value);
  if (!drive) return false;
  std::string text = DriveTextOf(*drive);
  if (text == drive_) return true;
  drive_ = text;
  NotifyStateChanged();
  if (Change) Change();
  return true;
}

std::vector<std::string> DriveListBox::Drives() {
  std::vector<std::string> texts;
  for (const MountPoint& mount : files_.Mounts()) texts.push_back(DriveTextOf(mount));
  return texts;
}

// ---- DirListBox ------------------------------------------------------------

DirListBox::DirListBox(const ControlDesign& design, platform::FileSystem& files)
    : Control(design), files_(files), path_(NormalizePath(files.CurrentDirectory(), "/")) {}

bool DirListBox::Path(const std::string& value) {
  if (value.empty()) return false;
  std::string target;
  std::optional<std::string> drivePath = MountPathOfDriveText(value);
  std::vector<MountPoint> mounts = files_.Mounts();
  std::optional<MountPoint> drive = drivePath ? FindDrive(mounts, value) : std::nullopt;
  if (drive) {
    target = CurrentDirectoryOf(files_, mounts, *drive);
  } else {
    target = NormalizePath(value, files_.CurrentDirectory());
  }
  std::vector<DirectoryEntry> entries;
  if (!files_.IsDirectory(target) || !files_.ListDirectory(target, &entries)) return false;
  if (target == path_) return true;
  path_ = target;
  NotifyStateChanged();
  if (Change) Change();
  return true;
}

std::vector<std::string> DirListBox::Subdirectories() {
  std::vector<DirectoryEntry> entries;
  std::vector<std::string> names;
  if (!files_.ListDirectory(path_, &entries)) return names;
  for (const DirectoryEntry& entry : entries) {
    if (entry.kind == DirectoryEntry::Kind::Directory && !Hidden(entry.name)) names.push_back(entry.name);
  }
  SortInListOrder(names);
  for (std::string& name : names) name = ChildPath(path_, name);
  return names;
}

// ---- FileListBox -----------------------------------------------------------

FileListBox::FileListBox(const ControlDesign& design, platform::FileSystem& files)
    : Control(design), files_(files), path_(NormalizePath(files.CurrentDirectory(), "/")) {
  ReadList(path_);
}

// Setting the pattern or directory the list already has reads nothing; the
// callers that need fresh names call Refresh, which always reads.
bool FileListBox::Pattern(const std::string& value) {
  if (value == pattern_) return true;
  pattern_ = value;
  NotifyStateChanged();
  return ReadList(path_);
}

bool FileListBox::Path(const std::string& value) {
  if (value.empty()) return false;
  std::string path = NormalizePath(value, files_.CurrentDirectory());
  return path == path_ || ReadList(path);
}

bool FileListBox::Refresh() { return ReadList(path_); }

const std::string& FileListBox::List(int index) const {
  static const std::string kNone;
  if (index < 0 || index >= ListCount()) return kNone;
  return names_[static_cast<std::size_t>(index)];
}

void FileListBox::Subfolders(bool value, const std::string& leaveOut) {
  subfolders_ = value;
  leaveOut_ = leaveOut;
}

bool FileListBox::ReadList(const std::string& path) {
  std::vector<DirectoryEntry> entries;
  if (!files_.ListDirectory(path, &entries)) return false;
  std::vector<std::string> names;
  std::vector<std::string> unread;
  AddFiles(path, "", entries, names, unread);
  names_ = std::move(names);
  unreadFolders_ = std::move(unread);
  path_ = path;
  NotifyStateChanged();
  return true;
}

// Links to folders stay closed, so a link loop cannot hold up a read.
void FileListBox::AddFiles(const std::string& folder, const std::string& prefix,
                           std::vector<DirectoryEntry>& entries, std::vector<std::string>& names,
                           std::vector<std::string>& unread) {
  std::vector<std::string> files;
  std::vector<std::string> subfolders;
  for (DirectoryEntry& entry : entries) {
    if (Hidden(entry.name)) continue;
    if (entry.kind == DirectoryEntry::Kind::File && MatchesPattern(entry.name, pattern_)) {
      files.push_back(std::move(entry.name));
    } else if (subfolders_ && entry.kind == DirectoryEntry::Kind::Directory && !entry.link) {
      subfolders.push_back(std::move(entry.name));
    }
  }
  SortInListOrder(files);
  for (std::string& name : files) names.push_back(prefix.empty() ? std::move(name) : prefix + name);
  SortInListOrder(subfolders);
  for (const std::string& name : subfolders) {
    const std::string path = ChildPath(folder, name);
    if (path == leaveOut_) continue;
    std::vector<DirectoryEntry> inside;
    if (files_.ListDirectory(path, &inside)) {
      AddFiles(path, prefix + name + "/", inside, names, unread);
    } else {
      unread.push_back(path);
    }
  }
}

// ---- TextBox ---------------------------------------------------------------

TextBox::TextBox(const ControlDesign& design) : Control(design), text_(design.text) {}

void TextBox::Text(const std::string& value) {
  text_ = value;
  selStart_ = std::min(selStart_, static_cast<int>(text_.size()));
  selLength_ = 0;
  NotifyStateChanged();
}

void TextBox::SelStart(int position) {
  selStart_ = std::clamp(position, 0, static_cast<int>(text_.size()));
  selLength_ = 0;
  NotifyStateChanged();
}

void TextBox::SelectAll() {
  selStart_ = 0;
  selLength_ = static_cast<int>(text_.size());
  NotifyStateChanged();
}

void TextBox::SetFocus() {
  if (FocusRequested) FocusRequested(*this);
}

}  // namespace pressmoor::ui
