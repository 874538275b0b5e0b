#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QSystemTrayIcon>
#include <QTimer>
#include <memory>
#include <string>

#include "ClipboardCountdown.h"
#include "ExeFolder.h"
#include "GlobalHotKey.h"
#include "IdleProbe.h"
#include "LoginHost.h"
#include "RecordRow.h"
#include "RecordTable.h"

class QAction;
class QLineEdit;
class QMenu;
class QProgressBar;
class QTableView;
class QToolBar;
class QToolButton;

namespace quilor {

class RecordListModel;

// Where the window keeps its data and whether it asks for the master
// password once the event loop runs. A test harness opens the window on a
// data file of its own, without the login.
struct MainWindowSetup {
  std::string dataFilePath = DataFilePath();
  bool askForLoginAtStart = true;
};

// The main window. Created hidden at start; shown only after a login.
class MainWindow : public QMainWindow, public LoginHost {
  Q_OBJECT

 public:
  explicit MainWindow(const MainWindowSetup& setup = MainWindowSetup(), QWidget* parent = nullptr);
  ~MainWindow() override;

  RecordTable& records() { return records_; }
  QSystemTrayIcon& trayIcon() { return trayIcon_; }
  QTimer& idleTimer() { return idleTimer_; }
  const QLabel& header() const { return *header_; }

  // LoadRecords of the store with this window's steps: on a wrong master
  // password the notice and the focus back into the login's password box;
  // on success the tray record menu, the list and the count are refreshed.
  void loadRecords() override;

  // Sorts the table by the sort state and rebuilds every row; no row is
  // selected afterwards. The count panel is left alone.
  void fillRecordList();
  // "Toplam N Kayıt" for the rows the list holds.
  void showRecordCount();
  // Reloads, then keeps only the rows whose text holds searchText.
  void applySearch(const QString& searchText);
  // Makes the selected row's record the table's current one; false when
  // no row is selected or the record is not in the table.
  bool findSelectedRecord();
  // The tray menu's "Web Adresine Bağlan" items: one per record flagged for
  // the tray, in file order.
  void buildTrayRecordMenu();
  void hideToTray();

  // LoginHost
  QString caption() const override { return windowTitle(); }
  void showMainWindow() override;
  void showTrayIcon() override;
  bool idleTimeAvailable() const override { return idleProbe_->available(); }
  void setIdleTimerActive(bool active) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  // Runs once the event loop is up: the first thing the user sees is the login.
  void showLoginAtStart();
  void checkIdleTime();

  void sortByColumn(int column);
  void editOnDoubleClick();
  void searchTextChanged(const QString& text);
  void applySearchAfterDelay();
  void clearSearch();

  void enableRecordMenuItems();
  void copyField(QAction* item);
  void clipboardTick();

  void editSelectedRecord();
  void deleteSelectedRecord();
  // Hidden counts as locked: the window comes back only after the master
  // password has been typed again.
  void unlockFromTray();
  void openSelectedWebAddress();
  void openTrayRecordWebAddress(QAction* item);
  void openMakerWebSite();
  void closeProgram();
  void closeProgramFromTray();

 private:
  void buildRecordList(QWidget* parent);
  QWidget* buildSearchPanel(QWidget* parent);
  void buildStatusBar();
  void buildRecordMenu();
  QToolBar* buildToolBar(QWidget* parent);
  void buildMainMenu();
  void buildTrayMenu();

  bool hasSelectedRow() const;
  void openRecordWebAddress();

  std::string dataFilePath_;
  RecordTable records_;
  std::unique_ptr<GlobalHotKey> hotKey_;
  std::unique_ptr<IdleProbe> idleProbe_;
  QSystemTrayIcon trayIcon_;
  QTimer idleTimer_;
  QTimer* searchDelay_ = nullptr;
  QTimer* clipboardTimer_ = nullptr;
  ClipboardCountdown clipboardCountdown_;
  QLabel* header_ = nullptr;

  // Kept for the whole run: every search rebuilds the rows from the same
  // dates, and formatting them again is most of a refill's cost.
  RowDateFormats rowDateFormats_;
  RecordListModel* listModel_ = nullptr;
  QTableView* recordList_ = nullptr;
  QLineEdit* searchBox_ = nullptr;
  QLabel* statusPanels_[3] = {};
  QProgressBar* clipboardProgress_ = nullptr;
  QMenu* recordMenu_ = nullptr;
  QAction* autoFillItem_ = nullptr;
  QMenu* trayMenu_ = nullptr;
  QMenu* trayRecordMenu_ = nullptr;
  QAction* closeAction_ = nullptr;
};

}  // namespace quilor
