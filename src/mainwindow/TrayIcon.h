#pragma once

#include <QByteArray>
#include <QIcon>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>
#include <memory>
#include <vector>

class QMenu;

namespace quilor {

// A record listed under "Web Adresine Bağlan". A tray item carries its address: the tray offers it
// while the window is locked and the session holds no records.
struct TrayRecordItem {
  QString title;
  QString webAddress;
};

// The icon in the notification area with its menu: "Göster", the records
// flagged for the tray, "Otomatik Doldur" and "Kapat". It only reports what the user
// chose; what happens then is the window's business.
class TrayIcon : public QObject {
  Q_OBJECT

 public:
  TrayIcon(const QIcon& icon, const QString& toolTip, QObject* parent = nullptr);
  ~TrayIcon() override;

  void show() { icon_.show(); }
  void hide() { icon_.hide(); }
  bool isVisible() const { return icon_.isVisible(); }
  QString toolTip() const { return icon_.toolTip(); }
  // False where the desktop has no notification area to show the icon in.
  bool desktopHasTray() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

  // Replaces the items under "Web Adresine Bağlan", in the order given.
  void setRecordItems(const std::vector<TrayRecordItem>& items);

  QMenu& menu() { return *menu_; }
  // The desktop's icon; its activations arrive here.
  QSystemTrayIcon& systemIcon() { return icon_; }

 signals:
  void webAddressChosen(const QString& webAddress);
  // A click or double-click on the icon, or "Göster".
  void unlockRequested();
  void autoFillRequested();
  void closeRequested();

 private:
  // The menu outlives the icon that shows it.
  std::unique_ptr<QMenu> menu_;
  QMenu* recordMenu_ = nullptr;
  QSystemTrayIcon icon_;
};

}  // namespace quilor
