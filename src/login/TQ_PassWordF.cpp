#include "TQ_PassWordF.h"

#include <QAction>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>

#include "ErrorDisplay.h"
#include "Info.h"
#include "LoginTexts.h"
#include "PadlockPicture.h"
#include "PasswordBytes.h"
#include "ProcessState.h"
#include "WindowForeground.h"

namespace quilor {

namespace texts = login_texts;

namespace {

// Wide enough for the three buttons side by side; the warning wraps to it.
constexpr int kDialogWidth = 440;

QLineEdit* MakePasswordBox(const QString& objectName, const QString& label, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(objectName);
  box->setEchoMode(QLineEdit::Password);
  box->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // '*'
  box->setAccessibleName(label);
  return box;
}

// No button may be the default: Enter belongs to the password boxes.
QPushButton* MakeButton(const QString& objectName, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(objectName);
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

}  // namespace

TQ_PassWordF* TQ_PassWordF::instance_ = nullptr;

TQ_PassWordF::TQ_PassWordF(LoginHost& host, std::string dataFilePath, QWidget* parent)
    : QDialog(parent), host_(host), dataFilePath_(std::move(dataFilePath)) {
  instance_ = this;
  setObjectName(QStringLiteral("Q_PassWordF"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);

  picture_ = new QLabel(this);
  picture_->setPixmap(PadlockPicture(palette(), devicePixelRatioF()));
  picture_->setAlignment(Qt::AlignCenter);

  EditPass_ = MakePasswordBox(QStringLiteral("EditPass"), texts::kPasswordLabel, this);
  EditPass2_ = MakePasswordBox(QStringLiteral("EditPass2"), texts::kRepeatLabel, this);
  sLabel1_ = new QLabel(texts::kPasswordLabel, this);
  sLabel1_->setObjectName(QStringLiteral("sLabel1"));
  sLabel1_->setBuddy(EditPass_);
  sLabel2_ = new QLabel(texts::kRepeatLabel, this);
  sLabel2_->setObjectName(QStringLiteral("sLabel2"));
  sLabel2_->setBuddy(EditPass2_);
  sLabel2_->hide();
  EditPass2_->hide();
  for (QLineEdit* box : {EditPass_, EditPass2_}) box->installEventFilter(this);

  sLabel3_ = new QLabel(texts::kWarning, this);
  sLabel3_->setObjectName(QStringLiteral("sLabel3"));
  sLabel3_->setWordWrap(true);
  QFont bold = sLabel3_->font();
  bold.setBold(true);
  sLabel3_->setFont(bold);

  sButtonGirisGizle_ = MakeButton(QStringLiteral("sButtonGirisGizle"), texts::kLoginAndHide, this);
  sButtonGiris_ = MakeButton(QStringLiteral("sButtonGiris"), texts::kLogin, this);
  sButton2_ = MakeButton(QStringLiteral("sButton2"), texts::kCancel, this);
  connect(sButtonGirisGizle_, &QPushButton::clicked, this,
          [this] { sButtonGirisClick(Pressed::GirisGizle); });
  connect(sButtonGiris_, &QPushButton::clicked, this,
          [this] { sButtonGirisClick(Pressed::Giris); });
  connect(sButton2_, &QPushButton::clicked, this, &QDialog::reject);

  Kapat_ = new QAction(texts::kClose, this);
  Kapat_->setObjectName(QStringLiteral("Kapat"));
  Kapat_->setShortcut(Qt::Key_Escape);
  addAction(Kapat_);
  connect(Kapat_, &QAction::triggered, this, &TQ_PassWordF::KapatExecute);

  LayOutControls();
  EditPass_->setFocus();
}

// Picture, boxes, warning, buttons from top to bottom; Tab follows the same order.
void TQ_PassWordF::LayOutControls() {
  auto* boxes = new QGridLayout;
  boxes->addWidget(sLabel1_, 0, 0);
  boxes->addWidget(EditPass_, 0, 1);
  boxes->addWidget(sLabel2_, 1, 0);
  boxes->addWidget(EditPass2_, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(sButtonGirisGizle_);
  buttons->addWidget(sButtonGiris_);
  buttons->addWidget(sButton2_);
  auto* page = new QVBoxLayout(this);
  page->addWidget(picture_);
  page->addLayout(boxes);
  page->addWidget(sLabel3_);
  page->addLayout(buttons);

  setTabOrder(EditPass_, EditPass2_);
  setTabOrder(EditPass2_, sButtonGirisGizle_);
  setTabOrder(sButtonGirisGizle_, sButtonGiris_);
  setTabOrder(sButtonGiris_, sButton2_);
}

TQ_PassWordF::~TQ_PassWordF() {
  if (instance_ == this) instance_ = nullptr;
}

void TQ_PassWordF::SelectPasswordForRetry() {
  EditPass_->selectAll();
  EditPass_->setFocus();
}

void TQ_PassWordF::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TQ_PassWordF::FormShow() {
  // The window is mapped only after this event returns; the window manager
  // can bring it forward once it is.
  QTimer::singleShot(0, this, [this] { Guarded([this] { ForceToForeground(windowHandle()); }); });
  setWindowTitle(host_.caption());
  loginOk_ = false;

  const LoginControlsShown shown = ControlsShownIn(ModeOf(reAuthMode_, DataFileExists()));
  sLabel2_->setVisible(shown.repeatBox);
  EditPass2_->setVisible(shown.repeatBox);
  sLabel3_->setVisible(shown.warning);
  sButtonGirisGizle_->setVisible(shown.loginAndHide);
  FixSizeAndCentre();
}

void TQ_PassWordF::FixSizeAndCentre() {
  QLayout* page = layout();
  const int height = page->hasHeightForWidth() ? page->totalHeightForWidth(kDialogWidth)
                                               : page->totalSizeHint().height();
  setFixedSize(kDialogWidth, height);
  const QRect desktop = screen()->availableGeometry();
  move(desktop.center() - QPoint(kDialogWidth / 2, height / 2));
}

bool TQ_PassWordF::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && (watched == EditPass_ || watched == EditPass2_)) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      sButtonGirisClick(Pressed::Giris);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TQ_PassWordF::sButtonGirisClick(Pressed pressed) {
  Guarded([this, pressed] {
    if (reAuthMode_) {
      ReAuthenticate();
    } else {
      LogIn(pressed);
    }
  });
}

void TQ_PassWordF::ReAuthenticate() {
  const QString typed = EditPass_->text();
  AbortWithInfo(typed.isEmpty(), texts::kEnterPassword);
  AbortWithInfo(PasswordBytes(typed) != MasterPassword, texts::kWrongPassword);
  loginOk_ = true;
  accept();
}

void TQ_PassWordF::LogIn(Pressed pressed) {
  const QString typed = EditPass_->text();
  AbortWithInfo(typed.isEmpty(), texts::kEnterPassword);
  const bool firstStart = !DataFileExists();
  AbortWithInfo(firstStart && EditPass2_->text().isEmpty(), texts::kEnterRepeat);
  AbortWithInfo(firstStart && EditPass2_->text() != typed, texts::kPasswordsDiffer);

  MasterPassword = PasswordBytes(typed);
  host_.loadRecords();
  loginOk_ = true;
  if (pressed == Pressed::Giris) {
    host_.showMainWindow();
  } else {
    host_.showTrayIcon();
  }
  host_.setIdleTimerActive(host_.idleTimeAvailable());
  accept();
}

void TQ_PassWordF::KapatExecute() { close(); }

// Every way of closing ends here ("Vazgeç", Esc, the title bar, a login), so
// this is the one place to guard them all.
void TQ_PassWordF::done(int result) {
  Guarded([this, result] {
    // setText, unlike clear(), also drops the box's undo history, so no copy
    // of the typed text stays behind in the widgets.
    EditPass_->setText(QString());
    EditPass2_->setText(QString());
    QDialog::done(result);
    FormClose();
  });
}

void TQ_PassWordF::FormClose() {
  if (reAuthMode_ || loginOk_ || terminateRequested_) return;
  // Without a login there is nothing to run: the program ends as soon as
  // the modal loop has returned (quit ends every running event loop).
  terminateRequested_ = true;
  QCoreApplication::quit();
}

bool TQ_PassWordF::DataFileExists() const {
  std::error_code error;
  return std::filesystem::exists(dataFilePath_, error);
}

void FocusPasswordAfterWrongLogin() {
  if (TQ_PassWordF* dialog = TQ_PassWordF::Instance()) dialog->SelectPasswordForRetry();
}

}  // namespace quilor
