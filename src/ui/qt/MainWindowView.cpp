#include "ui/qt/MainWindowView.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>
#include <vector>

#include "ui/WindowLayout.h"
#include "ui/qt/DirectoryTree.h"
#include "ui/qt/MarginEdit.h"
#include "ui/qt/Twips.h"

namespace pressmoor::ui::qt {

namespace {

constexpr const char* kClassicFont = "MS Sans Serif";
constexpr double kClassicFontPoints = 8.25;

QString Q(const char* text) { return QString::fromUtf8(text); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

QFont FontOf(const FontDesign& design) {
  QFont font(Q(design.name));
  font.setPointSizeF(design.points);
  font.setWeight(design.weight >= 700 ? QFont::Bold : QFont::Normal);
  font.setItalic(design.italic);
  font.setUnderline(design.underline);
  font.setStrikeOut(design.strikeOut);
  return font;
}

std::vector<Control*> AllControlsOf(frmPressmoorMain& form) {
  return {&form.frameFileType, &form.cmbFileType,  &form.frameSrcDir,   &form.srcdrive,
          &form.SrcFolder,     &form.srcFileList,  &form.frameDstDir,   &form.DstDrive,
          &form.DstFolder,     &form.dstFileList,  &form.lblSetMargins, &form.lblLMargin,
          &form.txtLMargin,    &form.lblTMargin,   &form.txtTMargin,    &form.lblRMargin,
          &form.txtRmargin,    &form.lblBMargin,   &form.txtBMargin,    &form.frameConvert,
          &form.cmdConvert,    &form.lblGeneralInfo, &form.cmdAbout,     &form.cmdStop,
          &form.lblProgress,   &form.barProgress};
}

}  // namespace

void MainWindowView::InstallFontSubstitutions() {
  QFont::insertSubstitutions(Q(kClassicFont), {"Liberation Sans", "Arial"});
}

MainWindowView::MainWindowView(frmPressmoorMain& form, QWidget* parent)
    : QWidget(parent), form_(form) {
  InstallFontSubstitutions();
  QFont windowFont(Q(kClassicFont));
  windowFont.setPointSizeF(kClassicFontPoints);
  setFont(windowFont);
  setWindowTitle(Q(layout::kCaption));
  setFixedSize(Pixels(layout::kClientWidth), Pixels(layout::kClientHeight));

  std::vector<Control*> controls = AllControlsOf(form_);
  // Frames first, so they are drawn behind the controls inside them.
  std::stable_partition(controls.begin(), controls.end(), [](const Control* control) {
    return control->Design().kind == ControlKind::Frame;
  });
  for (Control* control : controls) {
    QWidget* widget = CreateWidget(*control);
    Place(*control, widget);
    control->StateChanged = [this, control] { ShowState(*control); };
    ShowState(*control);
  }
  ChainTabOrder();
  // Escape is a press of Stop, which does nothing without a run.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, [this] { form_.cmdStop.PerformClick(); });
}

MainWindowView::~MainWindowView() {
  for (auto& [widget, control] : controls_) control->StateChanged = nullptr;
}

QWidget* MainWindowView::WidgetOf(const Control& control) const {
  const auto found = widgets_.find(&control);
  return found == widgets_.end() ? nullptr : found->second;
}

QWidget* MainWindowView::CreateWidget(Control& control) {
  const ControlDesign& design = control.Design();
  switch (design.kind) {
    case ControlKind::Frame:
      return new QGroupBox(Q(design.text), this);
    case ControlKind::Label: {
      auto* label = new QLabel(Q(design.text), this);
      label->setTextFormat(Qt::PlainText);  // a file name is no markup
      label->setAlignment(design.centred ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
      return label;
    }
    case ControlKind::ComboBox:
      return CreateFileTypeList(static_cast<ComboBox&>(control));
    case ControlKind::DriveList:
      return CreateDriveList(static_cast<DriveListBox&>(control));
    case ControlKind::DirectoryList:
      return CreateDirectoryList(static_cast<DirListBox&>(control));
    case ControlKind::FileList:
      return CreateFileList(static_cast<FileListBox&>(control));
    case ControlKind::TextBox:
      return CreateTextBox(static_cast<TextBox&>(control));
    case ControlKind::CommandButton:
      return CreateButton(static_cast<CommandButton&>(control));
    case ControlKind::ProgressBar: {
      auto* bar = new QProgressBar(this);
      bar->setTextVisible(false);
      return bar;
    }
  }
  return new QWidget(this);
}

QWidget* MainWindowView::CreateFileTypeList(ComboBox& combo) {
  auto* widget = new QComboBox(this);
  widget->setEditable(true);
  widget->setInsertPolicy(QComboBox::NoInsert);  // Enter must not add the typed text
  widget->setCompleter(nullptr);
  connect(widget, &QComboBox::activated, this, [this, &combo](int index) {
    form_.UserChoosesFileType(static_cast<std::int16_t>(index));
    ShowState(combo);
  });
  return widget;
}

QWidget* MainWindowView::CreateDriveList(DriveListBox& list) {
  auto* widget = new QComboBox(this);
  connect(widget, &QComboBox::activated, this, [this, &list, widget](int index) {
    form_.UserChoosesDrive(list, widget->itemText(index).toStdString());
    ShowState(list);
  });
  return widget;
}

QWidget* MainWindowView::CreateDirectoryList(DirListBox& list) {
  auto* widget = new DirectoryTree(form_, list, this);
  connect(widget, &DirectoryTree::DirectoryOpened, this, [this] { FollowFocus(); });
  return widget;
}

QWidget* MainWindowView::CreateFileList(FileListBox&) { return new QListWidget(this); }

QWidget* MainWindowView::CreateTextBox(TextBox& box) {
  auto* widget = new MarginEdit(form_, box, this);
  if (box.Design().maxLength > 0) widget->setMaxLength(box.Design().maxLength);
  connect(widget, &MarginEdit::KeyHandled, this, [this] { FollowFocus(); });
  return widget;
}

QWidget* MainWindowView::CreateButton(CommandButton& button) {
  auto* widget = new QPushButton(Q(button.Design().text), this);
  widget->setAutoDefault(false);
  connect(widget, &QPushButton::clicked, this, [this, &button] {
    button.PerformClick();
    FollowFocus();
  });
  return widget;
}

void MainWindowView::Place(Control& control, QWidget* widget) {
  const ControlDesign& design = control.Design();
  widget->setObjectName(Q(design.name));
  widget->setGeometry(PixelRect(design));
  if (*design.toolTip) widget->setToolTip(Q(design.toolTip));
  if (design.font.name) widget->setFont(FontOf(design.font));
  const bool takesFocus = design.kind != ControlKind::Frame && design.kind != ControlKind::Label &&
                          design.kind != ControlKind::ProgressBar;
  widget->setFocusPolicy(takesFocus ? Qt::StrongFocus : Qt::NoFocus);
  // Text boxes report focus themselves, after Qt's own select-all.
  if (takesFocus && design.kind != ControlKind::TextBox) widget->installEventFilter(this);
  widgets_[&control] = widget;
  controls_[widget] = &control;
}

void MainWindowView::ChainTabOrder() {
  std::vector<std::pair<int, QWidget*>> order;
  for (const auto& [control, widget] : widgets_) {
    if (widget->focusPolicy() != Qt::NoFocus) order.emplace_back(control->Design().tabIndex, widget);
  }
  std::sort(order.begin(), order.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i + 1 < order.size(); ++i) {
    QWidget::setTabOrder(order[i].second, order[i + 1].second);
  }
  if (!order.empty()) order.front().second->setFocus(Qt::OtherFocusReason);
}

bool MainWindowView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    const auto found = controls_.find(watched);
    if (found != controls_.end() && form_.ActiveControl() != found->second) {
      form_.MoveFocus(*found->second);
    }
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindowView::closeEvent(QCloseEvent* event) {
  form_.UserClosesWindow();
  QWidget::closeEvent(event);
}

void MainWindowView::FollowFocus() {
  Control* active = form_.ActiveControl();
  if (!active) return;
  QWidget* widget = WidgetOf(*active);
  if (widget && !widget->hasFocus() && widget->isVisible()) widget->setFocus(Qt::OtherFocusReason);
}

void MainWindowView::ShowState(Control& control) {
  QWidget* widget = WidgetOf(control);
  if (!widget) return;
  widget->setHidden(!control.Visible());
  switch (control.Design().kind) {
    case ControlKind::ComboBox:
      ShowFileTypeList(static_cast<ComboBox&>(control), *static_cast<QComboBox*>(widget));
      break;
    case ControlKind::DriveList:
      ShowDriveList(static_cast<DriveListBox&>(control), *static_cast<QComboBox*>(widget));
      break;
    case ControlKind::DirectoryList:
      static_cast<DirectoryTree*>(widget)->ShowState();
      break;
    case ControlKind::FileList:
      ShowFileList(static_cast<FileListBox&>(control), *static_cast<QListWidget*>(widget));
      break;
    case ControlKind::TextBox:
      static_cast<MarginEdit*>(widget)->ShowState();
      break;
    case ControlKind::Label:
      ShowLabel(static_cast<Label&>(control), *static_cast<QLabel*>(widget));
      break;
    case ControlKind::ProgressBar:
      ShowProgressBar(static_cast<ProgressBar&>(control), *static_cast<QProgressBar*>(widget));
      break;
    default:
      break;
  }
}

void MainWindowView::ShowFileTypeList(ComboBox& combo, QComboBox& widget) {
  QStringList entries;
  for (int i = 0; i < combo.ListCount(); ++i) entries << Q(combo.List(i));
  QStringList shown;
  for (int i = 0; i < widget.count(); ++i) shown << widget.itemText(i);
  const QSignalBlocker quiet(widget);
  if (entries != shown) {
    widget.clear();
    widget.addItems(entries);
  }
  widget.setCurrentIndex(combo.ListIndex());
  if (combo.ListIndex() < 0 || widget.currentText() != Q(combo.Text())) {
    widget.setEditText(Q(combo.Text()));
  }
}

void MainWindowView::ShowDriveList(DriveListBox& list, QComboBox& widget) {
  QStringList drives;
  for (const std::string& drive : list.Drives()) drives << Q(drive);
  if (!list.Drive().empty() && !drives.contains(Q(list.Drive()))) drives << Q(list.Drive());
  QStringList shown;
  for (int i = 0; i < widget.count(); ++i) shown << widget.itemText(i);
  const QSignalBlocker quiet(widget);
  if (drives != shown) {
    widget.clear();
    widget.addItems(drives);
  }
  widget.setCurrentIndex(static_cast<int>(drives.indexOf(Q(list.Drive()))));
}

void MainWindowView::ShowFileList(FileListBox& list, QListWidget& widget) {
  QStringList names;
  for (int i = 0; i < list.ListCount(); ++i) names << Q(list.List(i));
  QStringList shown;
  for (int i = 0; i < widget.count(); ++i) shown << widget.item(i)->text();
  if (names == shown) return;
  widget.clear();
  widget.addItems(names);
}

// A text set at run time may be longer than the label: its middle goes.
void MainWindowView::ShowLabel(Label& label, QLabel& widget) {
  QString text = Q(label.Text());
  if (text != Q(label.Design().text)) {
    text = widget.fontMetrics().elidedText(text, Qt::ElideMiddle, widget.width());
  }
  if (widget.text() != text) widget.setText(text);
}

void MainWindowView::ShowProgressBar(ProgressBar& bar, QProgressBar& widget) {
  widget.setRange(0, bar.Max());
  widget.setValue(bar.Value());
}

}  // namespace pressmoor::ui::qt
