#include "MasterPasswordDialog.h"

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
#include "OneLineBox.h"
#include "PadlockPicture.h"
#include "PasswordBytes.h"
#include "ProtectedRecords.h"
#include "SecureWipe.h"
#include "SilentAbort.h"
#include "StrengthMeter.h"
#include "WeakPasswordQuestion.h"
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
  KeepOnOneLine(box);
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

MasterPasswordDialog* MasterPasswordDialog::instance_ = nullptr;

MasterPasswordDialog::MasterPasswordDialog(LoginHost& host, std::string dataFilePath,
                                           QWidget* parent)
    : QDialog(parent), host_(host), dataFilePath_(std::move(dataFilePath)) {
  instance_ = this;
  setObjectName(QStringLiteral("masterPasswordDialog"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);

  picture_ = new QLabel(this);
  picture_->setPixmap(PadlockPicture(palette(), devicePixelRatioF()));
  picture_->setAlignment(Qt::AlignCenter);

  passwordBox_ = MakePasswordBox(QStringLiteral("passwordBox"), texts::kPasswordLabel, this);
  repeatBox_ = MakePasswordBox(QStringLiteral("repeatBox"), texts::kRepeatLabel, this);
  passwordLabel_ = new QLabel(texts::kPasswordLabel, this);
  passwordLabel_->setObjectName(QStringLiteral("passwordLabel"));
  passwordLabel_->setBuddy(passwordBox_);
  repeatLabel_ = new QLabel(texts::kRepeatLabel, this);
  repeatLabel_->setObjectName(QStringLiteral("repeatLabel"));
  repeatLabel_->setBuddy(repeatBox_);
  repeatLabel_->hide();
  repeatBox_->hide();
  strength_ = new StrengthMeter(this);
  strength_->setObjectName(QStringLiteral("passwordStrength"));
  strength_->hide();
  connect(passwordBox_, &QLineEdit::textChanged, strength_, &StrengthMeter::showStrengthOf);
  for (QLineEdit* box : {passwordBox_, repeatBox_}) box->installEventFilter(this);

  warning_ = new QLabel(texts::kWarning, this);
  warning_->setObjectName(QStringLiteral("warningLabel"));
  warning_->setWordWrap(true);
  QFont bold = warning_->font();
  bold.setBold(true);
  warning_->setFont(bold);

  loginAndHideButton_ =
      MakeButton(QStringLiteral("loginAndHideButton"), texts::kLoginAndHide, this);
  loginButton_ = MakeButton(QStringLiteral("loginButton"), texts::kLogin, this);
  cancelButton_ = MakeButton(QStringLiteral("cancelButton"), texts::kCancel, this);
  connect(loginAndHideButton_, &QPushButton::clicked, this,
          [this] { confirm(Pressed::LoginAndHide); });
  connect(loginButton_, &QPushButton::clicked, this, [this] { confirm(Pressed::Login); });
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

  closeAction_ = new QAction(texts::kClose, this);
  closeAction_->setObjectName(QStringLiteral("closeAction"));
  closeAction_->setShortcut(Qt::Key_Escape);
  addAction(closeAction_);
  connect(closeAction_, &QAction::triggered, this, &MasterPasswordDialog::closeOnEscape);

  layOutControls();
  passwordBox_->setFocus();
}

// Picture, boxes, warning, buttons from top to bottom; Tab follows the same order.
void MasterPasswordDialog::layOutControls() {
  auto* boxes = new QGridLayout;
  boxes->addWidget(passwordLabel_, 0, 0);
  boxes->addWidget(passwordBox_, 0, 1);
  boxes->addWidget(strength_, 1, 1);
  boxes->addWidget(repeatLabel_, 2, 0);
  boxes->addWidget(repeatBox_, 2, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(loginAndHideButton_);
  buttons->addWidget(loginButton_);
  buttons->addWidget(cancelButton_);
  auto* page = new QVBoxLayout(this);
  page->addWidget(picture_);
  page->addLayout(boxes);
  page->addWidget(warning_);
  page->addLayout(buttons);

  setTabOrder(passwordBox_, repeatBox_);
  setTabOrder(repeatBox_, loginAndHideButton_);
  setTabOrder(loginAndHideButton_, loginButton_);
  setTabOrder(loginButton_, cancelButton_);
}

MasterPasswordDialog::~MasterPasswordDialog() {
  if (instance_ == this) instance_ = nullptr;
}

void MasterPasswordDialog::clearPasswordForRetry() {
  // A rejected password stays nowhere: not in the boxes, not in their undo
  // history (setText drops it, clear() would not).
  passwordBox_->setText(QString());
  repeatBox_->setText(QString());
  passwordBox_->setFocus();
}

void MasterPasswordDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) prepareForShow();
}

