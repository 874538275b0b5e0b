#include "AutoFillDialog.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>

#include "AutoFillTexts.h"
#include "Cp1254.h"
#include "ErrorDisplay.h"
#include "Info.h"
#include "ScriptPieces.h"
#include "ScriptRun.h"
#include "SilentAbort.h"
#include "WaylandSession.h"
#include "WindowForeground.h"

namespace quilor {

namespace {

namespace texts = autofill_texts;

// Where an item of the record list finds its record among those collected.
constexpr int kListedIndexRole = Qt::UserRole;
// Window titles are read up to this many characters; a longer one is still
// found, by its beginning.
constexpr int kTitleLimit = 200;

QTreeWidget* MakeList(QWidget* parent, const char* name, const QString& column) {
  auto* list = new QTreeWidget(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setAccessibleName(column);
  list->setHeaderLabels({column});
  list->setRootIsDecorated(false);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->header()->setSectionsClickable(false);
  // The choice stays plain to see while the other list has the focus.
  QPalette palette = list->palette();
  palette.setColor(QPalette::Inactive, QPalette::Highlight,
                   palette.color(QPalette::Active, QPalette::Highlight));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   palette.color(QPalette::Active, QPalette::HighlightedText));
  list->setPalette(palette);
  return list;
}

QTreeWidgetItem* SelectedItem(const QTreeWidget& list) {
  const QList<QTreeWidgetItem*> selected = list.selectedItems();
  return selected.isEmpty() ? nullptr : selected.first();
}

void ShowEngineMessage(EngineMessage message) {
  QMessageBox box(QMessageBox::NoIcon, texts::kEngineCaption,
                  QString::fromLatin1(EngineMessageText(message)), QMessageBox::Ok);
  box.exec();
}

}  // namespace

AutoFillDialog* AutoFillDialog::current_ = nullptr;

AutoFillDialog::AutoFillDialog(RecordTable& records, AutoFillDesktop& desktop,
                               const AutoFillOpening& opening, QWidget* parent)
    : QDialog(parent), records_(records), desktop_(desktop) {
  current_ = this;
  setObjectName(QStringLiteral("AutoFillDialog"));
  setWindowTitle(opening.caption);
  setSizeGripEnabled(true);

  auto* page = new QVBoxLayout(this);
  auto* header = new QLabel(texts::kHeader, this);
  header->setObjectName(QStringLiteral("header"));
  QFont bold = header->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.3);
  header->setFont(bold);
  page->addWidget(header);

