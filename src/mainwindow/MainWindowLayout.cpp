// How the main window is put together: list, search panel, status bar,
// toolbar, menus. The handlers live beside it, one file per job.
#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "AboutDialog.h"
#include "ClipboardCountdown.h"
#include "ColumnWidths.h"
#include "ErrorDisplay.h"
#include "Fields.h"
#include "HealthTexts.h"
#include "MainWindow.h"
#include "MainWindowTexts.h"
#include "MakerContacts.h"
#include "OneLineBox.h"
#include "RecordListModel.h"
#include "RecordListView.h"
#include "UpdateChecker.h"

namespace quilor {

namespace {

QAction* AddNamedAction(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

// One copy item of the record menu, the field it copies and its key.
struct CopyItem {
  const char* name;
  const QString& caption;
  int field;
  QKeySequence shortcut;
};

}  // namespace

void MainWindow::buildRecordList(QWidget* parent) {
  listModel_ = new RecordListModel(this);
  listModel_->setHeaderGlyph(0, GlyphForDirection(sortState_.descending));

  recordList_ = new RecordListView(parent);
  recordList_->setObjectName(QStringLiteral("recordList"));
  recordList_->setAccessibleName(texts::kRecordListName);
  recordList_->setModel(listModel_);
  // After the view's own reset, which clears the selection without a word.
  connect(recordList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &MainWindow::rememberSelectedRecord);
  connect(listModel_, &QAbstractItemModel::modelReset, this, &MainWindow::reselectRememberedRecord);
  recordList_->setSelectionBehavior(QAbstractItemView::SelectRows);
  recordList_->setSelectionMode(QAbstractItemView::SingleSelection);
  recordList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  recordList_->setShowGrid(true);
  recordList_->setWordWrap(false);
  recordList_->setIconSize(QSize(16, 16));
  recordList_->setTabKeyNavigation(false);
  recordList_->verticalHeader()->hide();
  // Fixed row heights keep a list of thousands of rows cheap to lay out.
  recordList_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  recordList_->verticalHeader()->setDefaultSectionSize(recordList_->fontMetrics().height() + 6);

  QHeaderView* header = recordList_->horizontalHeader();
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(false);
  header->setHighlightSections(false);
  header->setStretchLastSection(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (int c = 0; c < kListColumnCount; ++c) header->resizeSection(c, texts::kColumnWidths[c]);
  connect(recordList_, &RecordListView::viewportResized, this, &MainWindow::fitColumnsToList);
  connect(header, &QHeaderView::sectionResized, this, [this] {
    if (!fittingColumns_) columnsSizedByUser_ = true;
  });

  // The selected row stays highlighted when the list loses the focus.
  QPalette palette = recordList_->palette();
  palette.setColor(QPalette::Inactive, QPalette::Highlight,
                   palette.color(QPalette::Active, QPalette::Highlight));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   palette.color(QPalette::Active, QPalette::HighlightedText));
  recordList_->setPalette(palette);

  recordList_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(recordList_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    Guarded([&] {
      if (!locked()) recordMenu_->popup(recordList_->viewport()->mapToGlobal(pos));
    });
  });
  connect(header, &QHeaderView::sectionClicked, this, &MainWindow::sortByColumn);
  connect(recordList_, &QAbstractItemView::doubleClicked, this, &MainWindow::editOnDoubleClick);
}

void MainWindow::fitColumnsToList() {
  if (columnsSizedByUser_) return;
  // The widest date and time of day the list can show, in the user's formats.
  const double widestDay = QDate(1899, 12, 30).daysTo(QDate(2028, 12, 28));
  const RowDateFormats& formats = listModel_->dateFormats();
  const QString dates[3] = {formats.date(widestDay), formats.dateAndTime(widestDay, 0.99999),
                            formats.dateAndTime(widestDay, 0.99999)};
  const QFontMetrics cell = recordList_->fontMetrics();
  const QFontMetrics caption = recordList_->horizontalHeader()->fontMetrics();
  // Cells have a margin on each side; the header also holds the sort arrow.
  const int cellMargin = cell.averageCharWidth() * 2;
  const int arrowRoom = 16 + caption.averageCharWidth() * 4;
  std::array<int, 3> dateWidths{};
  for (int d = 0; d < 3; ++d) {
    dateWidths[d] = std::max(cell.horizontalAdvance(dates[d]) + cellMargin,
                             caption.horizontalAdvance(texts::kColumnCaptions[6 + d]) + arrowRoom);
  }
  const auto widths =
      FitColumnWidths(recordList_->viewport()->width(), dateWidths, cell.averageCharWidth() * 6);
  fittingColumns_ = true;
  for (int c = 0; c < kListColumnCount; ++c) {
    recordList_->horizontalHeader()->resizeSection(c, widths[std::size_t(c)]);
  }
  fittingColumns_ = false;
}

QWidget* MainWindow::buildSearchPanel(QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QStringLiteral("searchPanel"));
  searchPanel_ = panel;
  auto* layout = new QHBoxLayout(panel);
  layout->setContentsMargins(6, 4, 6, 4);

