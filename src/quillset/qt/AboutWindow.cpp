#include "quillset/qt/AboutWindow.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>
#include <cstdlib>

namespace pressmoor::quillset {

bool DisplayAvailable() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

int ShowAboutWindow(int& argc, char** argv, const std::string& title, const std::string& text) {
  QApplication application(argc, argv);
  QDialog window;
  window.setWindowTitle(QString::fromStdString(title));
  auto* layout = new QVBoxLayout(&window);
  auto* label = new QLabel(QString::fromStdString(text), &window);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(label);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &window);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &window, &QDialog::accept);
  layout->addWidget(buttons);
  window.show();
  window.activateWindow();
  QObject::connect(&window, &QDialog::finished, &application, &QApplication::quit);
  return application.exec();
}

}  // namespace pressmoor::quillset
