// Placeholder until implemented.
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
void frmPressmoorMain::txtLMargin_GotFocus() {}
void frmPressmoorMain::txtLMargin_KeyPress(std::int16_t&) {}
void frmPressmoorMain::txtLMargin_LostFocus() {}
void frmPressmoorMain::txtRmargin_GotFocus() {}
void frmPressmoorMain::txtRmargin_KeyPress(std::int16_t&) {}
void frmPressmoorMain::txtRmargin_LostFocus() {}
void frmPressmoorMain::txtTMargin_GotFocus() {}
void frmPressmoorMain::txtTMargin_KeyPress(std::int16_t&) {}
void frmPressmoorMain::txtTMargin_LostFocus() {}
void frmPressmoorMain::txtBMargin_GotFocus() {}
void frmPressmoorMain::txtBMargin_KeyPress(std::int16_t&) {}
void frmPressmoorMain::txtBMargin_LostFocus() {}
}  // namespace pressmoor::ui
