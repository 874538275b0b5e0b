#pragma once

#include <QByteArray>
#include <QLabel>
#include <QList>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "CheckedSave.h"
#include "ColumnSort.h"
#include "EditorHost.h"
#include "ExeFolder.h"
#include "IdleProbe.h"
#include "LoginHost.h"
#include "RecordTable.h"
#include "Session.h"
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

  Session& session() { return session_; }
  RecordTable& records() { return session_.records(); }
  SecretClipboard& secretClipboard() { return *secretClipboard_; }
  TrayIcon& trayIcon() { return *trayIcon_; }
  IdleLock& idleLock() { return *idleLock_; }
  const WindowLock& windowLock() const { return windowLock_; }
  const QLabel& header() const { return *header_; }

  // Reads the data file again; then the tray record menu, the list and the
  // count are refreshed. When the read stops, the list is emptied.
  void loadRecords();

  // Sorts the table by the sort state and lists its records again: every
  // record, or while the search box holds text, those whose text holds it.
  // So box, rows and count agree after every change of the table (a header
  // click, a save, a delete, a reload). No row is selected afterwards. The
  // count panel is left alone.
  void fillRecordList();
  // "Toplam N Kayıt" for the rows the list holds.
  void showRecordCount();
  // The rows the search box asks for, from what the file holds: read again
  // only when the file changed since the last read.
  void applySearch();
  // Makes the selected row's record the table's current one; false when
  // no row is selected or the record is not in the table.
  bool findSelectedRecord();

  // LoginHost
  QString caption() const override { return windowTitle(); }
  void logIn(std::string_view password) override;
  bool unlock(std::string_view password) override;
  bool masterPasswordMatches(std::string_view password) const override;
  void changeMasterPassword(std::string_view password) override;
  void showMainWindow() override;
  void showTrayIcon() override;
  bool idleTimeAvailable() const override;
  void setIdleTimerActive(bool active) override;

  // EditorHost (caption is shared with LoginHost)
  RecordTable& recordTable() override { return session_.records(); }
  QStringList listedGroups() const override;
  int listedRowCount() const override;
  int selectedListRow() const override;
  void selectListRow(int row) override;
  void selectRecord(const std::string& recordNumber) override;
  bool makeSelectedRecordCurrent() override { return findSelectedRecord(); }
  void saveRecords(int enteredRecordId) override;

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
  bool locked() const { return windowLock_.locked(); }
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

  // What the user is told after a save, by what it did: changes from
  // elsewhere taken in; a record changed on both sides (the records were
  // read again; conflictText, then RecordsReloaded); a file that no longer
  // opens with the master password (nothing written; the action aborts).
  void tellSaveOutcome(SaveOutcome outcome, const QString& conflictText);
  // At the login: the copies a sync engine left beside the data file, and
  // the command that merges them back.
  void tellOfConflictCopies();

  // Commands.
  void importCsv();
  void exportCsv();
  void newRecord();
  void editSelectedRecord();
  void openChangeMasterPassword();
  void openAutoFill();
  void openPasswordHealth();
  void editRecordFromReport(const std::string& recordNumber);
  void editOnDoubleClick();
  void deleteSelectedRecord();
  void openWebAddress(const QString& address);
  void openSelectedWebAddress();
  void openTrayWebAddress(const QString& address);
  void openMakerWebSite();
  void closeProgram();
  void closeProgramFromTray();

  // Shown, hidden in the tray, and back.
  void hideToTray();
  void unlockFromTray();
  void showLockState();
  // Every lock goes this way: the open dialogs close with their answer that
  // changes nothing, then the window goes to the tray (or under its cover).
  void lockWindow();
  // While locked the list, the search box and the count show nothing, and
  // the record commands are off; on the way back the list is rebuilt from
  // the table with the search and the selected record it had.
  void showRecordsWhileUnlocked();
  void emptyRecordViews();
  void restoreRecordViews();
  void enableRecordCommands();
  // A tray host that goes away while the window is in it would leave the
  // user no way back: the window then goes under its cover at once.
  void followTrayHost();
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
  // The tray record menu, the list and the count, after the table changed.
  void refreshViews();
  // Runs a step that reads the file; when it stops, no row may stay whose
  // record is gone from the table.
  void readKeepingListHonest(const std::function<void()>& read);

  Session session_;
  SortState sortState_{"ALAN2", false};
  WindowLock windowLock_;
  SecretClipboard* secretClipboard_ = nullptr;
  TrayIcon* trayIcon_ = nullptr;
  IdleLock* idleLock_ = nullptr;
  std::unique_ptr<GlobalHotKey> hotKey_;
  QWidget* recordsUnderCover_ = nullptr;
  QTimer* trayWatch_ = nullptr;
  // The search the list showed when the window locked, for the way back;
  // the selected record waits in selectedRecordNumber_.
  struct HeldView {
    QString searchText;
  };
  std::optional<HeldView> heldView_;
  // The commands that read or change records; off while locked.
  QList<QAction*> recordCommands_;
  QWidget* searchPanel_ = nullptr;
  QTimer* searchDelay_ = nullptr;
  QLabel* header_ = nullptr;

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
