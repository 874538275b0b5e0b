// How the main window is put together: list, search panel, status bar,
// toolbar, menus. The handlers live beside it, one file per job.
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "AboutDialog.h"
#include "ErrorDisplay.h"
#include "MainWindowTexts.h"
#include "ProcessState.h"
#include "RecordListModel.h"
#include "TAnaF.h"
#include "UpdateChecker.h"

namespace quilor {

namespace {

QAction* AddNamedAction(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

// The clipboard items name the field they copy; the name is internal and
// never shown as help.
struct CopyItem {
  const char* name;
  const QString& caption;
  const char* field;
};

}  // namespace

void TAnaF::buildRecordList(QWidget* parent) {
  listModel_ = new RecordListModel(this);
  listModel_->setHeaderGlyph(0, GlyphForDirection(SortDescending));

  sListViewSifre_ = new QTableView(parent);
  sListViewSifre_->setObjectName(QStringLiteral("sListViewSifre"));
  sListViewSifre_->setAccessibleName(texts::kRecordListName);
  sListViewSifre_->setModel(listModel_);
  sListViewSifre_->setSelectionBehavior(QAbstractItemView::SelectRows);
  sListViewSifre_->setSelectionMode(QAbstractItemView::SingleSelection);
  sListViewSifre_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sListViewSifre_->setShowGrid(true);
  sListViewSifre_->setWordWrap(false);
  sListViewSifre_->setIconSize(QSize(16, 16));
  sListViewSifre_->setTabKeyNavigation(false);
  sListViewSifre_->verticalHeader()->hide();
  // Fixed row heights keep a list of thousands of rows cheap to lay out.
  sListViewSifre_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  sListViewSifre_->verticalHeader()->setDefaultSectionSize(sListViewSifre_->fontMetrics().height() +
                                                           6);

  QHeaderView* header = sListViewSifre_->horizontalHeader();
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(false);
  header->setHighlightSections(false);
  header->setStretchLastSection(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (int c = 0; c < kListColumnCount; ++c) header->resizeSection(c, texts::kColumnWidths[c]);

  // The selected row stays highlighted when the list loses the focus.
  QPalette palette = sListViewSifre_->palette();
  palette.setColor(QPalette::Inactive, QPalette::Highlight,
                   palette.color(QPalette::Active, QPalette::Highlight));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   palette.color(QPalette::Active, QPalette::HighlightedText));
  sListViewSifre_->setPalette(palette);

  sListViewSifre_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(sListViewSifre_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    Guarded([&] { popupMenu_->popup(sListViewSifre_->viewport()->mapToGlobal(pos)); });
  });
  connect(header, &QHeaderView::sectionClicked, this, &TAnaF::sListViewSifreColumnClick);
  connect(sListViewSifre_, &QAbstractItemView::doubleClicked, this, &TAnaF::sListViewSifreDblClick);
  sListViewSifre_->installEventFilter(this);
}

QWidget* TAnaF::buildSearchPanel(QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QStringLiteral("PanelArama"));
  auto* layout = new QHBoxLayout(panel);
  layout->setContentsMargins(6, 4, 6, 4);

  auto* label = new QLabel(texts::kSearchLabel, panel);
  sEditArama_ = new QLineEdit(panel);
  sEditArama_->setObjectName(QStringLiteral("sEditArama"));
  sEditArama_->setAccessibleName(texts::kSearchLabel);
  sEditArama_->setMinimumWidth(250);
  label->setBuddy(sEditArama_);

  auto* clear = new QToolButton(panel);
  clear->setObjectName(QStringLiteral("sBitBtn1"));
  clear->setIcon(style()->standardIcon(QStyle::SP_LineEditClearButton));
  clear->setAccessibleName(texts::kClearSearchName);
  clear->setToolTip(texts::kClearSearchName);

  auto* hotKey = new QLabel(texts::kHotKeyLabel, panel);
  hotKey->setObjectName(QStringLiteral("LabelKisayol"));

