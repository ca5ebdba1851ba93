// The main window on screen: one Qt widget per control, placed and captioned
// from the design data. The widgets show their control's state and hand
// every user action to the window object; they decide nothing themselves.
#pragma once

#include <QWidget>
#include <map>

#include "ui/frmPressmoorMain.h"

class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;

namespace pressmoor::ui::qt {

class DirectoryTree;
class MarginEdit;

class MainWindowView : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindowView(frmPressmoorMain& form, QWidget* parent = nullptr);
  ~MainWindowView() override;

  // The widget that draws `control`.
  QWidget* WidgetOf(const Control& control) const;
  // "MS Sans Serif" is rarely installed; these have the same metrics.
  static void InstallFontSubstitutions();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Closing stops a run under way; the program ends after it.
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* CreateWidget(Control& control);
  QWidget* CreateFileTypeList(ComboBox& combo);
  QWidget* CreateDriveList(DriveListBox& list);
  QWidget* CreateDirectoryList(DirListBox& list);
  QWidget* CreateFileList(FileListBox& list);
  QWidget* CreateTextBox(TextBox& box);
  QWidget* CreateButton(CommandButton& button);
  void Place(Control& control, QWidget* widget);
  void ChainTabOrder();
  void ShowState(Control& control);
  void ShowFileTypeList(ComboBox& combo, QComboBox& widget);
  void ShowDriveList(DriveListBox& list, QComboBox& widget);
  void ShowFileList(FileListBox& list, QListWidget& widget);
  void ShowLabel(Label& label, QLabel& widget);
  void ShowProgressBar(ProgressBar& bar, QProgressBar& widget);
  // Moves the keyboard focus where the window object says it is.
  void FollowFocus();

  frmPressmoorMain& form_;
  std::map<const Control*, QWidget*> widgets_;
  std::map<const QObject*, Control*> controls_;
};

}  // namespace pressmoor::ui::qt
