// How the record editor is put together: its controls in tab order, their
// layout and what each one does.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "EditorRules.h"
#include "EditorTexts.h"
#include "ErrorDisplay.h"
#include "HeaderLabel.h"
#include "OneLineBox.h"
#include "PasswordTexts.h"
#include "RecordEditor.h"
#include "ScriptMenu.h"
#include "SecretLineEdit.h"
#include "StrengthMeter.h"

namespace quilor {

namespace wording = editor_texts;

namespace {

constexpr int kFieldWidth = 360;

QLineEdit* MakeLineEdit(const char* name, const QString& label, int maxLength, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setAccessibleName(label);
  box->setMaxLength(maxLength);
  box->setMinimumWidth(kFieldWidth);
  KeepOnOneLine(box);
  return box;
}

// No button may be the default: Enter does not save.
QPushButton* MakeButton(const char* name, const QString& caption, const QString& hint,
                        QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  button->setDefault(false);
  if (!hint.isEmpty()) button->setToolTip(hint);
  return button;
}

QPushButton* MakeSmallButton(const char* name, const QString& caption, const QString& hint,
                             QWidget* parent) {
  QPushButton* button = MakeButton(name, caption, hint, parent);
  button->setAccessibleName(hint);
  button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("->")) + 20);
  return button;
}