  layout->addWidget(label);
  layout->addWidget(sEditArama_);
  layout->addWidget(clear);
  layout->addStretch(1);
  layout->addWidget(hotKey);

  timerKeypress_ = new QTimer(this);
  timerKeypress_->setObjectName(QStringLiteral("TimerKeypress"));
  timerKeypress_->setInterval(250);
  connect(sEditArama_, &QLineEdit::textChanged, this, &TAnaF::sEditAramaChange);
  connect(timerKeypress_, &QTimer::timeout, this, &TAnaF::TimerKeypressTimer);
  connect(clear, &QToolButton::clicked, this, &TAnaF::sBitBtn1Click);
  return panel;
}

void TAnaF::buildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("sStatusBar1"));
  constexpr int kPanelWidths[3] = {150, 300, 50};
  for (int i = 0; i < 3; ++i) {
    statusPanels_[i] = new QLabel(bar);
    statusPanels_[i]->setObjectName(QStringLiteral("sStatusBar1Panel%1").arg(i));
  }
  statusPanels_[0]->setFixedWidth(kPanelWidths[0]);
  statusPanels_[1]->setFixedWidth(kPanelWidths[1]);
  // The last panel runs to the window's edge, so a long count is never cut.
  statusPanels_[2]->setMinimumWidth(kPanelWidths[2]);
  bar->addWidget(statusPanels_[0]);
  bar->addWidget(statusPanels_[1]);
  bar->addWidget(statusPanels_[2], 1);

  auto* overPanel = new QHBoxLayout(statusPanels_[1]);
  overPanel->setContentsMargins(0, 2, 0, 2);
  sProgressBar1_ = new QProgressBar(statusPanels_[1]);
  sProgressBar1_->setObjectName(QStringLiteral("sProgressBar1"));
  sProgressBar1_->setAccessibleName(texts::kClipboardTimeName);
  sProgressBar1_->setRange(0, ClipboardCountdown::kTicks);
  sProgressBar1_->setTextVisible(false);
  sProgressBar1_->hide();
  overPanel->addWidget(sProgressBar1_);

  clipBoardTimer_ = new QTimer(this);
  clipBoardTimer_->setObjectName(QStringLiteral("ClipBoardTimer"));
  clipBoardTimer_->setInterval(100);
  connect(clipBoardTimer_, &QTimer::timeout, this, &TAnaF::ClipBoardTimerTimer);
}

void TAnaF::buildPopupMenu() {
  popupMenu_ = new QMenu(this);
  popupMenu_->setObjectName(QStringLiteral("PopupMenu"));
  const CopyItem copyItems[] = {
      {"KullancAdPanoyaKopyala1", texts::kCopyUserName, "ALAN3"},
      {"ifreyiPanoyaKopyala1", texts::kCopyPassword, "ALAN4"},
      {"ifre2yiPanoyaKopyala1", texts::kCopyPassword2, "ALAN5"},
      {"WebAdresiniKopyala1", texts::kCopyWebAddress, "ALAN7"},
      {"zelKod1iPanoyaKoyala1", texts::kCopySpecialCode1, "ALAN8"},
      {"zelKod2yiPanoyaKopyala1", texts::kCopySpecialCode2, "ALAN9"},
  };
  for (const CopyItem& item : copyItems) {
    QAction* action = AddNamedAction(popupMenu_, item.name, item.caption);
    action->setData(QString::fromLatin1(item.field));
    connect(action, &QAction::triggered, this,
            [this, action] { KullancAdPanoyaKopyala1Click(action); });
  }
  popupMenu_->addSeparator()->setObjectName(QStringLiteral("N2"));
  otomatikDoldur1_ = AddNamedAction(popupMenu_, "OtomatikDoldur1", texts::kAutoFill);
  QAction* openWeb = AddNamedAction(popupMenu_, "WebadresiniA1", texts::kOpenWebAddress);
  connect(openWeb, &QAction::triggered, this, &TAnaF::WebadresiniA1Click);
  connect(popupMenu_, &QMenu::aboutToShow, this, &TAnaF::PopupMenuPopup);
}

