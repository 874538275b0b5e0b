#include "SecretClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "ErrorDisplay.h"

namespace quilor {

namespace {

// Clipboard managers (Klipper and those that follow its convention) keep no
// history of a text that carries this hint.
const QString kPasswordManagerHintType = QStringLiteral("x-kde-passwordManagerHint");

}  // namespace

SecretClipboard::SecretClipboard(QObject* parent) : QObject(parent) {
  timer_.setInterval(100);
  connect(&timer_, &QTimer::timeout, this, [this] { Guarded([this] { tick(); }); });
}

void SecretClipboard::copy(const QString& text) {
  auto* mime = new QMimeData;
  mime->setText(text);
  mime->setData(kPasswordManagerHintType, QByteArrayLiteral("secret"));
  QGuiApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);

  countdown_.restart();
  if (!timer_.isActive()) timer_.start();
  emit countdownStarted();
}

void SecretClipboard::tick() {
  if (!countdown_.counting()) return;
  if (!countdown_.tick()) {
    emit countdownAdvanced(countdown_.position());
    return;
  }
  timer_.stop();
  QGuiApplication::clipboard()->setText(QString(), QClipboard::Clipboard);
  emit clipboardCleared();
}

}  // namespace quilor
