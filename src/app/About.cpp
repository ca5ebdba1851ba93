#include <sstream>
#include <string>
#include <vector>

#include "driver/Quillset.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

namespace {

std::vector<std::string> HelperArguments() {
  std::istringstream words(driver::kHelperArguments);
  std::vector<std::string> arguments;
  for (std::string word; words >> word;) arguments.push_back(word);
  return arguments;
}

bool EndsWithSeparator(const std::string& path) {
  return path.back() == '/' || path.back() == '\\';
}

bool IsHiddenName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  return path.compare(nameStart, 1, ".") == 0;
}

}  // namespace

void frmPressmoorMain::cmdAbout_Click() { LaunchDriverHelper(); }

void frmPressmoorMain::LaunchDriverHelper() {
  std::string helper = Env().SystemDirectory() + driver::kHelperX86;
  if (!FileExists(helper)) helper = Env().SystemDirectory() + driver::kHelperX64;
  if (!FileExists(helper)) {
    SendMessage("Quillset not installed.");
    return;
  }
  if (!Env().StartProgram(helper, HelperArguments())) {
    SendMessage("Quillset helper " + helper + " could not be started.");
  }
}

bool frmPressmoorMain::FileExists(const std::string& path) {
  if (path.empty() || EndsWithSeparator(path)) return false;
  if (IsHiddenName(path)) return false;
  return Env().Files().IsRegularFile(path);
}

}  // namespace pressmoor::ui
