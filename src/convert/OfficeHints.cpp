#include <utility>
#include <vector>

#include "convert/FilePaths.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

// A file skipped later (locked, say) costs the office one wasted read at most.
void frmPressmoorMain::ExpectListedFiles(bool (frmPressmoorMain::*converts)(const std::string&)) {
  std::vector<std::string> paths;
  for (int index = 0; index < srcFileList.ListCount(); ++index) {
    std::string path = convert::SourcePath(SrcFolder.Path(), srcFileList.List(index));
    if ((this->*converts)(path)) paths.push_back(std::move(path));
  }
  Env().Office().ExpectDocuments(std::move(paths));
}

}  // namespace pressmoor::ui
