#include "UpdateCheckDialog.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "ErrorDisplay.h"
#include "PictureBand.h"
#include "Releases.h"
#include "UpdateAddresses.h"
#include "UpdateTexts.h"
#include "VersionAnswer.h"
#include "VersionRequest.h"

namespace quilor {

namespace texts = update_texts;

namespace {

// The request starts this long after the dialog is shown, so the dialog and
// its wait panel are on the screen first.
constexpr int kStartDelayMs = 100;
constexpr int kValueWidth = 300;
const QString kTestMarkerFile = QStringLiteral("lisanstest.txt");

// Texts from the answer are shown as they came, never read as markup.
QLabel* MakeValueLabel(const QString& objectName, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(objectName);
  label->setTextFormat(Qt::PlainText);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QPushButton* MakeButton(const QString& objectName, const QString& caption, const QString& hint,
                        QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(objectName);
  button->setToolTip(hint);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

UpdateCheckDialog::UpdateCheckDialog(const UpdateCheckSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings), serviceAddress_(settings.serviceAddress) {
  setObjectName(QStringLiteral("updateCheckDialog"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(settings_.caption);
  buildLayout();

  waitPanel_ = new QLabel(texts::kPleaseWait, this);
  waitPanel_->setObjectName(QStringLiteral("waitPanel"));
  waitPanel_->setAlignment(Qt::AlignCenter);
  waitPanel_->setFrameShape(QFrame::Panel);
  waitPanel_->setAutoFillBackground(true);
  QFont bold = waitPanel_->font();
  bold.setBold(true);
  waitPanel_->setFont(bold);
  waitPanel_->hide();

  startTimer_.setSingleShot(true);
  startTimer_.setInterval(kStartDelayMs);
  connect(&startTimer_, &QTimer::timeout, this, [this] { Guarded([this] { startCheck(); }); });
}

UpdateCheckDialog::~UpdateCheckDialog() = default;

void UpdateCheckDialog::buildLayout() {
  titleBand_ = new PictureBand(this);
  titleBand_->setObjectName(QStringLiteral("titleBand"));
  titleBand_->setPicture(settings_.banner);
  titleBand_->setCaption(texts::kTitle);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(titleBand_);
  layout->addWidget(buildFields());
  layout->addWidget(buildButtonBars());
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* UpdateCheckDialog::buildFields() {
  auto* fields = new QWidget(this);
  auto* grid = new QGridLayout(fields);
  companyValue_ = MakeValueLabel(QStringLiteral("company"), fields);
  programNameValue_ = MakeValueLabel(QStringLiteral("programName"), fields);
  programCodeValue_ = MakeValueLabel(QStringLiteral("programCode"), fields);
  newestReleaseValue_ = MakeValueLabel(QStringLiteral("newestRelease"), fields);
  releaseInUseValue_ = MakeValueLabel(QStringLiteral("releaseInUse"), fields);
  statusValue_ = MakeValueLabel(QStringLiteral("status"), fields);
  statusValue_->setWordWrap(true);
  statusValue_->setFixedWidth(kValueWidth);
  statusValue_->setMinimumHeight(statusValue_->fontMetrics().lineSpacing() * 2);
  statusValue_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  const std::pair<const QString&, QLabel*> rows[] = {
      {texts::kCompanyLabel, companyValue_},
      {texts::kProgramNameLabel, programNameValue_},
      {texts::kProgramCodeLabel, programCodeValue_},
      {texts::kNewestReleaseLabel, newestReleaseValue_},
      {texts::kReleaseInUseLabel, releaseInUseValue_},
      {texts::kStatusLabel, statusValue_},
  };
  int row = 0;
  for (const auto& [caption, value] : rows) {
    auto* label = new QLabel(caption, fields);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label->setBuddy(value);
    grid->addWidget(label, row, 0);
    grid->addWidget(value, row, 1);
    ++row;
  }
  return fields;
}

QStackedWidget* UpdateCheckDialog::buildButtonBars() {
  buttonBars_ = new QStackedWidget(this);

  okBar_ = new QWidget(buttonBars_);
  okBar_->setObjectName(QStringLiteral("okBar"));
  auto* okLayout = new QHBoxLayout(okBar_);
  okLayout->addStretch();
  QPushButton* ok = MakeButton(QStringLiteral("ok"), texts::kOk, texts::kCloseHint, okBar_);
  okLayout->addWidget(ok);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  updateBar_ = new QWidget(buttonBars_);
  updateBar_->setObjectName(QStringLiteral("updateBar"));
  auto* updateLayout = new QHBoxLayout(updateBar_);
  updateLayout->addStretch();
  QPushButton* update =
      MakeButton(QStringLiteral("update"), texts::kUpdate, texts::kUpdateHint, updateBar_);
  QPushButton* close =
      MakeButton(QStringLiteral("close"), texts::kClose, texts::kCloseHint, updateBar_);
  updateLayout->addWidget(update);
  updateLayout->addWidget(close);
  connect(update, &QPushButton::clicked, this, [this] { Guarded([this] { openDownload(); }); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  buttonBars_->addWidget(okBar_);
  buttonBars_->addWidget(updateBar_);
  return buttonBars_;
}

void UpdateCheckDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (checkStarted_) return;
  checkStarted_ = true;
  if (QScreen* desktop = screen()) {
    move(desktop->availableGeometry().center() - rect().center());
  }
  if (QFileInfo::exists(QDir(settings_.markerFolder).filePath(kTestMarkerFile))) {
    serviceAddress_ = settings_.testServiceAddress;
  }
  waitPanel_->setGeometry(rect());
  waitPanel_->raise();
  waitPanel_->show();
  startTimer_.start();
}

void UpdateCheckDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  waitPanel_->setGeometry(rect());
}

void UpdateCheckDialog::startCheck() {
  releaseInUse_ = ReleaseInUse(settings_.programVersion);
  request_ = new VersionRequest(VersionQueryUrl(serviceAddress_, settings_.programCode),
                                settings_.limits, this);
  connect(request_, &VersionRequest::answered, this,
          [this](const QByteArray& body) { Guarded([&] { showAnswer(body); }); });
  connect(request_, &VersionRequest::failed, this,
          [this](RequestFailure why) { Guarded([&] { showFailure(why); }); });
}

void UpdateCheckDialog::showAnswer(const QByteArray& body) {
  const VersionAnswer answer = ParseVersionAnswer(body);
  // An answer that names no release has not told whether this one is the
  // newest (an empty body, a proxy's or a portal's page): that is a failed
  // check, not a reason to tell the user all is well.
  if (answer.newestRelease.isEmpty()) {
    showFailure(RequestFailure::BadAnswer);
    return;
  }
  downloadLink_ = answer.downloadLink;

  companyValue_->setText(settings_.company);
  programNameValue_->setText(settings_.programName);
  programCodeValue_->setText(settings_.programCode);
  newestReleaseValue_->setText(QString::fromUtf8(answer.newestRelease));
  releaseInUseValue_->setText(releaseInUse_);

  const bool updateDue = IsNewerRelease(answer.newestRelease, releaseInUse_.toUtf8());
  statusValue_->setText(updateDue ? texts::kUpdateDue : texts::kUpToDate);
  buttonBars_->setCurrentWidget(updateDue ? updateBar_ : okBar_);
  waitPanel_->hide();
}

void UpdateCheckDialog::showFailure(RequestFailure why) {
  const QString& message = why == RequestFailure::NoConnection ? texts::kNoConnection
                           : why == RequestFailure::TimedOut   ? texts::kTimedOut
                                                               : texts::kBadAnswer;
  // The dialog has nothing to show: it goes first, so that no empty window
  // waits behind the notice.
  hide();
  QMessageBox box(QMessageBox::Information, texts::kFailureCaption, message, QMessageBox::Ok,
                  parentWidget());
  box.exec();
  reject();
}

void UpdateCheckDialog::openDownload() {
  if (const std::optional<QUrl> download = DownloadUrl(downloadLink_)) {
    QDesktopServices::openUrl(*download);
  } else {
    QDesktopServices::openUrl(NewsPageUrl(settings_.newsSiteAddress, releaseInUse_));
  }
}

void UpdateCheckDialog::done(int result) {
  // Closed while the request still runs: it ends here, and no late answer
  // or failure notice can reach a dialog that is gone.
  startTimer_.stop();
  if (request_ != nullptr) request_->cancel();
  QDialog::done(result);
}

}  // namespace quilor
