#include "TAnaF.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "ErrorDisplay.h"
#include "Identity.h"
#include "Info.h"
#include "ListGlyphs.h"
#include "ProcessState.h"
#include "ProtectedRecords.h"
#include "RecordListModel.h"
#include "TQ_PassWordF.h"

namespace quilor {

TAnaF::TAnaF(const TAnaFSetup& setup, QWidget* parent)
    : QMainWindow(parent),
      dataFilePath_(setup.dataFilePath),
      hotKey_(MakeGlobalHotKey()),
      idleProbe_(MakeIdleProbe()) {
  hotKey_->registerHotKey([] {});

  setObjectName(QStringLiteral("TAnaF"));
  setWindowTitle(MainCaption());
  rxTrayIcon1_.setToolTip(windowTitle());
  setWindowIcon(PadlockGlyph(32));
  rxTrayIcon1_.setIcon(windowIcon());
  connect(&rxTrayIcon1_, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::DoubleClick) RxTrayIcon1DblClick();
          });
  resize(1000, 650);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  panelBaslik_ = new QLabel(HeaderCaption(), central);
  panelBaslik_->setObjectName(QStringLiteral("PanelBaslik"));
  QFont headerFont = panelBaslik_->font();
  headerFont.setBold(true);
  headerFont.setPointSizeF(headerFont.pointSizeF() * 1.25);
  panelBaslik_->setFont(headerFont);
  panelBaslik_->setContentsMargins(4, 6, 4, 6);
  layout->addWidget(panelBaslik_);

  buildPopupMenu();
  layout->addWidget(buildToolBar(central));
  buildRecordList(central);
  layout->addWidget(sListViewSifre_, 1);
  layout->addWidget(buildSearchPanel(central));
  setCentralWidget(central);
  buildStatusBar();
  buildMainMenu();
  buildTrayMenu();
  // Typing right after the login searches; Tab moves on to the list.
  setTabOrder(sEditArama_, sListViewSifre_);
  sEditArama_->setFocus();

  if (setup.askForLoginAtStart) {
    QMetaObject::invokeMethod(this, &TAnaF::WMShowLogin, Qt::QueuedConnection);
  }
  rxSifre_.activate();

  timerIdle_.setInterval(500);
  connect(&timerIdle_, &QTimer::timeout, this, &TAnaF::TimerIdleTimer);
  timerIdle_.start();
}

TAnaF::~TAnaF() = default;

void TAnaF::WMShowLogin() {
  Guarded([this] {
    // A login that is abandoned asks the application to quit from inside the
    // dialog; the program then ends once this handler has returned.
    TQ_PassWordF dialog(*this, dataFilePath_);
    dialog.exec();
  });
}

void TAnaF::LoadRecords() {
  LoadSteps steps;
  steps.reportWrongPassword = [] {
    ShowInfo(QString::fromUtf8(kWrongMasterPasswordText));
    FocusPasswordAfterWrongLogin();
  };
  steps.refreshViews = [this] {
    BuildTrayRecordMenu();
    FillRecordList();
    ShowRecordCount();
  };
  try {
    quilor::LoadRecords(rxSifre_, dataFilePath_, MasterPassword, steps);
  } catch (...) {
    // A load that stops leaves the table empty or partly deciphered: no row
    // may stay whose record is gone from it.
    if (listModel_->rowCount() > 0) {
      listModel_->setRows({});
      ShowRecordCount();
    }
    throw;
  }
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
