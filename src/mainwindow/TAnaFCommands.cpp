// The record commands: edit, delete, web addresses, the tray's record
// items, hiding and closing.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTableView>
#include <QUrl>

#include "Cp1254.h"
#include "ErrorDisplay.h"
#include "Fields.h"
#include "Info.h"
#include "MainWindowTexts.h"
#include "ProcessState.h"
#include "ProtectedRecords.h"
#include "TAnaF.h"
#include "TQ_PassWordF.h"

namespace quilor {

namespace {

bool Ask(QWidget* parent, const QString& question, QMessageBox::StandardButtons buttons,
         QMessageBox::StandardButton yes) {
  QMessageBox box(QMessageBox::Question, texts::kQuestionCaption, question, buttons, parent);
  return box.exec() == yes;
}

}  // namespace

void TAnaF::ToolButtonDuzenleClick() {
  Guarded([this] {
    AbortWithInfo(!hasSelectedRow(), texts::kSelectRecordFirst);
    FindSelectedRecord();
  });
}

void TAnaF::sListViewSifreDblClick() {
  Guarded([this] {
    if (hasSelectedRow()) ToolButtonDuzenleClick();
  });
}

bool TAnaF::eventFilter(QObject* watched, QEvent* event) {
  if (watched == sListViewSifre_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Guarded([this] {
        if (hasSelectedRow()) ToolButtonDuzenleClick();
      });
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TAnaF::ToolButton10Click() {
  Guarded([this] {
    AbortWithInfo(!hasSelectedRow(), texts::kSelectRecordFirst);
    if (!Ask(this, texts::kConfirmDelete, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)) {
      return;
    }
    if (!FindSelectedRecord()) return;
    // The delete is saved from a copy of the table: when the save fails,
    // table, list and file stay as they were, and every row still finds its
    // own record.
    RecordTable changed = rxSifre_;
    changed.deleteCurrent();
    SaveRecords(changed, dataFilePath_, MasterPassword);
    rxSifre_ = std::move(changed);
    LoadRecords();
  });
}

void TAnaF::OpenRecordWebAddress() {
  const QString address = FromCp1254(rxSifre_.text(field::WEBADRES));
  AbortWithInfo(address.isEmpty(), texts::kNoWebAddress);
  // The desktop decides what opens it (a browser, a mail program); whether
  // it managed is not ours to report. An address with a scheme goes as
  // written; a bare "www.banka.com.tr" is read as a web address, as a
  // user typing it into a browser would mean it, since the desktop's opener
  // would otherwise take it for a file name and silently do nothing.
  QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

void TAnaF::WebadresiniA1Click() {
  Guarded([this] {
    FindSelectedRecord();
    OpenRecordWebAddress();
  });
}

void TAnaF::BuildTrayRecordMenu() {
  webAdresineBalan1_->clear();
  for (rxSifre_.first(); !rxSifre_.eof(); rxSifre_.next()) {
    if (!rxSifre_.boolean(field::SISTEMTRAY)) continue;
    QAction* item = webAdresineBalan1_->addAction(FromCp1254(rxSifre_.text(field::TANIMI)));
    item->setData(QByteArray::fromStdString(rxSifre_.text(field::KAYITNO)));
  }
}

void TAnaF::TrayRecordItemClick(QAction* item) {
  Guarded([&] {
    rxSifre_.locate(item->data().toByteArray().toStdString());
    OpenRecordWebAddress();
  });
}

void TAnaF::MakerWebSiteClick() {
  Guarded([] { QDesktopServices::openUrl(QUrl::fromUserInput(texts::kMakerWebAddress)); });
}

void TAnaF::HideToTray() {
  hide();
  rxTrayIcon1_.show();
}

void TAnaF::ToolButton4Click() {
  Guarded([this] { HideToTray(); });
}

void TAnaF::RxTrayIcon1DblClick() {
  Guarded([this] {
    if (isVisible() || TQ_PassWordF::Instance() != nullptr) return;
    TQ_PassWordF dialog(*this, dataFilePath_);
    dialog.SetReAuthMode(true);
    dialog.exec();
    if (!dialog.LoginOk()) return;
    rxTrayIcon1_.hide();
    show();
  });
}

void TAnaF::KapatExecute() {
  Guarded([this] {
    if (isVisible()) close();
  });
}

void TAnaF::Kapat2Click() {
  Guarded([this] { close(); });
}

void TAnaF::closeEvent(QCloseEvent* event) {
  Guarded([&] {
    event->ignore();
    // With the master password dialog open (a login abandoned) the program
    // ends without asking.
    if (TQ_PassWordF::Instance() == nullptr &&
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
