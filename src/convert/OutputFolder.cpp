#include <string>

#include "convert/FilePaths.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

// A folder that cannot be made fails the print like any destination that
// cannot be written, and is reported the same way.
void frmPressmoorMain::MakeOutputFolder(const std::string& fileName) {
  const std::string subfolders = convert::SubfoldersOf(fileName);
  if (!subfolders.empty()) Env().Files().MakeDirectories(DstFolder.Path() + "/" + subfolders);
}

}  // namespace pressmoor::ui
