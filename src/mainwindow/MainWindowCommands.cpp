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
    if (!locked() && hasSelectedRow()) editSelectedRecord();
  });
}

void MainWindow::deleteSelectedRecord() {
  Guarded([this] {
    if (locked()) return;
    AbortWithInfo(!hasSelectedRow(), texts::kSelectRecordFirst);
    if (!findSelectedRecord()) return;
    const std::string asked = records().text(Field::RecordNumber);
    if (!Ask(this, DeleteQuestion(records()), QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes,
             QMessageBox::No)) {
      return;
    }
    // The lock answers the question "no" itself; a yes that arrives after
    // it finds the window locked.
    // Only the record the question named goes.
    if (locked()) return;
    if (!findSelectedRecord() || records().text(Field::RecordNumber) != asked) return;
    // The delete is saved from a copy of the table: when the save fails,
    // table, list and file stay as they were, and every row still finds its
    // own record.
    RecordTable changed = records();
    const TableChange change{{}, {changed.text(Field::RecordNumber)}};
    changed.deleteCurrent();
    SaveOutcome outcome = SaveOutcome::Written;
    readKeepingListHonest([&] { outcome = session_.saveInstead(std::move(changed), change); });
    tellSaveOutcome(outcome, texts::kDeletedRecordChangedElsewhere);
  });
}

void MainWindow::openWebAddress(const QString& address) {
  AbortWithInfo(address.isEmpty(), texts::kNoWebAddress);
  OpenWithDesktop(address, ShowInfo);
}

void MainWindow::openSelectedWebAddress() {
  Guarded([this] {
    if (locked()) return;
    AbortWithInfo(!findSelectedRecord(), texts::kSelectRecordFirst);
    openWebAddress(FromCp1254(records().text(Field::WebAddress)));
  });
}

void MainWindow::buildTrayRecordMenu() {
  std::vector<TrayRecordItem> items;
  for (records().first(); !records().eof(); records().next()) {
    if (!records().boolean(Field::ShowInTray)) continue;
    items.push_back(
        {FromCp1254(records().text(Field::Title)), FromCp1254(records().text(Field::WebAddress))});
  }
  trayIcon_->setRecordItems(items);
}

void MainWindow::openTrayWebAddress(const QString& address) {
  Guarded([&] { openWebAddress(address); });
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
