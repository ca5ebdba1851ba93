// The message box of the interactive mode: modal, one OK button, no icon.
#pragma once

#include <QMessageBox>
#include <functional>
#include <string>

class QWidget;

namespace pressmoor::ui::qt {

class ModalMessageBox {
 public:
  explicit ModalMessageBox(QWidget* parent) : parent_(parent) {}
  // Returns once the box has been closed.
  void Show(const std::string& text, const std::string& title);

  // Runs once the box is up and modal, in place of a person; it must close
  // the box. Only tests set it.
  std::function<void(QMessageBox&)> answer;

 private:
  QWidget* parent_;
};

}  // namespace pressmoor::ui::qt
