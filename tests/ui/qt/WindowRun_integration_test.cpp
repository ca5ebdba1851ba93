// The window over the real office under the offscreen platform: while a
// batch runs, the destination list and the progress it shows change, and
// Stop ends the batch part-way, leaving no office and no partial PDF.
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QTimer>
#include <QtTest>
#include <chrono>
#include <filesystem>
#include <memory>
#include <set>

#include "../../app/ProgramRun.h"
#include "../../office/OfficeTestbed.h"
#include "FakeEnvironment.h"
#include "ui/frmPressmoorMain.h"
#include "ui/qt/MainWindowView.h"

using pressmoor::testing::FakeEnvironment;
using pressmoor::testing::OfficeTestbed;
using pressmoor::ui::frmPressmoorMain;
using pressmoor::ui::qt::MainWindowView;

namespace {

constexpr int kFiles = 24;

// What the window showed at one tick of a timer running during the batch.
struct Seen {
  int pdfsListed;
  int barValue;
  QString progress;
};

}  // namespace

class WindowRunTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<OfficeTestbed> bed;
  std::unique_ptr<FakeEnvironment> env;
  std::unique_ptr<frmPressmoorMain> form;
  std::unique_ptr<MainWindowView> view;
  std::string destination;
  std::vector<Seen> seen;
  double longestGap = 0;

  void Save(const char* section, const char* key, const std::string& value) {
    form->MySaveSetting("Tarnwick\\Pressmoor", section, key, value);
  }

  // Clicks Convert with a timer watching the window; `onTick` may act on it.
  void RunWatched(const std::function<void(const Seen&)>& onTick) {
    QTimer ticks;
    auto last = std::chrono::steady_clock::now();
    QObject::connect(&ticks, &QTimer::timeout, [&] {
      const auto now = std::chrono::steady_clock::now();
      longestGap = std::max(longestGap, std::chrono::duration<double>(now - last).count());
      last = now;
      auto* bar = qobject_cast<QProgressBar*>(view->WidgetOf(form->barProgress));
      const Seen tick{qobject_cast<QListWidget*>(view->WidgetOf(form->dstFileList))->count(),
                          bar->isVisible() ? bar->value() : -1,
                          qobject_cast<QLabel*>(view->WidgetOf(form->lblProgress))->text()};
      seen.push_back(tick);
      if (onTick) onTick(tick);
    });
    ticks.start(100);
    QTest::mouseClick(view->WidgetOf(form->cmdConvert), Qt::LeftButton);
    qInfo("%zu ticks during the batch, longest gap %.2f s", seen.size(), longestGap);
  }

  // Whole PDFs only, no scratch the office printed ahead into.
  void ExpectOnlyWholePdfs() {
    for (const auto& entry : std::filesystem::directory_iterator(destination)) {
      QVERIFY2(entry.path().extension() == ".pdf", entry.path().c_str());
      QVERIFY2(pressmoor::testing::CompletePdf(entry.path().string()), entry.path().c_str());
    }
  }

 private slots:
  void init() {
    bed = std::make_unique<OfficeTestbed>();
    env = std::make_unique<FakeEnvironment>();
    env->office = &bed->factory;
    env->onDispatch = [] { QCoreApplication::processEvents(); };
    form = std::make_unique<frmPressmoorMain>(*env);
    pressmoor::platform::HKEY key = 0;
    env->registry.RegCreateKeyExA(pressmoor::platform::HKEY_LOCAL_MACHINE, pressmoor::driver::kVersionKey, 0,
                                  "", 0, pressmoor::platform::KEY_SET_VALUE, nullptr, &key, nullptr);
    const std::string version = pressmoor::driver::kInstalledVersion;
    env->registry.RegSetValueExA(key, pressmoor::driver::kVersionValue, 0, pressmoor::platform::REG_SZ,
                                 reinterpret_cast<const unsigned char*>(version.c_str()),
                                 static_cast<pressmoor::platform::DWORD>(version.size() + 1));
    env->registry.RegCloseKey(key);
    for (int i = 0; i < kFiles; ++i) {
      env->root.WriteFile("in/note" + std::to_string(100 + i) + ".txt", "Note " + std::to_string(i) + "\n");
    }
    destination = env->root.MakeDirectory("out");
    Save("Pathinfo", "SourceDir", env->root.Sub("in"));
    Save("Pathinfo", "DestinationDir", destination);
    Save("FileInfo", "DefaultFileType", "2");
    view = std::make_unique<MainWindowView>(*form);
    form->Form_Load();
    view->show();
    seen.clear();
    longestGap = 0;
  }

  void cleanup() {
    view.reset();
    form.reset();
    env.reset();
    bed.reset();
  }

  void listAndProgressChangeBeforeTheBatchEnds() {
    RunWatched(nullptr);

    std::set<int> listed;
    std::set<int> bar;
    std::set<QString> names;
    for (const Seen& tick : seen) {
      if (tick.pdfsListed < kFiles) listed.insert(tick.pdfsListed);
      if (tick.barValue >= 0) bar.insert(tick.barValue);
      if (!tick.progress.isEmpty()) names.insert(tick.progress);
    }
    QVERIFY2(listed.size() >= 3, "the destination list did not grow while the batch ran");
    QVERIFY2(bar.size() >= 3, "the progress bar did not move while the batch ran");
    QVERIFY(names.size() >= 3);
    QCOMPARE(form->ConvertedCount, kFiles);
    QVERIFY(!view->WidgetOf(form->barProgress)->isVisible());
    QVERIFY(env->messageBoxes.back().rfind("Successfully converted 24 files", 0) == 0);
  }

  void stopPartWayLeavesNoOfficeAndOnlyWholePdfs() {
    bool pressed = false;
    RunWatched([&](const Seen& tick) {
      if (pressed || tick.pdfsListed < 3) return;
      pressed = true;
      QTest::mouseClick(view->WidgetOf(form->cmdStop), Qt::LeftButton);
    });

    QVERIFY(pressed);
    QVERIFY(pressmoor::testing::OfficeChildren().empty());
    ExpectOnlyWholePdfs();
    const int pdfs = pressmoor::testing::PdfCount(destination);
    QVERIFY(pdfs < kFiles);
    QCOMPARE(static_cast<int>(form->ConvertedCount), pdfs);
    QCOMPARE(env->messageBoxes.back(), "Conversion stopped, " + std::to_string(pdfs) + " files converted");
  }
};

QTEST_MAIN(WindowRunTest)
#include "WindowRun_integration_test.moc"
