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

SecretClipboard::~SecretClipboard() {
  // clear() gives the clipboard up altogether, so not even a clipboard
  // manager taking over at exit gets the secret.
  if (countdown_.counting() && holdsOurCopy()) {
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
  }
}

void SecretClipboard::copy(const QString& text) {
  auto* mime = new QMimeData;
  mime->setText(text);
  mime->setData(kPasswordManagerHintType, QByteArrayLiteral("secret"));
  QGuiApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);
  placed_ = mime;

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
  if (holdsOurCopy()) QGuiApplication::clipboard()->setText(QString(), QClipboard::Clipboard);
  placed_.clear();
  emit countdownEnded();
}

// Asking for the content is left out on purpose when the clipboard is not
// ours: that would fetch another program's text into this one.
bool SecretClipboard::holdsOurCopy() const {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  return !placed_.isNull() && clipboard->ownsClipboard() &&
         clipboard->mimeData(QClipboard::Clipboard) == placed_.data();
}

}  // namespace quilor
