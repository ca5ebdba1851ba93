#include "ui/qt/ModalMessageBox.h"

#include <QTimer>

namespace pressmoor::ui::qt {

void ModalMessageBox::Show(const std::string& text, const std::string& title) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text),
                  QMessageBox::Ok, parent_);
  if (answer) QTimer::singleShot(0, &box, [this, &box] { answer(box); });
  box.exec();
}

}  // namespace pressmoor::ui::qt
