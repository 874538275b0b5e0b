#include "PasswordGeneratorDialog.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "PasswordTexts.h"
#include "SecretLineEdit.h"

namespace quilor {

namespace wording = password_texts;

namespace {

QCheckBox* MakeCheck(const char* name, const QString& caption, bool checked, QWidget* parent) {
  auto* check = new QCheckBox(caption, parent);
  check->setObjectName(QString::fromLatin1(name));
  check->setChecked(checked);
  return check;
}

QPushButton* MakeButton(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

QString SymbolsCaption() {
  QString symbols;
  for (const char32_t* c = kPasswordSymbols; *c != 0; ++c) {
    symbols += QChar(*c);
    if (*c == U'&') symbols += QChar(*c);  // a single one would mark a shortcut key
  }
  return wording::kSymbolsCheck + QStringLiteral("(") + symbols + QStringLiteral(")");
}

}  // namespace

PasswordGeneratorDialog::PasswordGeneratorDialog(const QString& caption, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("passwordGenerator"));
  setWindowTitle(caption);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  const PasswordRecipe defaults;
  length_ = new QSpinBox(this);
  length_->setObjectName(QStringLiteral("lengthBox"));
  length_->setRange(PasswordRecipe::kMinLength, PasswordRecipe::kMaxLength);
  length_->setValue(defaults.length);
  length_->setAccessibleName(wording::kLengthLabel);
  lowercase_ = MakeCheck("lowercaseCheck", wording::kLowercaseCheck, defaults.lowercase, this);
  uppercase_ = MakeCheck("uppercaseCheck", wording::kUppercaseCheck, defaults.uppercase, this);
  digits_ = MakeCheck("digitsCheck", wording::kDigitsCheck, defaults.digits, this);
  symbols_ = MakeCheck("symbolsCheck", SymbolsCaption(), defaults.symbols, this);
  turkishLetters_ =
      MakeCheck("turkishCheck", wording::kTurkishCheck, defaults.turkishLetters, this);
  turkishLetters_->setToolTip(wording::kTurkishHint);
  withoutLookAlikes_ =
      MakeCheck("lookAlikesCheck", wording::kLookAlikesCheck, defaults.withoutLookAlikes, this);
  password_ = new SecretLineEdit(this);
  password_->setObjectName(QStringLiteral("generatedPassword"));
  password_->setAccessibleName(wording::kPasswordLabel);
  password_->setReadOnly(true);
  password_->setMasked(false);
  password_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  password_->setMinimumWidth(
      password_->fontMetrics().horizontalAdvance(QString(PasswordRecipe::kMaxLength / 2, 'W')));
  entropy_ = new QLabel(this);
  entropy_->setObjectName(QStringLiteral("entropyLabel"));
  regenerate_ = MakeButton("regenerateButton", wording::kRegenerate, this);
  use_ = MakeButton("useButton", wording::kUse, this);
  cancel_ = MakeButton("cancelButton", wording::kCancel, this);

  auto* form = new QFormLayout;
  form->addRow(wording::kLengthLabel, length_);
  auto* classes = new QVBoxLayout;
  for (QCheckBox* check :
       {lowercase_, uppercase_, digits_, symbols_, turkishLetters_, withoutLookAlikes_}) {
    classes->addWidget(check);
  }
  form->addRow(QString(), classes);
  auto* passwordRow = new QHBoxLayout;
  passwordRow->addWidget(password_, 1);
  passwordRow->addWidget(regenerate_);
  form->addRow(wording::kPasswordLabel, passwordRow);
  form->addRow(QString(), entropy_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(use_);
  buttons->addWidget(cancel_);
  auto* page = new QVBoxLayout(this);
  page->addLayout(form);
  page->addLayout(buttons);
  page->setSizeConstraint(QLayout::SetFixedSize);

  connect(length_, &QSpinBox::valueChanged, this, &PasswordGeneratorDialog::regenerate);
  for (QCheckBox* check :
       {lowercase_, uppercase_, digits_, symbols_, turkishLetters_, withoutLookAlikes_}) {
    connect(check, &QCheckBox::toggled, this, &PasswordGeneratorDialog::regenerate);
  }
  connect(regenerate_, &QPushButton::clicked, this, &PasswordGeneratorDialog::regenerate);
  connect(use_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  regenerate();
}

PasswordRecipe PasswordGeneratorDialog::recipe() const {
  PasswordRecipe recipe;
  recipe.length = length_->value();
  recipe.lowercase = lowercase_->isChecked();
  recipe.uppercase = uppercase_->isChecked();
  recipe.digits = digits_->isChecked();
  recipe.symbols = symbols_->isChecked();
  recipe.turkishLetters = turkishLetters_->isChecked();
  recipe.withoutLookAlikes = withoutLookAlikes_->isChecked();
  return recipe;
}

QString PasswordGeneratorDialog::password() const { return password_->text(); }

void PasswordGeneratorDialog::regenerate() {
  const PasswordRecipe wanted = recipe();
  const std::u32string drawn = GeneratePassword(wanted, random_);
  password_->setText(QString::fromUcs4(drawn.data(), static_cast<qsizetype>(drawn.size())));
  use_->setEnabled(!drawn.empty());
  regenerate_->setEnabled(!drawn.empty());
  entropy_->setText(drawn.empty() ? wording::kNoClassChosen
                                  : wording::kEntropyPrefix +
                                        QString::number(std::floor(PasswordEntropyBits(wanted))) +
                                        wording::kEntropySuffix);
}

}  // namespace quilor
