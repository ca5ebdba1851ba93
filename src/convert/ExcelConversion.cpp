// Placeholder until implemented.
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
void frmPressmoorMain::ConvertWithExcel() {}
bool frmPressmoorMain::IsExcelFile(const std::string&) { return false; }
}  // namespace pressmoor::ui
