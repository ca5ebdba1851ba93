#include "quillset/qt/PreferencesWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "driver/Quillset.h"
#include "platform/Paper.h"
#include "quillset/PreferenceCommands.h"
#include "quillset/Preferences.h"

namespace pressmoor::quillset {
namespace {

// Each entry's data is the text stored for it; a stored text the list does
// not hold leaves the default selected.
QComboBox* Choices(QWidget* parent, const std::vector<std::pair<QString, std::string>>& entries,
                   const std::string& stored) {
  auto* box = new QComboBox(parent);
  for (const auto& [label, value] : entries) box->addItem(label, QString::fromStdString(value));
  const int index =
      box->findData(QString::fromStdString(stored), Qt::UserRole, Qt::MatchFixedString);
  box->setCurrentIndex(index < 0 ? 0 : index);
  return box;
}

std::vector<std::pair<QString, std::string>> FormatEntries() {
  std::vector<std::pair<QString, std::string>> entries{{"Plain PDF", ""}};
  for (const char* format : driver::kPdfFormats) entries.emplace_back(format, format);
  return entries;
}

std::vector<std::pair<QString, std::string>> PaperEntries() {
  std::vector<std::pair<QString, std::string>> entries{
      {QString::fromStdString("The machine's paper (" + platform::MachinePaper().name + ")"), ""}};
  for (const std::string& name : platform::KnownPaperNames()) {
    entries.emplace_back(QString::fromStdString(name), name);
  }
  return entries;
}

// With PRESSMOOR_SCREENSHOT set, the shown window is saved there and the
// program ends, as the main window does.
void ScheduleScreenshot(QWidget& window) {
  const char* path = std::getenv("PRESSMOOR_SCREENSHOT");
  if (!path || !*path) return;
  const QString target = QString::fromUtf8(path);
  QTimer::singleShot(500, &window, [&window, target] {
    QApplication::exit(window.grab().save(target, "PNG") ? 0 : 1);
  });
}

std::string Chosen(const QComboBox* box) { return box->currentData().toString().toStdString(); }

}  // namespace

int ShowPreferencesWindow(int& argc, char** argv, platform::Registry& registry) {
  QApplication application(argc, argv);
  const PreferenceTexts stored = ReadPreferenceTexts(registry);
  QDialog window;
  window.setWindowTitle("Quillset Preferences");
  auto* layout = new QFormLayout(&window);
  QComboBox* format = Choices(&window, FormatEntries(), stored.pdfFormat);
  layout->addRow("PDF format:", format);
  QComboBox* paper = Choices(&window, PaperEntries(), stored.paperSize);
  layout->addRow("Paper for text files and web pages:", paper);
  auto* tagged = new QCheckBox("Tagged PDF (structure for screen readers and reflow)", &window);
  tagged->setChecked(stored.taggedPdf == "1");
  layout->addRow(tagged);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &window);
  layout->addRow(buttons);

  QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &window, [&]() {
    const std::pair<const char*, std::string> chosen[] = {
        {driver::kPdfFormatValue, Chosen(format)},
        {driver::kPaperSizeValue, Chosen(paper)},
        {driver::kTaggedPdfValue, tagged->isChecked() ? "1" : ""}};
    const std::string before[] = {stored.pdfFormat, stored.paperSize, stored.taggedPdf};
    for (std::size_t i = 0; i < std::size(chosen); ++i) {
      std::string failure;
      if (chosen[i].second == before[i]) continue;
      if (!SavePreference(registry, chosen[i].first, chosen[i].second, &failure)) {
        QMessageBox::warning(&window, "Quillset Preferences", QString::fromStdString(failure));
        return;
      }
    }
    window.accept();
  });
  window.show();
  window.activateWindow();
  ScheduleScreenshot(window);
  QObject::connect(&window, &QDialog::finished, &application, &QApplication::quit);
  return application.exec();
}

}  // namespace pressmoor::quillset