  auto* label = new QLabel(texts::kSearchLabel, panel);
  searchBox_ = new QLineEdit(panel);
  searchBox_->setObjectName(QStringLiteral("searchBox"));
  searchBox_->setAccessibleName(texts::kSearchLabel);
  searchBox_->setMinimumWidth(250);
  KeepOnOneLine(searchBox_);
  label->setBuddy(searchBox_);

  auto* clear = new QToolButton(panel);
  clear->setObjectName(QStringLiteral("clearSearchButton"));
  clear->setIcon(style()->standardIcon(QStyle::SP_LineEditClearButton));
  clear->setAccessibleName(texts::kClearSearchName);
  clear->setToolTip(texts::kClearSearchName);

  auto* hotKey = new QLabel(texts::kHotKeyLabel, panel);
  hotKey->setObjectName(QStringLiteral("hotKeyLabel"));

  layout->addWidget(label);
  layout->addWidget(searchBox_);
  layout->addWidget(clear);
  layout->addStretch(1);
  layout->addWidget(hotKey);

  searchDelay_ = new QTimer(this);
  searchDelay_->setObjectName(QStringLiteral("searchDelay"));
  searchDelay_->setInterval(250);
  connect(searchBox_, &QLineEdit::textChanged, this, &MainWindow::searchTextChanged);
  connect(searchDelay_, &QTimer::timeout, this, &MainWindow::applySearchAfterDelay);
  connect(clear, &QToolButton::clicked, this, &MainWindow::clearSearch);
  return panel;
}

void MainWindow::buildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("statusBar"));
  constexpr int kPanelWidths[3] = {150, 300, 50};
  for (int i = 0; i < 3; ++i) {
    statusPanels_[i] = new QLabel(bar);
    statusPanels_[i]->setObjectName(QStringLiteral("statusPanel%1").arg(i));
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
  clipboardProgress_ = new QProgressBar(statusPanels_[1]);
  clipboardProgress_->setObjectName(QStringLiteral("clipboardProgress"));
  clipboardProgress_->setAccessibleName(texts::kClipboardTimeName);
  clipboardProgress_->setRange(0, ClipboardCountdown::kTicks);
  clipboardProgress_->setTextVisible(false);
  clipboardProgress_->hide();
  overPanel->addWidget(clipboardProgress_);
}

void MainWindow::buildRecordMenu() {
  recordMenu_ = new QMenu(this);
  recordMenu_->setObjectName(QStringLiteral("recordMenu"));
  // The keys other password managers use for the same commands.
  const CopyItem copyItems[] = {
      {"copyUserName", texts::kCopyUserName, Field::UserName, Qt::CTRL | Qt::Key_B},
      {"copyPassword", texts::kCopyPassword, Field::Password, Qt::CTRL | Qt::Key_C},
      {"copyPassword2", texts::kCopyPassword2, Field::Password2, {}},
      {"copyWebAddress", texts::kCopyWebAddress, Field::WebAddress, {}},
      {"copyCode1", texts::kCopySpecialCode1, Field::Code1, {}},
      {"copyCode2", texts::kCopySpecialCode2, Field::Code2, {}},
  };
  for (const CopyItem& item : copyItems) {
    const int field = item.field;
    QAction* copy = AddNamedAction(recordMenu_, item.name, item.caption);
    copy->setShortcut(item.shortcut);
    connect(copy, &QAction::triggered, this, [this, field] { copyField(field); });
  }
  recordMenu_->addSeparator();
  autoFillItem_ = AddNamedAction(recordMenu_, "autoFill", texts::kAutoFill);
  connect(autoFillItem_, &QAction::triggered, this, [this] {
    if (!locked()) openAutoFill();
  });
  QAction* openWeb = AddNamedAction(recordMenu_, "openWebAddress", texts::kOpenWebAddress);
  openWeb->setShortcut(Qt::CTRL | Qt::Key_U);
  connect(openWeb, &QAction::triggered, this, &MainWindow::openSelectedWebAddress);
  connect(recordMenu_, &QMenu::aboutToShow, this, &MainWindow::enableRecordMenuItems);
}