void MasterPasswordDialog::prepareForShow() {
  // The window is mapped only after this event returns; the window manager
  // can bring it forward once it is.
  QTimer::singleShot(0, this, [this] { Guarded([this] { ForceToForeground(windowHandle()); }); });
  setWindowTitle(host_.caption());
  loginOk_ = false;

  const LoginControlsShown shown = ControlsShownIn(ModeOf(reAuthMode_, dataFileExists()));
  repeatLabel_->setVisible(shown.repeatBox);
  repeatBox_->setVisible(shown.repeatBox);
  strength_->setVisible(shown.repeatBox);
  warning_->setVisible(shown.warning);
  loginAndHideButton_->setVisible(shown.loginAndHide);
  fixSizeAndCentre();
}

void MasterPasswordDialog::fixSizeAndCentre() {
  QLayout* page = layout();
  // The rows just shown or hidden must count: the cached sizes of the inner
  // layouts still describe the dialog before this show, and only activating
  // the page clears them all.
  page->activate();
  const int height = page->hasHeightForWidth() ? page->totalHeightForWidth(kDialogWidth)
                                               : page->totalSizeHint().height();
  setFixedSize(kDialogWidth, height);
  const QRect desktop = screen()->availableGeometry();
  move(desktop.center() - QPoint(kDialogWidth / 2, height / 2));
}

bool MasterPasswordDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && (watched == passwordBox_ || watched == repeatBox_)) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      confirm(Pressed::Login);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void MasterPasswordDialog::confirm(Pressed pressed) {
  Guarded([this, pressed] {
    if (reAuthMode_) {
      reAuthenticate();
    } else {
      logIn(pressed);
    }
  });
}

void MasterPasswordDialog::reAuthenticate() {
  const QString typed = passwordBox_->text();
  AbortWithInfo(typed.isEmpty(), texts::kEnterPassword);
  std::string password = PasswordBytes(typed);
  const bool accepted = host_.unlock(password);
  WipeText(password);
  if (!accepted) {
    clearPasswordForRetry();
    AbortWithInfo(true, texts::kWrongPassword);
  }
  loginOk_ = true;
  accept();
}

void MasterPasswordDialog::logIn(Pressed pressed) {
  const QString typed = passwordBox_->text();
  AbortWithInfo(typed.isEmpty(), texts::kEnterPassword);
  const bool firstStart = !dataFileExists();
  AbortWithInfo(firstStart && repeatBox_->text().isEmpty(), texts::kEnterRepeat);
  AbortWithInfo(firstStart && repeatBox_->text() != typed, texts::kPasswordsDiffer);
  if (firstStart && !NewMasterPasswordAccepted(this, typed)) {
    clearPasswordForRetry();
    throw SilentAbort{};
  }

  std::string password = PasswordBytes(typed);
  try {
    host_.logIn(password);
  } catch (const WrongMasterPassword&) {
    WipeText(password);
    ShowInfo(QString::fromUtf8(kWrongMasterPasswordText));
    clearPasswordForRetry();
    throw SilentAbort{};
  } catch (...) {
    WipeText(password);
    throw;
  }
  WipeText(password);
  loginOk_ = true;
  if (pressed == Pressed::Login) {
    host_.showMainWindow();
  } else {
    host_.showTrayIcon();
  }
  host_.setIdleTimerActive(host_.idleTimeAvailable());
  accept();
}

void MasterPasswordDialog::closeOnEscape() { close(); }

// Every way of closing ends here ("Vazgeç", Esc, the title bar, a login), so
// this is the one place to guard them all.
void MasterPasswordDialog::done(int result) {
  Guarded([this, result] {
    // setText, unlike clear(), also drops the box's undo history, so no copy
    // of the typed text stays behind in the widgets.
    passwordBox_->setText(QString());
    repeatBox_->setText(QString());
    QDialog::done(result);
    endProgramIfAbandoned();
  });
}

void MasterPasswordDialog::endProgramIfAbandoned() {
  if (reAuthMode_ || loginOk_ || terminateRequested_) return;
  // Without a login there is nothing to run: the program ends as soon as
  // the modal loop has returned (quit ends every running event loop).
  terminateRequested_ = true;
  QCoreApplication::quit();
}

bool MasterPasswordDialog::dataFileExists() const {
  std::error_code error;
  return std::filesystem::exists(dataFilePath_, error);
}

}  // namespace quilor
