#include "PasswordHealthDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "Cp1254.h"
#include "ErrorDisplay.h"
#include "HealthTexts.h"
#include "HealthWording.h"
#include "PasswordHealth.h"
#include "Today.h"

namespace quilor {

namespace texts = health_texts;

namespace {

constexpr int kRecordNumberRole = Qt::UserRole;

}  // namespace

PasswordHealthDialog* PasswordHealthDialog::instance_ = nullptr;

PasswordHealthDialog::PasswordHealthDialog(const QString& caption, RecordTable& records,
                                           std::function<void(const std::string&)> editRecord,
                                           QWidget* parent)
    : QDialog(parent), records_(records), editRecord_(std::move(editRecord)) {
  instance_ = this;
  setObjectName(QStringLiteral("PasswordHealthDialog"));
  setWindowTitle(caption);
  setSizeGripEnabled(true);

  auto* page = new QVBoxLayout(this);
  auto* header = new QLabel(texts::kTitle, this);
  QFont bold = header->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.3);
  header->setFont(bold);
  page->addWidget(header);
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("summary"));
  page->addWidget(summary_);

  findings_ = new QTreeWidget(this);
  findings_->setObjectName(QStringLiteral("findings"));
  findings_->setAccessibleName(texts::kTitle);
  findings_->setHeaderLabels({texts::kTitleColumn, texts::kGroupColumn, texts::kProblemColumn});
  findings_->setRootIsDecorated(false);
  findings_->setSelectionBehavior(QAbstractItemView::SelectRows);
  findings_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  findings_->header()->setSectionsClickable(false);
  findings_->setColumnWidth(0, 220);
  findings_->setColumnWidth(1, 130);
  page->addWidget(findings_, 1);
  // Activation is the desktop's gesture for opening: a double-click, or
  // Enter on the selected row.
  connect(findings_, &QTreeWidget::itemActivated, this, &PasswordHealthDialog::openRecord);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(new QLabel(texts::kOpenHint, this), 1);
  auto* close = new QPushButton(texts::kClose, this);
  close->setObjectName(QStringLiteral("closeButton"));
  // Enter belongs to the rows; Esc closes.
  close->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  bottom->addWidget(close);
  page->addLayout(bottom);

  resize(720, 460);
  refresh();
}

PasswordHealthDialog::~PasswordHealthDialog() { instance_ = nullptr; }

void PasswordHealthDialog::refresh() {
  const HealthReport report = CheckPasswordHealth(records_, TodayDayNumber());
  summary_->setText(report.findings.empty()
                        ? HealthHeader(report) + QStringLiteral(". ") + texts::kNothingFound
                        : HealthHeader(report));
  findings_->clear();
  for (const HealthFinding& finding : report.findings) {
    auto* item = new QTreeWidgetItem(
        findings_, {FromCp1254(finding.title), FromCp1254(finding.group), FindingText(finding)});
    item->setData(0, kRecordNumberRole, QByteArray::fromStdString(finding.recordNumber));
  }
}

// The editor opens once the click has been handled: the rows it came from
// are rebuilt when it closes.
void PasswordHealthDialog::openRecord(QTreeWidgetItem* item) {
  const std::string recordNumber = item->data(0, kRecordNumberRole).toByteArray().toStdString();
  QMetaObject::invokeMethod(
      this,
      [this, recordNumber] {
        Guarded([&] {
          editRecord_(recordNumber);
          // The lock may have closed the report while the editor was open.
          if (isVisible()) refresh();
        });
      },
      Qt::QueuedConnection);
}

}  // namespace quilor
