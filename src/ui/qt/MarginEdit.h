// A text box view: a line edit that hands focus, keys and typed text to its
// TextBox and shows the TextBox's text and caret.
#pragma once

#include <QLineEdit>

#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui::qt {

class MarginEdit : public QLineEdit {
  Q_OBJECT

 public:
  MarginEdit(frmPressmoorMain& form, TextBox& box, QWidget* parent);
  TextBox& Box() { return box_; }
  // Shows the TextBox's text, and its caret when that changed since last shown.
  void ShowState();

 signals:
  // After the TextBox has seen a key, so the window can follow a focus move.
  void KeyHandled();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowCaret();
  frmPressmoorMain& form_;
  TextBox& box_;
  int shownSelStart_ = -1;
  int shownSelLength_ = -1;
};

}  // namespace pressmoor::ui::qt
