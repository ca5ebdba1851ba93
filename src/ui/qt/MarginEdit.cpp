#include "ui/qt/MarginEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace pressmoor::ui::qt {

namespace {
constexpr char16_t kDelete = 0x7f;  // a classic text box raises no KeyPress for Delete
}

MarginEdit::MarginEdit(frmPressmoorMain& form, TextBox& box, QWidget* parent)
    : QLineEdit(parent), form_(form), box_(box) {
  connect(this, &QLineEdit::textEdited, this,
          [this](const QString& text) { box_.Text(text.toStdString()); });
  ShowState();
}

void MarginEdit::ShowState() {
  const QString text = QString::fromStdString(box_.Text());
  if (this->text() != text) setText(text);
  if (box_.SelStart() != shownSelStart_ || box_.SelLength() != shownSelLength_) ShowCaret();
}

void MarginEdit::ShowCaret() {
  shownSelStart_ = box_.SelStart();
  shownSelLength_ = box_.SelLength();
  if (shownSelLength_ > 0) {
    setSelection(shownSelStart_, shownSelLength_);
  } else {
    deselect();
    setCursorPosition(shownSelStart_);
  }
}

void MarginEdit::focusInEvent(QFocusEvent* event) {
  // The base selects everything on Tab; the TextBox's GotFocus decides instead.
  QLineEdit::focusInEvent(event);
  if (form_.ActiveControl() != &box_) form_.MoveFocus(box_);
  ShowCaret();
}

void MarginEdit::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  if (typed.isEmpty() || typed.front().unicode() == kDelete || !box_.KeyPress) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const char16_t original = typed.front().unicode();
  std::int16_t keyAscii = static_cast<std::int16_t>(original);
  box_.KeyPress(keyAscii);
  const auto code = static_cast<char16_t>(keyAscii);
  if (code == original) {
    QLineEdit::keyPressEvent(event);
  } else if (code != 0) {
    insert(QString(QChar(code)));
    box_.Text(text().toStdString());
  }
  emit KeyHandled();
}

}  // namespace pressmoor::ui::qt
