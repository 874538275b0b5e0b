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
#include "MainWindowTexts.h"
#include "TAnaF.h"

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

void TAnaF::PopupMenuPopup() {
  Guarded([this] {
    const bool selected = hasSelectedRow();
    for (QAction* item : popupMenu_->actions()) {
      if (!item->isSeparator()) item->setEnabled(item == otomatikDoldur1_ || selected);
    }
  });
}

void TAnaF::KullancAdPanoyaKopyala1Click(QAction* item) {
  Guarded([&] {
    // Only the selected row's own record is copied; without it nothing is,
    // rather than whatever record happens to be current.
    if (!FindSelectedRecord()) return;
    const int field = FieldIndexByName(item->data().toString().toStdString());
    PutSecretOnClipboard(FromCp1254(rxSifre_.text(field)));

    clipboardCountdown_.restart();
    sProgressBar1_->setValue(clipboardCountdown_.position());
    sProgressBar1_->show();
    if (!clipBoardTimer_->isActive()) clipBoardTimer_->start();
    statusPanels_[0]->setText(texts::kClipboardCountingDown);
  });
}

void TAnaF::ClipBoardTimerTimer() {
  Guarded([this] {
    if (!clipboardCountdown_.tick()) {
      sProgressBar1_->setValue(clipboardCountdown_.position());
      return;
    }
    clipBoardTimer_->stop();
    QGuiApplication::clipboard()->setText(QString(), QClipboard::Clipboard);
    statusPanels_[0]->clear();
    sProgressBar1_->setValue(0);
    sProgressBar1_->hide();
  });
}

}  // namespace quilor