QToolBar* TAnaF::buildToolBar(QWidget* parent) {
  auto* bar = new QToolBar(parent);
  bar->setObjectName(QStringLiteral("sToolBar1"));
  bar->setIconSize(QSize(32, 32));
  bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  bar->setMovable(false);

  auto add = [&](const char* name, QStyle::StandardPixmap image, const QString& caption,
                 const QString& hint) {
    QAction* action = bar->addAction(style()->standardIcon(image), caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(hint.isEmpty() ? caption : hint);
    QWidget* button = bar->widgetForAction(action);
    button->setObjectName(QString::fromLatin1(name));
    button->setCursor(Qt::PointingHandCursor);
    return action;
  };

  add("ToolButton1", QStyle::SP_FileIcon, texts::kNewRecord, texts::kNewRecordHint);
  connect(
      add("ToolButtonDuzenle", QStyle::SP_FileDialogContentsView, texts::kEdit, texts::kEditHint),
      &QAction::triggered, this, &TAnaF::ToolButtonDuzenleClick);
  QAction* operations = add("ToolButton11", QStyle::SP_FileDialogDetailedView, texts::kOperations,
                            texts::kOperationsHint);
  operations->setMenu(popupMenu_);
  static_cast<QToolButton*>(bar->widgetForAction(operations))
      ->setPopupMode(QToolButton::InstantPopup);
  connect(add("ToolButton10", QStyle::SP_TrashIcon, texts::kDelete, texts::kDeleteHint),
          &QAction::triggered, this, &TAnaF::ToolButton10Click);
  bar->addSeparator();
  add("ToolButton7", QStyle::SP_DialogResetButton, texts::kChangeMasterPassword,
      texts::kChangeMasterPasswordHint);
  bar->addSeparator();
  connect(add("ToolButton4", QStyle::SP_ArrowDown, texts::kHide, {}), &QAction::triggered, this,
          &TAnaF::ToolButton4Click);

  kapat_ = add("ToolButton2", QStyle::SP_DialogCloseButton, texts::kClose, {});
  kapat_->setShortcut(Qt::Key_Escape);
  kapat_->setShortcutContext(Qt::WindowShortcut);
  connect(kapat_, &QAction::triggered, this, &TAnaF::KapatExecute);
  return bar;
}

void TAnaF::buildMainMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* file = bar->addMenu(texts::kFileMenu);
  file->setObjectName(QStringLiteral("Dosya1"));
  connect(AddNamedAction(file, "SrmKaontrol1", texts::kVersionCheck), &QAction::triggered, this,
          [this] { Guarded([this] { RunUpdateCheck(this); }); });
  connect(AddNamedAction(file, "WebSitesi1", texts::kMakerWebAddress), &QAction::triggered, this,
          &TAnaF::MakerWebSiteClick);
  connect(AddNamedAction(file, "Hakknda1", texts::kAbout), &QAction::triggered, this,
          [this] { Guarded([this] { ShowAbout(this); }); });
  // The same close action as the toolbar's "Kapat" and the Esc key.
  file->addAction(kapat_);
}

void TAnaF::buildTrayMenu() {
  popupMenuTray_ = new QMenu(this);
  popupMenuTray_->setObjectName(QStringLiteral("PopupMenuTray"));
  webAdresineBalan1_ = popupMenuTray_->addMenu(texts::kConnectToWebAddress);
  webAdresineBalan1_->setObjectName(QStringLiteral("WebAdresineBalan1"));
  webAdresineBalan1_->menuAction()->setObjectName(QStringLiteral("WebAdresineBalan1"));
  connect(webAdresineBalan1_, &QMenu::triggered, this, &TAnaF::TrayRecordItemClick);
  AddNamedAction(popupMenuTray_, "OtomatikDoldur2", texts::kAutoFill);
  connect(AddNamedAction(popupMenuTray_, "Kapat2", texts::kClose), &QAction::triggered, this,
          &TAnaF::Kapat2Click);
  rxTrayIcon1_.setContextMenu(popupMenuTray_);
}

}  // namespace quilor
