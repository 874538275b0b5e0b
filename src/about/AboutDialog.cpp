#include "AboutDialog.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

#include "AboutArtwork.h"
#include "AboutTexts.h"
#include "ErrorDisplay.h"
#include "Identity.h"
#include "MemoryFigures.h"
#include "PictureBand.h"
#include "ScrollingTextPanel.h"

namespace quilor {

namespace texts = about_texts;

namespace {

const QColor kStaffText(Qt::white);
const QColor kStaffBackground(0x00, 0x00, 0x80);
const QColor kCreditsText(0x00, 0xff, 0x00);
const QColor kCreditsBackground(Qt::black);
constexpr int kCreditsHeight = 130;

QLabel* MakeLink(const QString& objectName, const QString& address, const QString& caption,
                 QWidget* parent) {
  auto* link = new QLabel(
      QStringLiteral("<a href=\"%1\">%2</a>").arg(address.toHtmlEscaped(), caption.toHtmlEscaped()),
      parent);
  link->setObjectName(objectName);
  link->setTextFormat(Qt::RichText);
  link->setCursor(Qt::PointingHandCursor);
  QObject::connect(link, &QLabel::linkActivated, link, [](const QString& target) {
    Guarded([&] { QDesktopServices::openUrl(QUrl(target)); });
  });
  return link;
}

}  // namespace

AboutDialog::AboutDialog(const AboutContent& content, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("aboutDialog"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(content.caption);

  auto* columns = new QHBoxLayout;
  columns->addWidget(buildSideColumn(content));
  columns->addWidget(buildMainColumn(content), 1);

  auto* statusBar = new QStatusBar(this);
  statusBar->setObjectName(QStringLiteral("statusBar"));
  statusBar->setSizeGripEnabled(false);
  auto* statusText = new QLabel(texts::kStatusPrefix + content.programName, statusBar);
  statusText->setObjectName(QStringLiteral("statusText"));
  statusText->setAlignment(Qt::AlignCenter);
  statusBar->addWidget(statusText, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(columns);
  layout->addWidget(statusBar);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* AboutDialog::buildSideColumn(const AboutContent& content) {
  sidePicture_ = new QLabel(this);
  sidePicture_->setObjectName(QStringLiteral("sidePicture"));
  sidePicture_->setPixmap(content.picture);
  sidePicture_->setScaledContents(true);
  sidePicture_->setFixedSize(150, 380);
  sidePicture_->setCursor(Qt::PointingHandCursor);
  sidePicture_->setToolTip(texts::kStaffHint);
  sidePicture_->installEventFilter(this);

  // Over the lower part of the picture; a click on it reaches the picture.
  staffPanel_ = new ScrollingTextPanel(kStaffText, kStaffBackground, sidePicture_);
  staffPanel_->setObjectName(QStringLiteral("staffPanel"));
  staffPanel_->setAttribute(Qt::WA_TransparentForMouseEvents);
  staffPanel_->setGeometry(0, 170, sidePicture_->width(), sidePicture_->height() - 170);
  staffPanel_->setMark(PanelMark(kStaffText, devicePixelRatioF()));
  staffPanel_->setLines(texts::kStaff + QStringList{QString()} + content.team);
  staffPanel_->hide();
  return sidePicture_;
}

QWidget* AboutDialog::buildMainColumn(const AboutContent& content) {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);

  auto* header = new PictureBand(column);
  header->setObjectName(QStringLiteral("header"));
  header->setPicture(content.topPicture);
  header->setCaption(content.programName);
  layout->addWidget(header);

  auto* logo = new QLabel(column);
  logo->setObjectName(QStringLiteral("logo"));
  logo->setPixmap(MakerLogo(devicePixelRatioF()));
  logo->setAlignment(Qt::AlignTop);
  creditsPanel_ = new ScrollingTextPanel(kCreditsText, kCreditsBackground, column);
  creditsPanel_->setObjectName(QStringLiteral("creditsPanel"));
  creditsPanel_->setFixedHeight(kCreditsHeight);
  creditsPanel_->setMinimumWidth(260);
  creditsPanel_->setMark(PanelMark(kCreditsText, devicePixelRatioF()));
  creditsPanel_->setLines(QStringList{content.programName} + texts::kCredits);
  auto* logoAndCredits = new QHBoxLayout;
  logoAndCredits->addWidget(logo);
  logoAndCredits->addWidget(creditsPanel_, 1);
  layout->addLayout(logoAndCredits);

  layout->addWidget(buildContacts());
  layout->addWidget(buildMemoryFigures());
  layout->addStretch();

  auto* ok = new QPushButton(texts::kOk, column);
  ok->setObjectName(QStringLiteral("ok"));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  layout->addLayout(buttons);
  return column;
}

QWidget* AboutDialog::buildContacts() {
  auto* contacts = new QWidget(this);
  auto* layout = new QVBoxLayout(contacts);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(MakeLink(QStringLiteral("webLink"),
                             QStringLiteral("http://") + maker::kWebAddress, maker::kWebAddress,
                             contacts));
  layout->addWidget(MakeLink(QStringLiteral("mailLink"),
                             QStringLiteral("mailto:") + maker::kSupportMail, maker::kSupportMail,
                             contacts));
  auto* telephone = new QLabel(maker::kTelephone, contacts);
  telephone->setObjectName(QStringLiteral("telephone"));
  telephone->setStyleSheet(QStringLiteral("color: blue"));
  layout->addWidget(telephone);
  return contacts;
}

// Taken once, when the dialog is made; they do not change while it is open.
QWidget* AboutDialog::buildMemoryFigures() {
  auto* figures = new QWidget(this);
  auto* grid = new QGridLayout(figures);
  grid->setContentsMargins(0, 0, 0, 0);
  auto* physical = new QLabel(figures);
  physical->setObjectName(QStringLiteral("physicalMemory"));
  auto* inUse = new QLabel(figures);
  inUse->setObjectName(QStringLiteral("memoryInUse"));
  if (const std::optional<MemoryStatus> memory = ReadMemoryStatus()) {
    physical->setText(PhysicalMemoryText(memory->totalBytes, QLocale()));
    inUse->setText(MemoryInUseText(memory->percentInUse));
  }
  grid->addWidget(new QLabel(texts::kPhysicalMemory, figures), 0, 0);
  grid->addWidget(physical, 0, 1);
  grid->addWidget(new QLabel(texts::kMemoryInUse, figures), 1, 0);
  grid->addWidget(inUse, 1, 1);
  grid->setColumnStretch(1, 1);
  return figures;
}

void AboutDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  if (QScreen* desktop = screen()) {
    move(desktop->availableGeometry().center() - rect().center());
  }
  creditsPanel_->setActive(true);
  staffPanel_->setActive(false);
  staffPanel_->hide();
  sidePicture_->show();
}

void AboutDialog::done(int result) {
  creditsPanel_->setActive(false);
  staffPanel_->setActive(false);
  QDialog::done(result);
}

void AboutDialog::toggleStaffPanel() {
  const bool show = staffPanel_->isHidden();
  staffPanel_->setVisible(show);
  staffPanel_->setActive(show);
}

void AboutDialog::keyPressEvent(QKeyEvent* event) {
  // Exactly Ctrl and Alt with T: with Shift as well it is another key.
  const Qt::KeyboardModifiers held = event->modifiers() & ~Qt::KeypadModifier;
  if (event->key() == Qt::Key_T && held == (Qt::ControlModifier | Qt::AltModifier)) {
    Guarded([this] { toggleStaffPanel(); });
    return;
  }
  QDialog::keyPressEvent(event);
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == sidePicture_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    Guarded([this] { toggleStaffPanel(); });
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void ShowAbout(QWidget* mainWindow) {
  AboutContent content;
  content.caption = mainWindow->windowTitle();
  content.programName = ProductName + ' ' + ProgramVersion;
  content.picture = SidePicture(mainWindow->devicePixelRatioF());
  AboutDialog dialog(content, mainWindow);
  dialog.exec();
}

}  // namespace quilor