QLabel* MakeLabel(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

void RecordEditor::createControls() {
  navigator_ = new QWidget(this);
  navigator_->setObjectName(QStringLiteral("navigator"));
  previousAction_ =
      new QAction(style()->standardIcon(QStyle::SP_ArrowBack), wording::kPreviousRecordHint, this);
  previousAction_->setObjectName(QStringLiteral("previousRecord"));
  previousAction_->setShortcut(Qt::Key_PageUp);
  nextAction_ =
      new QAction(style()->standardIcon(QStyle::SP_ArrowForward), wording::kNextRecordHint, this);
  nextAction_->setObjectName(QStringLiteral("nextRecord"));
  nextAction_->setShortcut(Qt::Key_PageDown);
  addAction(previousAction_);
  addAction(nextAction_);
  previousButton_ = new QToolButton(navigator_);
  previousButton_->setObjectName(QStringLiteral("previousButton"));
  previousButton_->setDefaultAction(previousAction_);
  nextButton_ = new QToolButton(navigator_);
  nextButton_->setObjectName(QStringLiteral("nextButton"));
  nextButton_->setDefaultAction(nextAction_);
  navigator_->hide();

  title_ = MakeLineEdit("titleEdit", wording::kTitleLabel, 50, this);
  group_ = new QComboBox(this);
  group_->setObjectName(QStringLiteral("groupCombo"));
  group_->setAccessibleName(wording::kGroupLabel);
  group_->setEditable(true);
  // The list offers the known groups; what the user types is not added to it.
  group_->setInsertPolicy(QComboBox::NoInsert);
  group_->setMinimumWidth(kFieldWidth);
  KeepOnOneLine(group_->lineEdit());
  description_ = MakeLineEdit("descriptionEdit", wording::kDescriptionLabel, 200, this);
  webAddress_ = MakeLineEdit("webAddressEdit", wording::kWebAddressLabel, 100, this);
  onTray_ = new QCheckBox(wording::kTrayCheck, this);
  onTray_->setObjectName(QStringLiteral("trayCheck"));
  specialCode1_ = MakeLineEdit("specialCode1Edit", wording::kSpecialCode1Label, 50, this);
  specialCode2_ = MakeLineEdit("specialCode2Edit", wording::kSpecialCode2Label, 50, this);
  openWebAddress_ = MakeSmallButton("openWebAddressButton", wording::kOpenWebAddressCaption,
                                    wording::kOpenWebAddressHint, this);

  script_ = MakeLineEdit("scriptEdit", wording::kScriptLabel, 500, this);
  script_->setContextMenuPolicy(Qt::CustomContextMenu);
  scriptMenu_ = new ScriptMenu(this);
  scriptNote_ = new QLabel(wording::kScriptNote, this);
  scriptHelp_ = MakeSmallButton("scriptHelpButton", wording::kScriptHelpCaption,
                                wording::kScriptHelpHint, this);

  const struct {
    int field;
    const QString& caption;
    const char* name;
    const QString& revealHint;
  } secrets[] = {
      {Field::UserName, wording::kDefaultUserNameCaption, "userName", wording::kRevealUserNameHint},
      {Field::Password, wording::kDefaultPasswordCaption, "password", wording::kRevealPasswordHint},
      {Field::Password2, wording::kDefaultPassword2Caption, "password2",
       wording::kRevealPasswordHint},
  };
  for (std::size_t i = 0; i < secrets_.size(); ++i) {
    const QString name = QString::fromLatin1(secrets[i].name);
    Secret& secret = secrets_[i];
    secret.field = secrets[i].field;
    secret.defaultCaption = secrets[i].caption;
    secret.edit = new SecretLineEdit(this);
    secret.edit->setObjectName(name + QStringLiteral("Edit"));
    secret.edit->setAccessibleName(secret.defaultCaption);
    secret.edit->setMinimumWidth(kFieldWidth);
    secret.caption = new QLabel(secret.defaultCaption, this);
    secret.caption->setObjectName(name + QStringLiteral("Caption"));
    QFont underlined = secret.caption->font();
    underlined.setUnderline(true);
    secret.caption->setFont(underlined);
    secret.caption->setCursor(Qt::PointingHandCursor);
    secret.caption->setToolTip(wording::kCaptionHint);
    secret.caption->setBuddy(secret.edit);
    secret.caption->installEventFilter(this);
    auto* reveal = new QToolButton(this);
    reveal->setObjectName(name + QStringLiteral("RevealButton"));
    reveal->setText(wording::kRevealCaption);
    reveal->setToolTip(secrets[i].revealHint);
    reveal->setAccessibleName(secrets[i].revealHint);
    secret.reveal = reveal;
    secret.remask = new QTimer(this);
    secret.remask->setObjectName(name + QStringLiteral("RemaskTimer"));
    secret.remask->setSingleShot(true);
    secret.remask->setInterval(kRevealMilliseconds);
    if (secret.field == Field::UserName) continue;
    auto* generate = new QToolButton(this);
    generate->setObjectName(name + QStringLiteral("GenerateButton"));
    generate->setText(password_texts::kGenerateCaption);
    generate->setToolTip(password_texts::kGenerateHint);
    generate->setAccessibleName(password_texts::kGenerateHint);
    secret.generate = generate;
    secret.strength = new StrengthMeter(this);
    secret.strength->setObjectName(name + QStringLiteral("Strength"));
  }
  password1Stamp_ = new QLabel(this);
  password1Stamp_->setObjectName(QStringLiteral("passwordStamp"));
  password2Stamp_ = new QLabel(this);
  password2Stamp_->setObjectName(QStringLiteral("password2Stamp"));

  save_ = MakeButton("saveButton", wording::kSave, {}, this);
  cancel_ = MakeButton("cancelButton", wording::kCancel, {}, this);
  recordDateLabel_ = new QLabel(this);
  recordDateLabel_->setObjectName(QStringLiteral("recordDateLabel"));
}

void RecordEditor::layOutControls() {
  auto* header = new QHBoxLayout;
  header->setContentsMargins(0, 0, 0, 0);
  header->addWidget(MakeHeaderLabel(wording::kHeader, this), 1);
  auto* steps = new QHBoxLayout(navigator_);
  steps->setContentsMargins(4, 0, 4, 0);
  steps->addWidget(previousButton_);
  steps->addWidget(nextButton_);
  header->addWidget(navigator_);

  auto* general = new QGroupBox(wording::kGeneralGroup, this);
  auto* generalGrid = new QGridLayout(general);
  generalGrid->addWidget(MakeLabel(wording::kTitleLabel, title_, general), 0, 0);
  generalGrid->addWidget(title_, 0, 1);
  generalGrid->addWidget(MakeLabel(wording::kGroupLabel, group_, general), 1, 0);
  generalGrid->addWidget(group_, 1, 1);
  generalGrid->addWidget(MakeLabel(wording::kDescriptionLabel, description_, general), 2, 0);
  generalGrid->addWidget(description_, 2, 1);
  generalGrid->addWidget(MakeLabel(wording::kWebAddressLabel, webAddress_, general), 3, 0);
  generalGrid->addWidget(webAddress_, 3, 1);
  generalGrid->addWidget(openWebAddress_, 3, 2);
  generalGrid->addWidget(onTray_, 4, 1);
  generalGrid->addWidget(MakeLabel(wording::kSpecialCode1Label, specialCode1_, general), 5, 0);
  generalGrid->addWidget(specialCode1_, 5, 1);
  generalGrid->addWidget(MakeLabel(wording::kSpecialCode2Label, specialCode2_, general), 6, 0);
  generalGrid->addWidget(specialCode2_, 6, 1);

  auto* autoFill = new QGroupBox(wording::kAutoFillGroup, this);
  auto* autoFillGrid = new QGridLayout(autoFill);
  autoFillGrid->addWidget(MakeLabel(wording::kScriptLabel, script_, autoFill), 0, 0);
  autoFillGrid->addWidget(script_, 0, 1);
  autoFillGrid->addWidget(scriptHelp_, 0, 2);
  autoFillGrid->addWidget(scriptNote_, 1, 1);

  auto* secretsBox = new QGroupBox(wording::kSecretsGroup, this);
  auto* secretsGrid = new QGridLayout(secretsBox);
  QLabel* stamps[] = {nullptr, password1Stamp_, password2Stamp_};
  int row = 0;
  for (std::size_t i = 0; i < secrets_.size(); ++i) {
    secretsGrid->addWidget(secrets_[i].caption, row, 0);
    secretsGrid->addWidget(secrets_[i].edit, row, 1);
    secretsGrid->addWidget(secrets_[i].reveal, row, 2);
    if (secrets_[i].generate != nullptr) secretsGrid->addWidget(secrets_[i].generate, row, 3);
    ++row;
    if (secrets_[i].strength != nullptr) secretsGrid->addWidget(secrets_[i].strength, row++, 1);
    if (stamps[i] != nullptr) secretsGrid->addWidget(stamps[i], row++, 1);
  }
  // Labels and boxes of the three groups line up in one column.
  const int labelWidth = QFontMetrics(font()).horizontalAdvance(wording::kWebAddressLabel) + 16;
  for (QGridLayout* grid : {generalGrid, autoFillGrid, secretsGrid}) {
    grid->setColumnMinimumWidth(0, labelWidth);
    grid->setColumnMinimumWidth(2, openWebAddress_->width());
  }

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(recordDateLabel_);
  bottom->addStretch(1);
  bottom->addWidget(save_);
  bottom->addWidget(cancel_);

  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(0, 0, 0, 8);
  page->addLayout(header);
  for (QWidget* box : {static_cast<QWidget*>(general), static_cast<QWidget*>(autoFill),
                       static_cast<QWidget*>(secretsBox)}) {
    auto* margin = new QHBoxLayout;
    margin->setContentsMargins(8, 0, 8, 0);
    margin->addWidget(box);
    page->addLayout(margin);
  }
  bottom->setContentsMargins(8, 0, 8, 0);
  page->addLayout(bottom);
  // Fixed size: the dialog takes the size its controls ask for.
  page->setSizeConstraint(QLayout::SetFixedSize);

  QWidget* order[] = {title_,
                      group_,
                      description_,
                      webAddress_,
                      onTray_,
                      specialCode1_,
                      specialCode2_,
                      openWebAddress_,
                      script_,
                      scriptHelp_,
                      secrets_[0].edit,
                      secrets_[1].edit,
                      secrets_[2].edit,
                      secrets_[0].reveal,
                      secrets_[1].reveal,
                      secrets_[2].reveal,
                      secrets_[1].generate,
                      secrets_[2].generate,
                      save_,
                      cancel_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void RecordEditor::connectControls() {
  auto modified = [this] { setModified(true); };
  for (QLineEdit* box : {title_, description_, webAddress_, specialCode1_, specialCode2_, script_,
                         static_cast<QLineEdit*>(secrets_[0].edit)}) {
    connect(box, &QLineEdit::textChanged, this, modified);
  }
  connect(group_, &QComboBox::editTextChanged, this, modified);
  connect(onTray_, &QCheckBox::clicked, this, modified);

  // Only the user's own edits stamp a password, and only while it has the
  // focus: filling the dialog leaves no trace.
  for (Secret* secret : {&secrets_[1], &secrets_[2]}) {
    connect(secret->edit, &QLineEdit::textEdited, this, [this, secret] {
      if (secret->edit->hasFocus()) stampPasswordChange(*secret);
    });
  }
  for (Secret& secret : secrets_) {
    connect(secret.reveal, &QToolButton::clicked, this,
            [this, &secret] { Guarded([&] { toggleReveal(secret); }); });
    connect(secret.remask, &QTimer::timeout, this, [&secret] { secret.edit->setMasked(true); });
    if (secret.generate == nullptr) continue;
    connect(secret.generate, &QToolButton::clicked, this,
            [this, &secret] { Guarded([&] { generatePassword(secret); }); });
    connect(secret.edit, &QLineEdit::textChanged, this, [this, &secret] { showStrength(secret); });
  }

  connect(openWebAddress_, &QPushButton::clicked, this,
          [this] { Guarded([this] { openWebAddress(); }); });
  connect(script_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    Guarded([&] { scriptMenu_->popup(script_->mapToGlobal(pos)); });
  });
  connect(scriptMenu_, &ScriptMenu::itemChosen, this,
          [this](const QString& caption) { Guarded([&] { insertScriptItem(caption); }); });
  connect(scriptHelp_, &QPushButton::clicked, this,
          [this] { Guarded([this] { openScriptHelp(); }); });
  connect(previousAction_, &QAction::triggered, this,
          [this] { Guarded([this] { step(Step::Previous); }); });
  connect(nextAction_, &QAction::triggered, this,
          [this] { Guarded([this] { step(Step::Next); }); });
  connect(save_, &QPushButton::clicked, this, &RecordEditor::saveAndClose);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace quilor
