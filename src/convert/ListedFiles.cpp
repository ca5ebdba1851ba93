#include <utility>
#include <vector>

#include "convert/FilePaths.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

// A file skipped later (locked, say) costs the office one wasted read at most;
// a file of another part is never read, as another run may be converting it.
std::vector<std::string> frmPressmoorMain::ListedNames(
    bool (frmPressmoorMain::*converts)(const std::string&), int firstIndex) {
  std::vector<std::string> names;
  for (int index = firstIndex; index < srcFileList.ListCount(); ++index) {
    std::string fileName = srcFileList.List(index);
    const std::string path = convert::SourcePath(SrcFolder.Path(), fileName);
    if ((this->*converts)(path) && convert::InPart(Part, fileName) && !IsUpToDate(fileName)) {
      names.push_back(std::move(fileName));
    }
  }
  return names;
}

std::vector<std::string> frmPressmoorMain::ListedFiles(
    bool (frmPressmoorMain::*converts)(const std::string&), int firstIndex) {
  std::vector<std::string> paths;
  for (const std::string& fileName : ListedNames(converts, firstIndex)) {
    paths.push_back(convert::SourcePath(SrcFolder.Path(), fileName));
  }
  return paths;
}

}  // namespace pressmoor::ui
