#include "TAnaF.h"

#include <QApplication>
#include <QVBoxLayout>

#include "ErrorDisplay.h"
#include "Identity.h"
#include "Info.h"

namespace quilor {

TAnaF::TAnaF(QWidget* parent)
    : QMainWindow(parent), hotKey_(MakeGlobalHotKey()), idleProbe_(MakeIdleProbe()) {
  hotKey_->registerHotKey([] {});

  setWindowTitle(MainCaption());
  rxTrayIcon1_.setToolTip(windowTitle());

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  panelBaslik_ = new QLabel(HeaderCaption(), central);
  panelBaslik_->setObjectName(QStringLiteral("PanelBaslik"));
  layout->addWidget(panelBaslik_);
  setCentralWidget(central);

  QMetaObject::invokeMethod(this, &TAnaF::WMShowLogin, Qt::QueuedConnection);
  rxSifre_.activate();

  timerIdle_.setInterval(500);
  connect(&timerIdle_, &QTimer::timeout, this, &TAnaF::TimerIdleTimer);
  timerIdle_.start();
}

TAnaF::~TAnaF() = default;

void TAnaF::WMShowLogin() {
  Guarded([] {
    ShowInfo(QStringLiteral("Ana şifre penceresi bu sürümde yok; program kapanıyor."));
    QApplication::quit();
  });
}

void TAnaF::showMainWindow() { show(); }

void TAnaF::showTrayIcon() { rxTrayIcon1_.show(); }

void TAnaF::setIdleTimerActive(bool active) {
  if (active) {
    timerIdle_.start();
  } else {
    timerIdle_.stop();
  }
}

void TAnaF::TimerIdleTimer() {
  Guarded([this] {
    if (!isVisible()) return;
  });
}

}  // namespace quilor
