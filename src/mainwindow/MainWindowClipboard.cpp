// Copying a field to the clipboard and emptying it again after the countdown.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>

#include "Cp1254.h"
#include "ErrorDisplay.h"
#include "Fields.h"
#include "MainWindow.h"
#include "MainWindowTexts.h"

namespace quilor {

namespace {

// Clipboard managers (Klipper and those that follow its convention) keep no
// history of a text that carries this hint.
const QString kPasswordManagerHintType = QStringLiteral("x-kde-passwordManagerHint");

void PutSecretOnClipboard(const QString& text) {
  auto* mime = new QMimeData;
  mime->setText(text);
  mime->setData(kPasswordManagerHintType, QByteArrayLiteral("secret"));
  QGuiApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);
}

}  // namespace

void MainWindow::enableRecordMenuItems() {
  Guarded([this] {
    const bool selected = hasSelectedRow();
    for (QAction* item : recordMenu_->actions()) {
      if (!item->isSeparator()) item->setEnabled(item == autoFillItem_ || selected);
    }
  });
}

void MainWindow::copyField(QAction* item) {
  Guarded([&] {
    // The copy works on the current record, whether or not the locate hit.
    findSelectedRecord();
    const int field = FieldIndexByName(item->data().toString().toStdString());
    PutSecretOnClipboard(FromCp1254(records_.text(field)));

    clipboardCountdown_.restart();
    clipboardProgress_->setValue(clipboardCountdown_.position());
    clipboardProgress_->show();
    if (!clipboardTimer_->isActive()) clipboardTimer_->start();
    statusPanels_[0]->setText(texts::kClipboardCountingDown);
  });
}

void MainWindow::clipboardTick() {
  Guarded([this] {
    if (!clipboardCountdown_.tick()) {
      clipboardProgress_->setValue(clipboardCountdown_.position());
      return;
    }
    clipboardTimer_->stop();
    QGuiApplication::clipboard()->setText(QString(), QClipboard::Clipboard);
    statusPanels_[0]->clear();
    clipboardProgress_->setValue(0);
    clipboardProgress_->hide();
  });
}

}  // namespace quilor
