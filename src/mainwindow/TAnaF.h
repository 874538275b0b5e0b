#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QSystemTrayIcon>
#include <QTimer>
#include <memory>

#include "GlobalHotKey.h"
#include "IdleProbe.h"
#include "LoginHost.h"
#include "RecordTable.h"

namespace quilor {

// The main window. Created hidden at start; shown only after a login.
class TAnaF : public QMainWindow, public LoginHost {
  Q_OBJECT

 public:
  explicit TAnaF(QWidget* parent = nullptr);
  ~TAnaF() override;

  RecordTable& RxSifre() { return rxSifre_; }
  QSystemTrayIcon& RxTrayIcon1() { return rxTrayIcon1_; }
  QTimer& TimerIdle() { return timerIdle_; }
  IdleProbe& idleProbe() { return *idleProbe_; }
  const QLabel& PanelBaslik() const { return *panelBaslik_; }

  // LoadRecords of the store with this window's steps: on a wrong master
  // password the notice and the focus back into the login's password box;
  // on success the tray record menu, the list and the count are refreshed.
  void LoadRecords();

  // LoginHost
  QString caption() const override { return windowTitle(); }
  void loadRecords() override { LoadRecords(); }
  void showMainWindow() override;
  void showTrayIcon() override;
  bool idleTimeAvailable() const override { return idleProbe_->available(); }
  void setIdleTimerActive(bool active) override;

 private slots:
  // Runs once the event loop is up: the first thing the user sees is the login.
  void WMShowLogin();
  void TimerIdleTimer();

 private:
  RecordTable rxSifre_;
  std::unique_ptr<GlobalHotKey> hotKey_;
  std::unique_ptr<IdleProbe> idleProbe_;
  QSystemTrayIcon rxTrayIcon1_;
  QTimer timerIdle_;
  QLabel* panelBaslik_ = nullptr;
};

}  // namespace quilor
