#include "TrayIcon.h"

#include <QAction>
#include <QMenu>

#include "MainWindowTexts.h"

namespace quilor {

TrayIcon::TrayIcon(const QIcon& icon, const QString& toolTip, QObject* parent)
    : QObject(parent), menu_(std::make_unique<QMenu>()) {
  menu_->setObjectName(QStringLiteral("trayMenu"));
  QAction* show = menu_->addAction(texts::kShow);
  show->setObjectName(QStringLiteral("trayShow"));
  connect(show, &QAction::triggered, this, &TrayIcon::unlockRequested);
  recordMenu_ = menu_->addMenu(texts::kConnectToWebAddress);
  recordMenu_->setObjectName(QStringLiteral("trayRecordMenu"));
  recordMenu_->menuAction()->setObjectName(QStringLiteral("trayRecordMenu"));
  connect(recordMenu_, &QMenu::triggered, this,
          [this](QAction* item) { emit webAddressChosen(item->data().toString()); });

  QAction* autoFill = menu_->addAction(texts::kAutoFill);
  autoFill->setObjectName(QStringLiteral("trayAutoFill"));
  connect(autoFill, &QAction::triggered, this, &TrayIcon::autoFillRequested);
  QAction* close = menu_->addAction(texts::kClose);
  close->setObjectName(QStringLiteral("trayClose"));
  connect(close, &QAction::triggered, this, &TrayIcon::closeRequested);

  icon_.setIcon(icon);
  icon_.setToolTip(toolTip);
  icon_.setContextMenu(menu_.get());
  connect(&icon_, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) {
            // One click is enough to come back; a double-click brings both
            // clicks' activations, and the second finds the password dialog
            // already open.
            if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
              emit unlockRequested();
          });
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::setRecordItems(const std::vector<TrayRecordItem>& items) {
  recordMenu_->clear();
  for (const TrayRecordItem& item : items) {
    // A menu takes "&" for the mark of its key: "AT&T" would show as "ATT".
    QString caption = item.title;
    recordMenu_->addAction(caption.replace('&', QStringLiteral("&&")))->setData(item.webAddress);
  }
}

}  // namespace quilor
