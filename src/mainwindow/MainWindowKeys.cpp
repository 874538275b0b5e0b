// The keyboard: keys for the search box and the list, and the shortcuts the
// record menu shows beside its items.
#include <QAction>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include "ErrorDisplay.h"
#include "MainWindow.h"
#include "RecordListModel.h"
#include "RecordListView.h"

namespace quilor {

namespace {

bool IsEnter(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

bool IsPlainKey(const QKeyEvent* key, Qt::Key which) {
  return key->key() == which && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

}  // namespace

void MainWindow::buildKeyboard() {
  auto* find = new QAction(this);
  find->setObjectName(QStringLiteral("focusSearch"));
  find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  connect(find, &QAction::triggered, this, &MainWindow::focusSearch);
  addAction(find);

  // The record commands' keys work where the records are: in the list (and
  // in its menu while it is open). Elsewhere Ctrl+C keeps copying selected
  // text, Delete deleting a character.
  QList<QAction*> listCommands = recordMenu_->actions();
  listCommands << findChild<QAction*>(QStringLiteral("deleteRecord"));
  for (QAction* command : listCommands) {
    if (command->shortcut().isEmpty()) continue;
    command->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    recordList_->addAction(command);
  }
  // A disabled command's key does nothing, so the menu's enabled state must
  // follow the selection, not only the menu's opening.
  connect(recordList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &MainWindow::enableRecordMenuItems);
  connect(listModel_, &QAbstractItemModel::modelReset, this, &MainWindow::enableRecordMenuItems);
  enableRecordMenuItems();

  searchBox_->installEventFilter(this);
  recordList_->installEventFilter(this);
}

void MainWindow::focusSearch() {
  Guarded([this] {
    if (locked()) return;
    searchBox_->setFocus(Qt::ShortcutFocusReason);
    searchBox_->selectAll();
  });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == searchBox_) return searchBoxKey(key);
    if (watched == recordList_) return recordListKey(key);
  }
  return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::searchBoxKey(QKeyEvent* key) {
  // Esc first empties a search box that holds text; only an empty box lets
  // it through to its meaning for the window.
  if (IsPlainKey(key, Qt::Key_Escape) && !searchBox_->text().isEmpty()) {
    if (key->type() == QEvent::ShortcutOverride) {
      key->accept();
    } else {
      clearSearch();
    }
    return true;
  }
  if (key->type() == QEvent::KeyPress && IsPlainKey(key, Qt::Key_Down)) {
    Guarded([this] {
      if (!hasSelectedRow() && listModel_->rowCount() > 0) selectListRow(0);
      recordList_->setFocus(Qt::OtherFocusReason);
    });
    return true;
  }
  return false;
}

bool MainWindow::recordListKey(QKeyEvent* key) {
  if (key->type() != QEvent::KeyPress) return false;
  if (IsEnter(key)) {
    // Enter opens the selected record and goes no further, with or without
    // a selection.
    Guarded([this] {
      if (hasSelectedRow()) editSelectedRecord();
    });
    return true;
  }
  // The list's own copy would put the caption of the current cell on the
  // clipboard, past the countdown that empties it; Ctrl+C here is the
  // password's, and without a selected row it copies nothing.
  return key->matches(QKeySequence::Copy);
}

}  // namespace quilor
