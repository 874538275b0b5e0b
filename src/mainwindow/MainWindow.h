#pragma once

#include <QByteArray>
#include <QLabel>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

#include "EditorHost.h"
#include "ExeFolder.h"
#include "IdleProbe.h"
#include "LoginHost.h"
#include "RecordRow.h"
#include "RecordTable.h"
#include "WindowLock.h"

class QAction;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QProgressBar;
class QTimer;
class QToolBar;

namespace quilor {

class GlobalHotKey;
class IdleLock;
class RecordListModel;
class RecordListView;
class SecretClipboard;
class TrayIcon;

// Where the window keeps its data, whether it asks for the master password
// once the event loop runs, and where the idle lock reads the idle time. A
// test harness opens the window on a data file of its own, without the
// login, and may tell the idle time itself.
struct MainWindowSetup {
  std::string dataFilePath = DataFilePath();
  bool askForLoginAtStart = true;
  std::function<std::unique_ptr<IdleProbe>()> makeIdleProbe = MakeIdleProbe;
};

// The main window: the record list with its search, the record commands,
// and the parts it wires together (clipboard, tray icon, idle lock, and the
// lock state that decides which of window and tray icon is shown). Created
// hidden at start; shown only after a login.
class MainWindow : public QMainWindow, public LoginHost, public EditorHost {
  Q_OBJECT

 public:
  explicit MainWindow(const MainWindowSetup& setup = MainWindowSetup(), QWidget* parent = nullptr);
  ~MainWindow() override;

  RecordTable& records() { return records_; }
  SecretClipboard& secretClipboard() { return *secretClipboard_; }
  TrayIcon& trayIcon() { return *trayIcon_; }
  IdleLock& idleLock() { return *idleLock_; }
  const WindowLock& windowLock() const { return windowLock_; }
  const QLabel& header() const { return *header_; }

  // LoadRecords of the store with this window's steps: on a wrong master
  // password the notice and the focus back into the login's password box;
  // on success the tray record menu, the list and the count are refreshed.
  void loadRecords() override;

  // Sorts the table by the sort state and rebuilds the rows: every record,
  // or while the search box holds text, those whose text holds it. So box,
  // rows and count agree after every rebuild (a header click, a save, a
  // delete, a reload). No row is selected afterwards. The count panel is
  // left alone.
  void fillRecordList();
  // "Toplam N Kayıt" for the rows the list holds.
  void showRecordCount();
  // Reloads; the rebuilt list keeps the rows the search box asks for.
  void applySearch();
  // Makes the selected row's record the table's current one; false when
  // no row is selected or the record is not in the table.
  bool findSelectedRecord();

  // LoginHost
  QString caption() const override { return windowTitle(); }
  void showMainWindow() override;
  void showTrayIcon() override;
  bool idleTimeAvailable() const override;
  void setIdleTimerActive(bool active) override;

  // EditorHost (caption and loadRecords are shared with LoginHost)
  RecordTable& recordTable() override { return records_; }
  QStringList listedGroups() const override;
  int listedRowCount() const override;
  int selectedListRow() const override;
  void selectListRow(int row) override;
  void selectRecord(const std::string& recordNumber) override;
  bool makeSelectedRecordCurrent() override { return findSelectedRecord(); }
  void saveRecords(int enteredRecordId) override;
  QString searchText() const override;
  // The editor passes the box's own text, which every reload applies.
  void reapplySearch(const QString&) override { applySearch(); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildRecordList(QWidget* parent);
  // Sizes the columns to the list's width, dates in full, until the user
  // sizes one himself.
  void fitColumnsToList();
  QWidget* buildSearchPanel(QWidget* parent);
  void buildStatusBar();
  void buildRecordMenu();
  QToolBar* buildToolBar(QWidget* parent);
  void buildMainMenu();
  void buildKeyboard();
  void connectParts();

  // Runs once the event loop is up: the first thing the user sees is the login.
  void showLoginAtStart();

  // The list and the search.
  void sortByColumn(int column);
  void searchTextChanged(const QString& text);
  void applySearchAfterDelay();
  void clearSearch();
  bool hasSelectedRow() const;
  void showEmptyListHint();
  // The highlight follows its record, found by record number, through every
  // rebuild of the rows: the number is kept whenever the selection changes
  // and looked for again whenever the rows are replaced.
  void rememberSelectedRecord();
  void reselectRememberedRecord();

  // The keyboard: the search box's own keys, and the list's.
  void focusSearch();
  bool searchBoxKey(QKeyEvent* event);
  bool recordListKey(QKeyEvent* event);

  // The record menu and the clipboard countdown in the status bar.
  void enableRecordMenuItems();
  void copyField(int field);
  void showCountdownStarted();
  void showCountdownPosition(int position);
  void showCountdownEnded();

  // Commands.
  void newRecord();
  void editSelectedRecord();
  void changeMasterPassword();
  void openAutoFill();
  void editOnDoubleClick();
  void deleteSelectedRecord();
  void openRecordWebAddress();
  void openSelectedWebAddress();
  void openTrayRecordWebAddress(const QByteArray& recordNumber);
  void openMakerWebSite();
  void closeProgram();
  void closeProgramFromTray();

  // Shown, hidden in the tray, and back.
  void hideToTray();
  void unlockFromTray();
  void showLockState();
  // Where the desktop has no tray: the locked window's records behind a
  // page that only offers to unlock.
  void coverRecords(bool cover);
  // A minute without input: the dialogs that show records or take their
  // changes close, unsaved changes are dropped, and the window goes to the tray.
  void lockAfterIdle();
  // The hot key and the tray's "Otomatik Doldur": at once while the window
  // is shown, after the master password while it is in the tray.
  void autoFillFromAnywhere();
  // The tray menu's "Web Adresine Bağlan" items: one per record flagged for
  // the tray, in file order.
  void buildTrayRecordMenu();

  std::string dataFilePath_;
  RecordTable records_;
  WindowLock windowLock_;
  SecretClipboard* secretClipboard_ = nullptr;
  TrayIcon* trayIcon_ = nullptr;
  IdleLock* idleLock_ = nullptr;
  std::unique_ptr<GlobalHotKey> hotKey_;
  QWidget* recordsUnderCover_ = nullptr;
  QTimer* searchDelay_ = nullptr;
  QLabel* header_ = nullptr;

  // Kept for the whole run: every search rebuilds the rows from the same
  // dates, and formatting them again is most of a refill's cost.
  RowDateFormats rowDateFormats_;
  RecordListModel* listModel_ = nullptr;
  RecordListView* recordList_ = nullptr;
  bool fittingColumns_ = false;
  bool columnsSizedByUser_ = false;
  // The record number of the selected row; empty when none is selected.
  std::string selectedRecordNumber_;
  QLineEdit* searchBox_ = nullptr;
  QLabel* statusPanels_[3] = {};
  QProgressBar* clipboardProgress_ = nullptr;
  QMenu* recordMenu_ = nullptr;
  QAction* autoFillItem_ = nullptr;
  QAction* closeAction_ = nullptr;
};

}  // namespace quilor
