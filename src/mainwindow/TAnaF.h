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
struct TAnaFSetup {
  std::string dataFilePath = DataFilePath();
  bool askForLoginAtStart = true;
};

// The main window. Created hidden at start; shown only after a login.
class TAnaF : public QMainWindow, public LoginHost {
  Q_OBJECT

 public:
  explicit TAnaF(const TAnaFSetup& setup = TAnaFSetup(), QWidget* parent = nullptr);
  ~TAnaF() override;

  RecordTable& RxSifre() { return rxSifre_; }
  QSystemTrayIcon& RxTrayIcon1() { return rxTrayIcon1_; }
  QTimer& TimerIdle() { return timerIdle_; }
  const QLabel& PanelBaslik() const { return *panelBaslik_; }

  // LoadRecords of the store with this window's steps: on a wrong master
  // password the notice and the focus back into the login's password box;
  // on success the tray record menu, the list and the count are refreshed.
  void LoadRecords();

  // Sorts the table by the sort state and rebuilds every row; no row is
  // selected afterwards. The count panel is left alone.
  void FillRecordList();
  // "Toplam N Kayıt" for the rows the list holds.
  void ShowRecordCount();
  // Reloads, then keeps only the rows whose text holds searchText.
  void ApplySearch(const QString& searchText);
  // Makes the selected row's record the table's current one; false when
  // no row is selected or the record is not in the table.
  bool FindSelectedRecord();
  // The tray menu's "Web Adresine Bağlan" items: one per record flagged for
  // the tray, in file order.
  void BuildTrayRecordMenu();
  void HideToTray();

  // LoginHost
  QString caption() const override { return windowTitle(); }
  void loadRecords() override { LoadRecords(); }
  void showMainWindow() override;
  void showTrayIcon() override;
  bool idleTimeAvailable() const override { return idleProbe_->available(); }
  void setIdleTimerActive(bool active) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  // Runs once the event loop is up: the first thing the user sees is the login.
  void WMShowLogin();
  void TimerIdleTimer();

  void sListViewSifreColumnClick(int column);
  void sListViewSifreDblClick();
  void sEditAramaChange(const QString& text);
  void TimerKeypressTimer();
  void sBitBtn1Click();

  void PopupMenuPopup();
  void KullancAdPanoyaKopyala1Click(QAction* item);
  void ClipBoardTimerTimer();

  void ToolButtonDuzenleClick();
  void ToolButton10Click();
  void ToolButton4Click();
  // Hidden counts as locked: the window comes back only after the master
  // password has been typed again.
  void RxTrayIcon1DblClick();
  void WebadresiniA1Click();
  void TrayRecordItemClick(QAction* item);
  void MakerWebSiteClick();
  void KapatExecute();
  void Kapat2Click();

 private:
  void buildRecordList(QWidget* parent);
  QWidget* buildSearchPanel(QWidget* parent);
  void buildStatusBar();
  void buildPopupMenu();
  QToolBar* buildToolBar(QWidget* parent);
  void buildMainMenu();
  void buildTrayMenu();

  bool hasSelectedRow() const;
  void OpenRecordWebAddress();

  std::string dataFilePath_;
  RecordTable rxSifre_;
  std::unique_ptr<GlobalHotKey> hotKey_;
  std::unique_ptr<IdleProbe> idleProbe_;
  QSystemTrayIcon rxTrayIcon1_;
  QTimer timerIdle_;
  QTimer* timerKeypress_ = nullptr;
  QTimer* clipBoardTimer_ = nullptr;
  ClipboardCountdown clipboardCountdown_;
  QLabel* panelBaslik_ = nullptr;

  // Kept for the whole run: every search rebuilds the rows from the same
  // dates, and formatting them again is most of a refill's cost.
  RowDateFormats rowDateFormats_;
  RecordListModel* listModel_ = nullptr;
  QTableView* sListViewSifre_ = nullptr;
  QLineEdit* sEditArama_ = nullptr;
  QLabel* statusPanels_[3] = {};
  QProgressBar* sProgressBar1_ = nullptr;
  QMenu* popupMenu_ = nullptr;
  QAction* otomatikDoldur1_ = nullptr;
  QMenu* popupMenuTray_ = nullptr;
  QMenu* webAdresineBalan1_ = nullptr;
  QAction* kapat_ = nullptr;
};

}  // namespace quilor
