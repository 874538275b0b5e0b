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
#include "ProcessState.h"
#include "ProtectedRecords.h"
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

ChangeMasterPasswordDialog::ChangeMasterPasswordDialog(LoginHost& host, RecordTable& records,
                                                       std::string dataFilePath, QWidget* parent)
    : QDialog(parent), host_(host), records_(records), dataFilePath_(std::move(dataFilePath)) {
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
  auto* newLabel = new QLabel(wording::kNewPasswordLabel, this);
  newLabel->setBuddy(newPassword_);
  auto* repeatLabel = new QLabel(wording::kNewPasswordRepeatLabel, this);
  repeatLabel->setBuddy(repeat_);
  boxes->addWidget(newLabel, 0, 0);
  boxes->addWidget(newPassword_, 0, 1);
  boxes->addWidget(strength, 1, 1);
  boxes->addWidget(repeatLabel, 2, 0);
  boxes->addWidget(repeat_, 2, 1);
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
  setTabOrder(newPassword_, repeat_);
  setTabOrder(repeat_, ok_);
  setTabOrder(ok_, cancel_);
  newPassword_->setFocus();
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
  const QString typed = newPassword_->text();
  AbortWithInfo(typed.isEmpty(), wording::kEnterNewPassword);
  AbortWithInfo(repeat_->text().isEmpty(), wording::kEnterRepeat);
  AbortWithInfo(repeat_->text() != typed, wording::kNewPasswordsDiffer);
  if (!NewMasterPasswordAccepted(this, typed)) {
    newPassword_->selectAll();
    newPassword_->setFocus();
    return;
  }

  // The new key first, then the save under it, then the reload under it. A
  // save that fails leaves the file as it was (it is replaced whole or not
  // at all) and the table with its plain values, so the old key goes back.
  std::string previous = std::exchange(MasterPassword, PasswordBytes(typed));
  try {
    SaveRecords(records_, dataFilePath_, MasterPassword);
  } catch (...) {
    MasterPassword = std::move(previous);
    throw;
  }
  WipeText(previous);
  host_.loadRecords();
  ShowInfo(wording::kPasswordChanged);
  accept();
}

void ChangeMasterPasswordDialog::done(int result) {
  Guarded([this, result] {
    // setText, unlike clear(), also drops the undo history.
    newPassword_->setText(QString());
    repeat_->setText(QString());
    QDialog::done(result);
  });
}

}  // namespace quilor
