// Placeholder until implemented.
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
void frmPressmoorMain::MySaveSetting(const std::string&, const std::string&, const std::string&, const std::string&) {}
std::string frmPressmoorMain::MyGetSetting(const std::string&, const std::string&, const std::string&, const std::string& d) { return d; }
}  // namespace pressmoor::ui
