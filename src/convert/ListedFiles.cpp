#include <utility>
#include <vector>

#include "convert/FilePaths.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

// A file skipped later (locked, say) costs the office one wasted read at most.
std::vector<std::string> frmPressmoorMain::ListedFiles(
    bool (frmPressmoorMain::*converts)(const std::string&), int firstIndex) {
  std::vector<std::string> paths;
  for (int index = firstIndex; index < srcFileList.ListCount(); ++index) {
    std::string path = convert::SourcePath(SrcFolder.Path(), srcFileList.List(index));
    if ((this->*converts)(path)) paths.push_back(std::move(path));
  }
  return paths;
}

}  // namespace pressmoor::ui
