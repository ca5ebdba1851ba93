// The four margin fields: free text, saved whenever one is left or confirmed.
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

namespace {

constexpr std::int16_t kEnter = 13;

// Enter cycles Left, Right, Top, Bottom: the fields' tab order.
void ConfirmMargin(frmPressmoorMain& form, TextBox& successor, std::int16_t keyAscii) {
  if (keyAscii != kEnter) return;
  successor.SetFocus();
  form.SaveMargins();
}

}  // namespace

void frmPressmoorMain::txtLMargin_GotFocus() { txtLMargin.SelStart(0); }
void frmPressmoorMain::txtRmargin_GotFocus() { txtRmargin.SelStart(0); }
void frmPressmoorMain::txtTMargin_GotFocus() { txtTMargin.SelStart(0); }
void frmPressmoorMain::txtBMargin_GotFocus() { txtBMargin.SelStart(0); }

void frmPressmoorMain::txtLMargin_KeyPress(std::int16_t& keyAscii) { ConfirmMargin(*this, txtRmargin, keyAscii); }
void frmPressmoorMain::txtRmargin_KeyPress(std::int16_t& keyAscii) { ConfirmMargin(*this, txtTMargin, keyAscii); }
void frmPressmoorMain::txtTMargin_KeyPress(std::int16_t& keyAscii) { ConfirmMargin(*this, txtBMargin, keyAscii); }
void frmPressmoorMain::txtBMargin_KeyPress(std::int16_t& keyAscii) { ConfirmMargin(*this, txtLMargin, keyAscii); }

void frmPressmoorMain::txtLMargin_LostFocus() { SaveMargins(); }
void frmPressmoorMain::txtRmargin_LostFocus() { SaveMargins(); }
void frmPressmoorMain::txtTMargin_LostFocus() { SaveMargins(); }
void frmPressmoorMain::txtBMargin_LostFocus() { SaveMargins(); }

}  // namespace pressmoor::ui
