// A directory list view in the classic style: the open directory's path as a
// chain from the root down, its subdirectories below it; a double click
// opens a directory.
#pragma once

#include <QTreeWidget>
#include <string>
#include <vector>

#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui::qt {

class DirectoryTree : public QTreeWidget {
  Q_OBJECT

 public:
  DirectoryTree(frmPressmoorMain& form, DirListBox& list, QWidget* parent);
  DirListBox& List() { return list_; }
  void ShowState();
  // The full path an entry stands for.
  static QString PathOf(const QTreeWidgetItem& item);

 signals:
  void DirectoryOpened();

 protected:
  void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}

 private:
  void Open(const QString& path);
  frmPressmoorMain& form_;
  DirListBox& list_;
  std::string shownPath_;
  std::vector<std::string> shownSubdirectories_;
};

}  // namespace pressmoor::ui::qt
