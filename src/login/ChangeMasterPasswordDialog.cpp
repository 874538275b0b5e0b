#include "ChangeMasterPasswordDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ErrorDisplay.h"
#include "Info.h"
#include "LoginHost.h"
#include "LoginTexts.h"
#include "OneLineBox.h"
#include "PasswordBytes.h"
#include "SecureWipe.h"
#include "StrengthMeter.h"
#include "WeakPasswordQuestion.h"

namespace quilor {

namespace wording = login_texts;

namespace {

QLineEdit* MakePasswordBox(const char* name, const QString& label, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setEchoMode(QLineEdit::Password);
  box->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // '*'
  box->setAccessibleName(label);
  box->setMinimumWidth(220);
  KeepOnOneLine(box);
  return box;
}

// No button is the default: Enter in the repeat box presses "Tamam", and
// nowhere else does it mean anything.
QPushButton* MakeButton(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

}  // namespace

ChangeMasterPasswordDialog* ChangeMasterPasswordDialog::instance_ = nullptr;

ChangeMasterPasswordDialog::ChangeMasterPasswordDialog(LoginHost& host, QWidget* parent)
    : QDialog(parent), host_(host) {
  instance_ = this;
  setObjectName(QStringLiteral("changeMasterPasswordDialog"));
  setWindowTitle(host_.caption());
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);

  auto* header = new QLabel(wording::kChangeHeader, this);
  header->setObjectName(QStringLiteral("header"));
  QFont bold = header->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.25);
  header->setFont(bold);
  header->setContentsMargins(4, 6, 4, 6);
  header->setAutoFillBackground(true);
  header->setBackgroundRole(QPalette::Midlight);

  currentPassword_ = MakePasswordBox("currentPasswordEdit", wording::kCurrentPasswordLabel, this);
  newPassword_ = MakePasswordBox("newPasswordEdit", wording::kNewPasswordLabel, this);
  repeat_ = MakePasswordBox("repeatEdit", wording::kNewPasswordRepeatLabel, this);
  // Informs; a weak password is asked about once when "Tamam" takes it.
  auto* strength = new StrengthMeter(this);
  strength->setObjectName(QStringLiteral("newPasswordStrength"));
  connect(newPassword_, &QLineEdit::textChanged, strength, &StrengthMeter::showStrengthOf);
  ok_ = MakeButton("okButton", wording::kOk, this);
  cancel_ = MakeButton("cancelButton", wording::kCancel, this);
  connect(ok_, &QPushButton::clicked, this, [this] { Guarded([this] { changePassword(); }); });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  auto* boxes = new QGridLayout;
  boxes->setContentsMargins(12, 8, 12, 0);
  auto* currentLabel = new QLabel(wording::kCurrentPasswordLabel, this);
  currentLabel->setBuddy(currentPassword_);
  auto* newLabel = new QLabel(wording::kNewPasswordLabel, this);
  newLabel->setBuddy(newPassword_);
  auto* repeatLabel = new QLabel(wording::kNewPasswordRepeatLabel, this);
  repeatLabel->setBuddy(repeat_);
  boxes->addWidget(currentLabel, 0, 0);
  boxes->addWidget(currentPassword_, 0, 1);
  boxes->addWidget(newLabel, 1, 0);
  boxes->addWidget(newPassword_, 1, 1);
  boxes->addWidget(strength, 2, 1);
  boxes->addWidget(repeatLabel, 3, 0);
  boxes->addWidget(repeat_, 3, 1);
  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(12, 8, 12, 12);
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(0, 0, 0, 0);
  page->addWidget(header);
  page->addLayout(boxes);
  page->addLayout(buttons);
  page->setSizeConstraint(QLayout::SetFixedSize);

  repeat_->installEventFilter(this);
  setTabOrder(currentPassword_, newPassword_);
  setTabOrder(newPassword_, repeat_);
  setTabOrder(repeat_, ok_);
  setTabOrder(ok_, cancel_);
  currentPassword_->setFocus();
}

ChangeMasterPasswordDialog::~ChangeMasterPasswordDialog() {
  if (instance_ == this) instance_ = nullptr;
}

void ChangeMasterPasswordDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  move(screen()->availableGeometry().center() - rect().center());
}

bool ChangeMasterPasswordDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == repeat_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      ok_->click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ChangeMasterPasswordDialog::changePassword() {
  checkCurrentPassword();
  const QString typed = newPassword_->text();
  AbortWithInfo(typed.isEmpty(), wording::kEnterNewPassword);
  AbortWithInfo(repeat_->text().isEmpty(), wording::kEnterRepeat);
  AbortWithInfo(repeat_->text() != typed, wording::kNewPasswordsDiffer);
  // "Hayır": the user starts over, from the current password, which the
  // check above took out of its box.
  if (!NewMasterPasswordAccepted(this, typed)) {
    newPassword_->setText(QString());
    repeat_->setText(QString());
    currentPassword_->setFocus();
    return;
  }

  // A save that fails leaves the file as it was (it is replaced whole or not
  // at all) and the old password in force.
  std::string password = PasswordBytes(typed);
  try {
    host_.changeMasterPassword(password);
  } catch (...) {
    WipeText(password);
    throw;
  }
  WipeText(password);
  ShowInfo(wording::kPasswordChanged);
  accept();
}

void ChangeMasterPasswordDialog::checkCurrentPassword() {
  const QString current = currentPassword_->text();
  AbortWithInfo(current.isEmpty(), wording::kEnterCurrentPassword);
  // Tried once, the text leaves the box, right or wrong.
  currentPassword_->setText(QString());
  std::string bytes = PasswordBytes(current);
  const bool matches = host_.masterPasswordMatches(bytes);
  WipeText(bytes);
  if (!matches) {
    currentPassword_->setFocus();
    AbortWithInfo(true, wording::kCurrentPasswordWrong);
  }
}

void ChangeMasterPasswordDialog::done(int result) {
  Guarded([this, result] {
    // setText, unlike clear(), also drops the undo history.
    currentPassword_->setText(QString());
    newPassword_->setText(QString());
    repeat_->setText(QString());
    QDialog::done(result);
  });
}

}  // namespace quilor
