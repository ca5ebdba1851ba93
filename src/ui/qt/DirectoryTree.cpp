#include "ui/qt/DirectoryTree.h"

#include <QHeaderView>
#include <QStyle>

namespace pressmoor::ui::qt {

namespace {

constexpr int kPathRole = Qt::UserRole;

QStringList ChainOf(const std::string& path) {
  QStringList chain{"/"};
  QString walked;
  for (const QString& part : QString::fromStdString(path).split('/', Qt::SkipEmptyParts)) {
    walked += "/" + part;
    chain << walked;
  }
  return chain;
}

QString NameOf(const QString& path) {
  if (path == "/") return path;
  return path.section('/', -1);
}

}  // namespace

DirectoryTree::DirectoryTree(frmPressmoorMain& form, DirListBox& list, QWidget* parent)
    : QTreeWidget(parent), form_(form), list_(list) {
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setIndentation(12);
  setItemsExpandable(false);
  connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
    // Rebuilding the tree inside its own signal would delete the item under it.
    const QString path = PathOf(*item);
    QMetaObject::invokeMethod(this, [this, path] { Open(path); }, Qt::QueuedConnection);
  });
  ShowState();
}

QString DirectoryTree::PathOf(const QTreeWidgetItem& item) {
  return item.data(0, kPathRole).toString();
}

void DirectoryTree::Open(const QString& path) {
  form_.UserOpensDirectory(list_, path.toStdString());
  ShowState();
  emit DirectoryOpened();
}

void DirectoryTree::ShowState() {
  std::vector<std::string> subdirectories = list_.Subdirectories();
  if (list_.Path() == shownPath_ && subdirectories == shownSubdirectories_) return;
  shownPath_ = list_.Path();
  shownSubdirectories_ = std::move(subdirectories);

  clear();
  if (shownPath_.empty()) return;
  const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
  QTreeWidgetItem* parentItem = nullptr;
  for (const QString& path : ChainOf(shownPath_)) {
    auto* item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(this);
    item->setText(0, NameOf(path));
    item->setIcon(0, openIcon);
    item->setData(0, kPathRole, path);
    parentItem = item;
  }
  setCurrentItem(parentItem);
  for (const std::string& subdirectory : shownSubdirectories_) {
    auto* item = new QTreeWidgetItem(parentItem);
    const QString path = QString::fromStdString(subdirectory);
    item->setText(0, NameOf(path));
    item->setIcon(0, closedIcon);
    item->setData(0, kPathRole, path);
  }
  expandAll();
  if (parentItem) scrollToItem(parentItem);
}

}  // namespace pressmoor::ui::qt
