// Keeping each column's drive, directory and file list in step, and the two
// directory checks every conversion run begins with.
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

// A file list's Pattern always takes effect; its re-read of the old
// directory is superseded by the Path set that follows, so only the Path and
// Refresh steps below can fail.

void frmPressmoorMain::srcdrive_Change() {
  if (SrcFolder.Path(srcdrive.Drive())) return;
  SendMessage("Drive is not available");
  LoadSettings();
}

void frmPressmoorMain::DstDrive_Change() {
  if (DstFolder.Path(DstDrive.Drive())) return;
  SendMessage("Drive is not available");
  LoadSettings();
}

void frmPressmoorMain::SrcFolder_Change() { RefreshSourceList(); }

void frmPressmoorMain::DstFolder_Change() { RefreshDestinationList(); }

void frmPressmoorMain::RefreshSourceList() {
  srcFileList.Pattern(FilePattern);
  if (!srcFileList.Path(SrcFolder.Path())) return;
  srcFileList.Refresh();
}

void frmPressmoorMain::RefreshDestinationList() {
  dstFileList.Pattern("*.PDF");
  if (dstFileList.Path(DstFolder.Path()) && dstFileList.Refresh()) return;
  SendMessage("Destination directory " + DstFolder.Path() + " not found");
}

bool frmPressmoorMain::CheckSourceDirectory() {
  srcFileList.Pattern(FilePattern);
  if (srcFileList.Path(SrcFolder.Path()) && srcFileList.Refresh()) {
    // A subfolder of a tree (-r) that cannot be listed costs only its own files.
    for (const std::string& folder : srcFileList.UnreadFolders()) {
      SendMessage("Source directory " + folder + " not found");
    }
    return true;
  }
  SendMessage("Source directory " + SrcFolder.Path() + " not found");
  return false;
}

bool frmPressmoorMain::CheckDestinationDirectory() {
  dstFileList.Pattern("*.pdf");
  if (dstFileList.Path(DstFolder.Path()) && dstFileList.Refresh()) return true;
  SendMessage("Destination directory " + DstFolder.Path() + " not found");
  return false;
}

}  // namespace pressmoor::ui