  auto* lists = new QHBoxLayout;
  auto* recordColumn = new QVBoxLayout;
  recordList_ = MakeList(this, "recordList", texts::kRecordsColumn);
  showAll_ = new QCheckBox(texts::kShowAll, this);
  showAll_->setObjectName(QStringLiteral("showAll"));
  showAll_->hide();
  recordColumn->addWidget(recordList_, 1);
  recordColumn->addWidget(showAll_);
  auto* windowColumn = new QVBoxLayout;
  windowList_ = MakeList(this, "windowList", texts::kWindowsColumn);
  windowColumn->addWidget(windowList_, 1);
  if (IsWaylandSession()) {
    auto* note = new QLabel(texts::kWaylandNote, this);
    note->setObjectName(QStringLiteral("waylandNote"));
    note->setWordWrap(true);
    windowColumn->addWidget(note);
  }
  lists->addLayout(recordColumn, 2);
  lists->addLayout(windowColumn, 3);
  page->addLayout(lists, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  confirmButton_ = new QPushButton(texts::kConfirm, this);
  confirmButton_->setObjectName(QStringLiteral("confirmButton"));
  confirmButton_->setDefault(true);
  auto* cancelButton = new QPushButton(texts::kCancel, this);
  cancelButton->setObjectName(QStringLiteral("cancelButton"));
  buttons->addWidget(confirmButton_);
  buttons->addWidget(cancelButton);
  page->addLayout(buttons);
  connect(confirmButton_, &QPushButton::clicked, this, &AutoFillDialog::confirm);
  // Esc closes the dialog as well: QDialog rejects on it.
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(showAll_, &QCheckBox::toggled, this,
          [this] { Guarded([this] { showRecords(selectedRecord()); }); });

  resize(640, 420);
  collectRecords(opening);
  fillWindowList();
  windowChosen();
  connect(windowList_, &QTreeWidget::itemSelectionChanged, this,
          [this] { Guarded([this] { windowChosen(); }); });
}

AutoFillDialog::~AutoFillDialog() { current_ = nullptr; }

void AutoFillDialog::collectRecords(const AutoFillOpening& opening) {
  for (records_.first(); !records_.eof(); records_.next()) {
    Listed record{FromCp1254(records_.text(Field::Title)), records_.text(Field::RecordNumber),
                  records_.remember(), !records_.text(Field::AutoFillScript).empty()};
    // With several records of that title, the last one is chosen.
    if (opening.mainWindowVisible && !opening.selectedRecordTitle.isNull() &&
        record.title == opening.selectedRecordTitle) {
      openingChoice_ = listed_.size();
    }
    fitKeys_.push_back(MakeFitKeys(records_.text(Field::Title), records_.text(Field::WebAddress)));
    listed_.push_back(std::move(record));
  }
}

void AutoFillDialog::windowChosen() {
  const QTreeWidgetItem* window = SelectedItem(*windowList_);
  fits_ = window == nullptr ? std::vector<WindowFit>{}
                            : FitsForWindow(FoldedWindowTitle(window->text(0)), fitKeys_);
  const QSignalBlocker quiet(showAll_);
  showAll_->setChecked(false);
  showAll_->setVisible(fits_.size() > 1);
  if (!fits_.empty()) {
    showRecords(fits_.front().record);
  } else if (const std::optional<std::size_t> kept = selectedRecord()) {
    showRecords(kept);
  } else {
    showRecords(openingChoice_);
  }
}

void AutoFillDialog::showRecords(std::optional<std::size_t> choice) {
  std::vector<std::size_t> shown;
  if (fits_.size() > 1 && !showAll_->isChecked()) {
    for (const WindowFit& fit : fits_) shown.push_back(fit.record);
  } else {
    for (std::size_t i = 0; i < listed_.size(); ++i) shown.push_back(i);
  }
  recordList_->clear();
  const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
  for (const std::size_t index : shown) {
    const Listed& record = listed_[index];
    auto* item = new QTreeWidgetItem(
        recordList_, {record.ownScript ? record.title : record.title + texts::kDefaultScriptMark});
    item->setIcon(0, icon);
    item->setData(0, kListedIndexRole, qulonglong(index));
    if (choice == index) recordList_->setCurrentItem(item);
  }
}

std::optional<std::size_t> AutoFillDialog::selectedRecord() const {
  const QTreeWidgetItem* item = SelectedItem(*recordList_);
  if (item == nullptr) return std::nullopt;
  return std::size_t(item->data(0, kListedIndexRole).toULongLong());
}

// Our own windows are not in the list, so the window the user worked in
// before opening the dialog is the first one collected, whether the main
// window is shown or not. Untitled windows are collected but not listed: when
// that first window has no title, nothing is preselected.
void AutoFillDialog::fillWindowList() {
  const QIcon icon = style()->standardIcon(QStyle::SP_TitleBarNormalButton);
  const std::vector<DesktopWindow> windows = desktop_.applicationWindows();
  for (std::size_t i = 0; i < windows.size(); ++i) {
    const QString title = QString::fromUtf8(windows[i].title).left(kTitleLimit);
    if (title.isEmpty()) continue;
    auto* item = new QTreeWidgetItem(windowList_, {title});
    item->setIcon(0, icon);
    if (i == 0) windowList_->setCurrentItem(item);
  }
}

void AutoFillDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  centreOnDesktop();
  // The window is mapped only after this event returns; the window manager
  // can bring it forward once it is.
  QTimer::singleShot(0, this, [this] { Guarded([this] { ForceToForeground(windowHandle()); }); });
  if (SelectedItem(*recordList_) == nullptr && recordList_->topLevelItemCount() > 0) {
    recordList_->setCurrentItem(recordList_->topLevelItem(0));
  }
  // One record fits the window the user came from: Enter fills it in.
  if (fits_.size() == 1) {
    confirmButton_->setFocus();
  } else {
    recordList_->setFocus();
  }
}

