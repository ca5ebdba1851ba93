#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <functional>
#include <memory>
#include <vector>

#include "FakeEnvironment.h"
#include "driver/Quillset.h"
#include "office/ScriptedOffice.h"
#include "ui/WindowLayout.h"
#include "ui/frmPressmoorMain.h"
#include "ui/qt/DirectoryTree.h"
#include "ui/qt/MainWindowView.h"
#include "ui/qt/ModalMessageBox.h"

using pressmoor::testing::FakeEnvironment;
using pressmoor::ui::Control;
using pressmoor::ui::frmPressmoorMain;
using pressmoor::ui::qt::MainWindowView;
using pressmoor::ui::qt::ModalMessageBox;

namespace {

constexpr const char* kApplication = "Tarnwick\\Pressmoor";

void InstallDriver(FakeEnvironment& env) {
  pressmoor::platform::HKEY key = 0;
  env.registry.RegCreateKeyExA(pressmoor::platform::HKEY_LOCAL_MACHINE, pressmoor::driver::kVersionKey,
                               0, "", 0, pressmoor::platform::KEY_SET_VALUE, nullptr, &key, nullptr);
  const std::string version = "1.20";
  env.registry.RegSetValueExA(key, pressmoor::driver::kVersionValue, 0, pressmoor::platform::REG_SZ,
                              reinterpret_cast<const unsigned char*>(version.c_str()),
                              static_cast<pressmoor::platform::DWORD>(version.size() + 1));
  env.registry.RegCloseKey(key);
}

}  // namespace

class MainWindowViewTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<FakeEnvironment> env;
  std::unique_ptr<frmPressmoorMain> form;
  std::unique_ptr<MainWindowView> view;
  std::string source;

  QWidget* W(const Control& control) { return view->WidgetOf(control); }
  QLineEdit* Edit(const Control& control) { return qobject_cast<QLineEdit*>(W(control)); }
  void Save(const char* section, const char* key, const std::string& value) {
    form->MySaveSetting(kApplication, section, key, value);
  }
  std::string Stored(const char* key) { return form->MyGetSetting(kApplication, "FileInfo", key, "?"); }
  void PressTab(int times, bool backwards = false) {
    for (int i = 0; i < times; ++i) {
      QTest::keyClick(QApplication::focusWidget(), backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                      backwards ? Qt::ShiftModifier : Qt::NoModifier);
    }
  }
  QString FocusName() {
    QWidget* focus = QApplication::focusWidget();
    // The editable combo box delegates its focus to its line edit.
    while (focus && focus->objectName().isEmpty()) focus = focus->parentWidget();
    return focus ? focus->objectName() : QString();
  }
  void Choose(const Control& combo, int index) {
    auto* widget = qobject_cast<QComboBox*>(W(combo));
    widget->setCurrentIndex(index);
    emit widget->activated(index);
  }

  // A run of three files over the scripted office; `act` runs at the
  // window's events after the first PDF.
  void RunInterruptedBy(const std::function<void()>& act, pressmoor::office::ScriptedOffice& office) {
    env->root.WriteFile("in/b.txt", "b");
    env->root.WriteFile("in/c.txt", "c");
    env->office = &office;
    bool acted = false;
    env->onDispatch = [&] {
      if (acted || form->dstFileList.ListCount() < 1) return;
      acted = true;
      QVERIFY(W(form->cmdStop)->isVisible());
      act();
    };
    QTest::mouseClick(W(form->cmdConvert), Qt::LeftButton);
    QVERIFY(acted);
    QCOMPARE(form->ConvertedCount, 1);
    QVERIFY(!W(form->cmdStop)->isVisible());
    QVERIFY(!W(form->barProgress)->isVisible());
  }

 private slots:
  void init() {
    env = std::make_unique<FakeEnvironment>();
    InstallDriver(*env);
    source = env->root.MakeDirectory("in");
    env->root.MakeDirectory("in/letters");
    env->root.WriteFile("in/a.txt", "a");
    form = std::make_unique<frmPressmoorMain>(*env);
    Save("Pathinfo", "SourceDir", source);
    Save("Pathinfo", "DestinationDir", env->root.MakeDirectory("out"));
    Save("FileInfo", "DefaultFileType", "5");
    Save("FileInfo", "LeftMargin", "1.5");
    Save("FileInfo", "RightMargin", "2.5");
    Save("FileInfo", "TopMargin", "0.5");
    Save("FileInfo", "BottomMargin", "0.75");
    view = std::make_unique<MainWindowView>(*form);
    form->Form_Load();
    view->show();
    view->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(view.get()));
  }

  void cleanup() {
    view.reset();
    form.reset();
    env.reset();
  }

  void captionSizeAndPositions() {
    QCOMPARE(view->windowTitle(), QString("Pressmoor from Tarnwick, LLC.  "));
    QCOMPARE(view->size(), QSize(481, 534));
    QCOMPARE(W(form->cmdAbout)->geometry(), QRect(296, 488, 121, 25));
    QCOMPARE(W(form->frameSrcDir)->geometry(), QRect(32, 96, 209, 340));
    // Frames lie behind the controls inside them.
    QVERIFY(view->children().indexOf(W(form->frameSrcDir)) < view->children().indexOf(W(form->SrcFolder)));
    QCOMPARE(W(form->frameSrcDir)->toolTip(), QString("Directory containing files to be converted"));
    QCOMPARE(W(form->DstFolder)->toolTip(), QString("Directory for converted PDF files "));
    QVERIFY(QFontInfo(W(form->lblGeneralInfo)->font()).bold());
    QCOMPARE(qobject_cast<QPushButton*>(W(form->cmdConvert))->text(), QString("Convert to PDF"));
  }

  void firstFocusAndTabCycleForward() {
    QCOMPARE(FocusName(), QString("dstFileList"));
    const QStringList expected{"srcFileList", "cmbFileType", "srcdrive",   "SrcFolder", "DstDrive",
                               "DstFolder",   "cmdConvert",  "txtLMargin", "txtRmargin", "txtTMargin",
                               "txtBMargin",  "cmdAbout",    "dstFileList"};
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
      PressTab(1);
      visited << FocusName();
    }
    QCOMPARE(visited, expected);
    QCOMPARE(QString(form->ActiveControl()->Name()), QString("dstFileList"));
  }

  void tabCycleBackward() {
    const QStringList expected{"cmdAbout",   "txtBMargin", "txtTMargin", "txtRmargin", "txtLMargin",
                               "cmdConvert", "DstFolder",  "DstDrive",   "SrcFolder",  "srcdrive",
                               "cmbFileType", "srcFileList", "dstFileList"};
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
      PressTab(1, true);
      visited << FocusName();
    }
    QCOMPARE(visited, expected);
  }

  void typingAfterTabbingIntoAMarginInsertsBeforeTheOldText() {
    PressTab(8);
    QLineEdit* left = Edit(form->txtLMargin);
    QCOMPARE(QApplication::focusWidget(), left);
    QVERIFY(!left->hasSelectedText());
    QCOMPARE(left->cursorPosition(), 0);
    QTest::keyClicks(left, "7");
    QCOMPARE(left->text(), QString("71.5"));
    QCOMPARE(form->txtLMargin.Text(), std::string("71.5"));
  }

  void enterInBottomMovesToLeftAndSavesAllFour() {
    PressTab(11);
    QCOMPARE(FocusName(), QString("txtBMargin"));
    for (const char* key : {"LeftMargin", "RightMargin", "TopMargin", "BottomMargin"}) Save("FileInfo", key, "stale");
    QTest::keyClicks(Edit(form->txtBMargin), "9");
    QTest::keyClick(Edit(form->txtBMargin), Qt::Key_Return);
    QCOMPARE(FocusName(), QString("txtLMargin"));
    QCOMPARE(form->ActiveControl(), static_cast<Control*>(&form->txtLMargin));
    QCOMPARE(Stored("LeftMargin"), std::string("1.5"));
    QCOMPARE(Stored("RightMargin"), std::string("2.5"));
    QCOMPARE(Stored("TopMargin"), std::string("0.5"));
    QCOMPARE(Stored("BottomMargin"), std::string("90.75"));
    QCOMPARE(Edit(form->txtBMargin)->text(), QString("90.75"));  // Enter typed nothing
  }

  void leavingAMarginSavesButClosingTheWindowDoesNot() {
    PressTab(8);
    QTest::keyClicks(Edit(form->txtLMargin), "3");
    W(form->dstFileList)->setFocus(Qt::MouseFocusReason);
    QCOMPARE(Stored("LeftMargin"), std::string("31.5"));
    Edit(form->txtRmargin)->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(Edit(form->txtRmargin), "4");
    view->close();
    QCOMPARE(Stored("RightMargin"), std::string("2.5"));
  }

  void marginBlockHidesForWordAndReturnsForAllFiles() {
    const Control* block[] = {&form->lblSetMargins, &form->lblLMargin, &form->lblRMargin,
                              &form->lblTMargin,    &form->lblBMargin, &form->txtLMargin,
                              &form->txtRmargin,    &form->txtTMargin, &form->txtBMargin};
    const QRect convertPlace = W(form->cmdConvert)->geometry();
    Choose(form->cmbFileType, 0);
    QCOMPARE(form->FilePattern, std::string("*.doc"));
    for (const Control* control : block) QVERIFY2(W(*control)->isHidden(), control->Name());
    QVERIFY(W(form->lblGeneralInfo)->isVisible());
    QCOMPARE(W(form->cmdConvert)->geometry(), convertPlace);

    Choose(form->cmbFileType, 5);
    QCOMPARE(form->FilePattern, std::string("*.*"));
    for (const Control* control : block) QVERIFY2(W(*control)->isVisible(), control->Name());
    QCOMPARE(qobject_cast<QLabel*>(W(form->lblSetMargins))->text(), QString("Default Margins (in inches) :"));
    QCOMPARE(Edit(form->txtTMargin)->text(), QString("0.5"));
    QCOMPARE(Edit(form->txtBMargin)->text(), QString("0.75"));
  }

  void savedEntryIsShownSelected() {
    auto* combo = qobject_cast<QComboBox*>(W(form->cmbFileType));
    QCOMPARE(combo->count(), 10);
    QCOMPARE(combo->currentIndex(), 5);
    QCOMPARE(combo->currentText(), QString("All Files (*.*)"));
  }

  void doubleClickOpensADirectory() {
    auto* tree = qobject_cast<QTreeWidget*>(W(form->SrcFolder));
    const QList<QTreeWidgetItem*> found = tree->findItems("letters", Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(found.size(), 1);
    const QPoint centre = tree->visualItemRect(found.front()).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, centre);
    QTRY_COMPARE(form->SrcFolder.Path(), source + "/letters");
    QCOMPARE(form->srcFileList.Path(), source + "/letters");
    QCOMPARE(tree->currentItem()->text(0), QString("letters"));
  }

  void aboutWithoutHelperShowsAModalBoxThatIsAnswered() {
    QString shownText;
    bool modal = false;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QList<QAbstractButton*> buttons;
    ModalMessageBox box(view.get());
    box.answer = [&](QMessageBox& shown) {
      shownText = shown.windowTitle() + "|" + shown.text();
      modal = shown.isModal() && shown.isVisible();
      icon = shown.icon();
      buttons = shown.buttons();
      shown.button(QMessageBox::Ok)->click();
    };
    env->onMessageBox = [&](const std::string& text) { box.Show(text, "Pressmoor"); };
    QTest::mouseClick(W(form->cmdAbout), Qt::LeftButton);
    QCOMPARE(shownText, QString("Pressmoor|Quillset not installed."));
    QVERIFY(modal);
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(buttons.size(), 1);
    QVERIFY(env->startedPrograms.empty());
  }

  void escapeStopsARun() {
    pressmoor::office::ScriptedOffice office(&env->registry);
    RunInterruptedBy([this] { QTest::keyClick(view.get(), Qt::Key_Escape); }, office);
    QCOMPARE(env->messageBoxes, std::vector<std::string>{"Conversion stopped, 1 files converted"});
  }

  void closingDuringARunStopsItAndEndsItsOfficesWithoutABox() {
    pressmoor::office::ScriptedOffice office(&env->registry);
    RunInterruptedBy([this] { view->close(); }, office);
    QVERIFY(env->messageBoxes.empty());
    QCOMPARE(env->eventLog.back(), std::string("Conversion stopped, 1 files converted"));
    QVERIFY(!office.CallsTo("EndAllOffices").empty());
  }
};

QTEST_MAIN(MainWindowViewTest)
#include "MainWindowView_test.moc"
