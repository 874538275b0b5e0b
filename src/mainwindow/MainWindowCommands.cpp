// The record commands: delete, web addresses, the tray's record
// items and closing.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMessageBox>
#include <vector>

#include "Cp1254.h"
#include "DesktopOpener.h"
#include "ErrorDisplay.h"
#include "Fields.h"
#include "Info.h"
#include "MainWindow.h"
#include "MainWindowTexts.h"
#include "MakerContacts.h"
#include "MasterPasswordDialog.h"
#include "ProcessState.h"
#include "ProtectedRecords.h"
#include "TrayIcon.h"

namespace quilor {

namespace {

// True when the user answers yes. A focused button other than the box's
// own choice takes Enter and Space: a question whose yes cannot be undone
// starts on the answer that changes nothing.
bool Ask(QWidget* parent, const QString& question, QMessageBox::StandardButtons buttons,
         QMessageBox::StandardButton yes,
         QMessageBox::StandardButton focused = QMessageBox::NoButton) {
  QMessageBox box(QMessageBox::Question, texts::kQuestionCaption, question, buttons, parent);
  if (focused != QMessageBox::NoButton) box.setDefaultButton(focused);
  return box.exec() == yes;
}

// The question names the record by its title and group, so that the user
// sees which one goes before saying yes.
QString DeleteQuestion(const RecordTable& records) {
  QString question = texts::kConfirmDelete + QStringLiteral("\n\n") + texts::kColumnCaptions[0] +
                     QStringLiteral(": ") + FromCp1254(records.text(Field::Title));
  const QString group = FromCp1254(records.text(Field::Group));
  if (!group.isEmpty()) {
    question += QStringLiteral("\n") + texts::kColumnCaptions[1] + QStringLiteral(": ") + group;
  }
  return question;
}

}  // namespace

void MainWindow::editOnDoubleClick() {
  Guarded([this] {
    if (hasSelectedRow()) editSelectedRecord();
  });
}

void MainWindow::deleteSelectedRecord() {
  Guarded([this] {
    AbortWithInfo(!hasSelectedRow(), texts::kSelectRecordFirst);
    if (!findSelectedRecord()) return;
    if (!Ask(this, DeleteQuestion(records_), QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes,
             QMessageBox::No)) {
      return;
    }
    // The delete is saved from a copy of the table: when the save fails,
    // table, list and file stay as they were, and every row still finds its
    // own record.
    RecordTable changed = records_;
    changed.deleteCurrent();
    SaveRecords(changed, dataFilePath_, MasterPassword);
    records_ = std::move(changed);
    loadRecords();
  });
}

void MainWindow::openRecordWebAddress() {
  const QString address = FromCp1254(records_.text(Field::WebAddress));
  AbortWithInfo(address.isEmpty(), texts::kNoWebAddress);
  OpenWithDesktop(address, ShowInfo);
}

void MainWindow::openSelectedWebAddress() {
  Guarded([this] {
    findSelectedRecord();
    openRecordWebAddress();
  });
}

void MainWindow::buildTrayRecordMenu() {
  std::vector<TrayRecordItem> items;
  for (records_.first(); !records_.eof(); records_.next()) {
    if (!records_.boolean(Field::ShowInTray)) continue;
    items.push_back({FromCp1254(records_.text(Field::Title)),
                     QByteArray::fromStdString(records_.text(Field::RecordNumber))});
  }
  trayIcon_->setRecordItems(items);
}

void MainWindow::openTrayRecordWebAddress(const QByteArray& recordNumber) {
  Guarded([&] {
    records_.locate(recordNumber.toStdString());
    openRecordWebAddress();
  });
}

void MainWindow::openMakerWebSite() {
  Guarded([] { OpenWithDesktop(maker::kWebAddress, ShowInfo); });
}

void MainWindow::closeProgram() {
  Guarded([this] {
    if (windowLock_.windowShown()) close();
  });
}

void MainWindow::closeProgramFromTray() {
  Guarded([this] { close(); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
  Guarded([&] {
    event->ignore();
    // With the master password dialog open (a login abandoned) the program
    // ends without asking.
    if (MasterPasswordDialog::instance() == nullptr &&
        !Ask(this, texts::kConfirmQuit, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)) {
      return;
    }
    event->accept();
    // The window is not the last thing keeping the program alive (dialogs
    // come and go while it is hidden), so closing it ends the program here.
    QApplication::quit();
  });
}

}  // namespace quilor