void AutoFillDialog::centreOnDesktop() {
  const QRect desktop = screen()->availableGeometry();
  move(desktop.center() - QPoint(width() / 2, height() / 2));
}

void AutoFillDialog::confirm() {
  Guarded([this] {
    const std::optional<std::size_t> record = selectedRecord();
    const QTreeWidgetItem* window = SelectedItem(*windowList_);
    AbortWithInfo(!record || window == nullptr, texts::kPickBoth);
    if (!makeCurrent(listed_[*record])) return;
    const std::vector<ScriptPiece> pieces =
        SplitScript(ExpandPlaceholders(RecordScript(records_), records_));
    const int longest = LongestWait(pieces);
    AbortWithInfo(
        longest > kLongestWaitMilliseconds,
        texts::kWaitTooLong.arg(FromCp1254(records_.text(Field::Title)), QString::number(longest)));
    const WindowId target = desktop_.activateWindow(window->text(0).toStdString());
    if (target != 0) typePieces(pieces, target);
    accept();
  });
}

void AutoFillDialog::typePieces(const std::vector<ScriptPiece>& pieces, WindowId target) {
  // Between the keys the event loop runs; the dialog takes no second
  // "Tamam" meanwhile.
  struct Running {
    AutoFillDialog& dialog;
    explicit Running(AutoFillDialog& d) : dialog(d) {
      dialog.typing_ = true;
      dialog.stopped_ = false;
      dialog.setEnabled(false);
    }
    ~Running() {
      dialog.typing_ = false;
      dialog.setEnabled(true);
    }
  } running(*this);
  // The keyboard lets go of every key it holds when it is destroyed, also
  // when a stop ends the run half-way.
  const std::unique_ptr<Keyboard> keyboard =
      desktop_.typeInto(target, [this](EngineMessage message) {
        ShowEngineMessage(message);
        endRunIfStopped();
      });
  RunScriptPieces(pieces, *keyboard, [this](std::chrono::milliseconds length) { pause(length); });
}

void AutoFillDialog::pause(std::chrono::milliseconds length) {
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  timer.setTimerType(Qt::PreciseTimer);
  connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  connect(this, &AutoFillDialog::typingStopped, &loop, &QEventLoop::quit);
  timer.start(length);
  if (!stopped_) loop.exec();
  endRunIfStopped();
}

void AutoFillDialog::endRunIfStopped() const {
  if (stopped_) throw SilentAbort{};
}

void AutoFillDialog::done(int result) {
  if (typing_) {
    stopped_ = true;
    emit typingStopped();
  }
  QDialog::done(result);
}

// By the record itself first: a file may hold two records under one number,
// and the secrets typed must be those of the record the user chose.
bool AutoFillDialog::makeCurrent(const Listed& record) {
  records_.returnTo(record.mark);
  if (records_.remember() == record.mark &&
      records_.text(Field::RecordNumber) == record.recordNumber) {
    return true;
  }
  return records_.locate(record.recordNumber);
}

std::vector<WindowId> OwnTopLevelWindows() {
  std::vector<WindowId> ids;
  for (QWindow* window : QGuiApplication::topLevelWindows()) {
    if (window->handle() != nullptr) ids.push_back(static_cast<WindowId>(window->winId()));
  }
  return ids;
}

void OpenAutoFillDialog(RecordTable& records, const AutoFillOpening& opening) {
  const std::unique_ptr<AutoFillDesktop> desktop = OpenAutoFillDesktop(OwnTopLevelWindows);
  if (desktop == nullptr) {
    ShowInfo(autofill_texts::kNoDesktop);
    return;
  }
  AutoFillDialog dialog(records, *desktop, opening);
  dialog.exec();
}

}  // namespace quilor