QToolBar* MainWindow::buildToolBar(QWidget* parent) {
  auto* bar = new QToolBar(parent);
  bar->setObjectName(QStringLiteral("toolBar"));
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

  connect(add("newRecord", QStyle::SP_FileIcon, texts::kNewRecord, texts::kNewRecordHint),
          &QAction::triggered, this, &MainWindow::newRecord);
  connect(add("editRecord", QStyle::SP_FileDialogContentsView, texts::kEdit, texts::kEditHint),
          &QAction::triggered, this, &MainWindow::editSelectedRecord);
  QAction* operations = add("operations", QStyle::SP_FileDialogDetailedView, texts::kOperations,
                            texts::kOperationsHint);
  operations->setMenu(recordMenu_);
  static_cast<QToolButton*>(bar->widgetForAction(operations))
      ->setPopupMode(QToolButton::InstantPopup);
  QAction* remove = add("deleteRecord", QStyle::SP_TrashIcon, texts::kDelete, texts::kDeleteHint);
  remove->setShortcut(Qt::Key_Delete);
  connect(remove, &QAction::triggered, this, &MainWindow::deleteSelectedRecord);
  bar->addSeparator();
  connect(add("changeMasterPassword", QStyle::SP_DialogResetButton, texts::kChangeMasterPassword,
              texts::kChangeMasterPasswordHint),
          &QAction::triggered, this, &MainWindow::openChangeMasterPassword);
  bar->addSeparator();
  connect(add("hideToTray", QStyle::SP_ArrowDown, texts::kHide, {}), &QAction::triggered, this,
          &MainWindow::hideToTray);

  closeAction_ = add("close", QStyle::SP_DialogCloseButton, texts::kClose, {});
  closeAction_->setShortcut(Qt::Key_Escape);
  closeAction_->setShortcutContext(Qt::WindowShortcut);
  connect(closeAction_, &QAction::triggered, this, &MainWindow::closeProgram);
  return bar;
}

void MainWindow::buildMainMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("mainMenu"));
  QMenu* file = bar->addMenu(texts::kFileMenu);
  file->setObjectName(QStringLiteral("fileMenu"));
  connect(AddNamedAction(file, "passwordHealth", health_texts::kTitle), &QAction::triggered, this,
          &MainWindow::openPasswordHealth);
  connect(AddNamedAction(file, "importCsv", texts::kImportCsv), &QAction::triggered, this,
          &MainWindow::importCsv);
  connect(AddNamedAction(file, "exportCsv", texts::kExportCsv), &QAction::triggered, this,
          &MainWindow::exportCsv);
  file->addSeparator();
  connect(AddNamedAction(file, "versionCheck", texts::kVersionCheck), &QAction::triggered, this,
          [this] { Guarded([this] { RunUpdateCheck(this); }); });
  connect(AddNamedAction(file, "makerWebSite", maker::kWebAddress), &QAction::triggered, this,
          &MainWindow::openMakerWebSite);
  connect(AddNamedAction(file, "about", texts::kAbout), &QAction::triggered, this,
          [this] { Guarded([this] { ShowAbout(this); }); });
  // The same command as the toolbar's "Kapat" and the Esc key, without the
  // key beside it: in a menu, Esc closes the menu.
  connect(AddNamedAction(file, "closeFromMenu", texts::kClose), &QAction::triggered, this,
          &MainWindow::closeProgram);
}

}  // namespace quilor
