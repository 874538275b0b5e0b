#include "RecordEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <optional>
#include <stdexcept>

#include "Cp1254.h"
#include "DesktopOpener.h"
#include "EditorHost.h"
#include "EditorRules.h"
#include "EditorTexts.h"
#include "ErrorDisplay.h"
#include "Info.h"
#include "OneLineBox.h"
#include "PasswordGeneratorDialog.h"
#include "RecordStamps.h"
#include "RecordTable.h"
#include "ScriptHelpDialog.h"
#include "ScriptItems.h"
#include "SecretLineEdit.h"
#include "StrengthMeter.h"

namespace quilor {

namespace wording = editor_texts;

namespace {

// Puts the table back as it was before a save that failed: a new record
// goes, a changed one gets its old values again.
void PutBack(RecordTable& table, const std::string& recordNumber,
             const std::optional<Record>& before) {
  if (!table.locate(recordNumber)) return;
  if (!before) {
    table.deleteCurrent();
    return;
  }
  table.edit();
  for (int field = 0; field < kFieldCount; ++field) table.setValue(field, before->values[field]);
  table.post();
}

// Sets a box's text only when it differs, so that no change is reported
// for a text that stays the same.
void ShowText(QLineEdit* box, const QString& text) {
  if (box->text() != text) box->setText(text);
}

}  // namespace

RecordEditor* RecordEditor::instance_ = nullptr;

RecordEditor::RecordEditor(EditorHost& host, QWidget* parent) : QDialog(parent), host_(host) {
  instance_ = this;
  setObjectName(QStringLiteral("recordEditor"));
  setWindowTitle(host_.caption());
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  createControls();
  layOutControls();
  connectControls();

  // The groups of the rows the list shows now (a search may narrow them);
  // the user may type a new one. No group is preset.
  group_->addItems(UniqueGroups(host_.listedGroups()));
  group_->setCurrentIndex(-1);
  group_->clearEditText();
  setModified(false);
}

RecordEditor::~RecordEditor() {
  if (instance_ == this) instance_ = nullptr;
}

void RecordEditor::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  showDates();
  title_->setFocus();
  move(screen()->availableGeometry().center() - rect().center());
}

void RecordEditor::setModified(bool modified) {
  modified_ = modified;
  save_->setEnabled(modified);
}

void RecordEditor::loadRecord() {
  const RecordTable& table = host_.recordTable();
  auto text = [&](int field) { return FromCp1254(table.text(field)); };
  title_->setText(text(Field::Title));
  secrets_[0].edit->setText(text(Field::UserName));
  secrets_[1].edit->setText(text(Field::Password));
  secrets_[2].edit->setText(text(Field::Password2));
  description_->setText(text(Field::Description));
  webAddress_->setText(text(Field::WebAddress));
  specialCode1_->setText(text(Field::Code1));
  specialCode2_->setText(text(Field::Code2));
  group_->setEditText(text(Field::Group));
  script_->setText(text(Field::AutoFillScript));
  onTray_->setChecked(table.boolean(Field::ShowInTray));

  password1ChangeDate_ = table.number(Field::PasswordChangedDate);
  password2ChangeDate_ = table.number(Field::Password2ChangedDate);
  password1ChangeTime_ = table.number(Field::PasswordChangedTime);
  password2ChangeTime_ = table.number(Field::Password2ChangedTime);
  recordDate_ = table.number(Field::CreatedDate);

  const int captionFields[] = {Field::UserNameCaption, Field::PasswordCaption,
                               Field::Password2Caption};
  for (std::size_t i = 0; i < secrets_.size(); ++i) {
    const QString stored = text(captionFields[i]);
    secrets_[i].caption->setText(stored.isEmpty() ? secrets_[i].defaultCaption : stored);
  }
  loadedRecordNumber_ = table.text(Field::RecordNumber);

  navigator_->show();
  showDates();
  setModified(false);
}

void RecordEditor::showDates() {
  recordDateLabel_->setText(wording::kRecordDatePrefix + dateFormats_.date(recordDate_));
  auto stamp = [&](double date, double time) {
    return date > 0 ? wording::kLastChangePrefix + dateFormats_.dateAndTime(date, time) : QString();
  };
  password1Stamp_->setText(stamp(password1ChangeDate_, password1ChangeTime_));
  password2Stamp_->setText(stamp(password2ChangeDate_, password2ChangeTime_));
}

RecordTexts RecordEditor::controlTexts() const {
  RecordTexts texts;
  texts[Field::Title] = title_->text();
  texts[Field::UserName] = secrets_[0].edit->text();
  texts[Field::Password] = secrets_[1].edit->text();
  texts[Field::Password2] = secrets_[2].edit->text();
  texts[Field::Description] = description_->text();
  texts[Field::WebAddress] = webAddress_->text();
  texts[Field::Code1] = specialCode1_->text();
  texts[Field::Code2] = specialCode2_->text();
  texts[Field::Group] = group_->currentText();
  texts[Field::AutoFillScript] = script_->text();
  texts[Field::Password2Caption] = secrets_[2].caption->text();
  texts[Field::PasswordCaption] = secrets_[1].caption->text();
  texts[Field::UserNameCaption] = secrets_[0].caption->text();
  return texts;
}

void RecordEditor::showTrimmedTexts(const RecordTexts& texts) {
  ShowText(title_, texts[Field::Title]);
  ShowText(description_, texts[Field::Description]);
  ShowText(webAddress_, texts[Field::WebAddress]);
  ShowText(specialCode1_, texts[Field::Code1]);
  ShowText(specialCode2_, texts[Field::Code2]);
  if (group_->currentText() != texts[Field::Group]) group_->setEditText(texts[Field::Group]);
  ShowText(script_, texts[Field::AutoFillScript]);
  secrets_[0].caption->setText(texts[Field::UserNameCaption]);
  secrets_[1].caption->setText(texts[Field::PasswordCaption]);
  secrets_[2].caption->setText(texts[Field::Password2Caption]);
}

RecordTexts RecordEditor::fieldNames() const {
  RecordTexts names;
  names[Field::Title] = wording::kTitleLabel;
  names[Field::Group] = wording::kGroupLabel;
  names[Field::Description] = wording::kDescriptionLabel;
  names[Field::WebAddress] = wording::kWebAddressLabel;
  names[Field::Code1] = wording::kSpecialCode1Label;
  names[Field::Code2] = wording::kSpecialCode2Label;
  names[Field::AutoFillScript] = wording::kScriptLabel;
  names[Field::UserName] = secrets_[0].caption->text();
  names[Field::Password] = secrets_[1].caption->text();
  names[Field::Password2] = secrets_[2].caption->text();
  for (int caption : {Field::Password2Caption, Field::PasswordCaption, Field::UserNameCaption}) {
    names[caption] = wording::kCaptionFieldName;
  }
  return names;
}

void RecordEditor::saveRecord() {
  RecordTexts texts = controlTexts();
  TrimPlainFields(texts);
  showTrimmedTexts(texts);
  const CheckedRecord checked = CheckRecordTexts(texts, fieldNames());
  AbortWithInfo(!checked.refusal.isEmpty(), checked.refusal);

  RecordTable& table = host_.recordTable();
  std::optional<Record> before;
  if (mode_ == Mode::NewRecord) {
    table.append();
    const QString number = MakeRecordNumber(QDateTime::currentDateTime(),
                                            int(QRandomGenerator::global()->bounded(1000)));
    table.setText(Field::RecordNumber, number.toStdString());
  } else {
    // By number, not by position: a save, a step that stopped at an end, or
    // the auto-fill dialog may all have moved the table's current record.
    if (!table.locate(loadedRecordNumber_))
      throw std::runtime_error(wording::kRecordGone.toStdString());
    before = table.current();
    table.edit();
  }
  writeRecord(checked);
  table.post();
  const std::string recordNumber = table.text(Field::RecordNumber);
  try {
    host_.saveRecords(table.recordId());
  } catch (const RecordsReloaded&) {
    // The editor keeps the user's text for another look and another save.
    throw;
  } catch (...) {
    PutBack(table, recordNumber, before);
    throw;
  }
  // The highlight goes to the record just saved, wherever the sort put it; a
  // copy command then takes this record, never whichever took its row.
  host_.selectRecord(recordNumber);
  loadedRecordNumber_ = recordNumber;
  setModified(false);
}

void RecordEditor::writeRecord(const CheckedRecord& checked) {
  RecordTable& table = host_.recordTable();
  for (int field :
       {Field::Title, Field::UserName, Field::Password, Field::Password2, Field::Description,
        Field::WebAddress, Field::Code1, Field::Code2, Field::Group, Field::AutoFillScript}) {
    table.setText(field, checked.bytes[field]);
  }
  table.setNumber(Field::CreatedDate, recordDate_);
  table.setBoolean(Field::ShowInTray, onTray_->isChecked());
  table.setNumber(Field::PasswordChangedDate, password1ChangeDate_);
  table.setNumber(Field::PasswordChangedTime, password1ChangeTime_);
  table.setNumber(Field::Password2ChangedDate, password2ChangeDate_);
  table.setNumber(Field::Password2ChangedTime, password2ChangeTime_);
  // The captions are stored also when they are the default texts.
  for (int field : {Field::Password2Caption, Field::PasswordCaption, Field::UserNameCaption}) {
    table.setText(field, checked.bytes[field]);
  }
}

bool RecordEditor::confirmChanges() {
  if (!modified_) return true;
  QMessageBox question(QMessageBox::NoIcon, wording::kQuestionCaption,
                       wording::kSaveChangesQuestion,
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
  switch (question.exec()) {
    case QMessageBox::Yes:
      saveRecord();
      return true;
    case QMessageBox::No:
      return true;
    default:
      return false;
  }
}

void RecordEditor::done(int result) {
  Guarded([this, result] {
    // Closing from outside (the idle lock) takes an open generator along.
    if (generator_) generator_->reject();
    if (!confirmChanges()) return;
    QToolTip::hideText();
    for (Secret& secret : secrets_) secret.remask->stop();
    QDialog::done(result);
  });
}

void RecordEditor::discardChangesAndClose() {
  setModified(false);
  reject();
}

void RecordEditor::saveAndClose() {
  Guarded([this] {
    saveRecord();
    accept();
  });
}

void RecordEditor::stampPasswordChange(Secret& secret) {
  const QDateTime now = QDateTime::currentDateTime();
  const double date = DayNumber(now.date());
  const double time = TimeOfDayNumber(now.time());
  if (secret.field == Field::Password) {
    password1ChangeDate_ = date;
    password1ChangeTime_ = time;
    password1Stamp_->setText(wording::kLastChangePrefix + dateFormats_.dateAndTime(date, time));
  } else {
    password2ChangeDate_ = date;
    password2ChangeTime_ = time;
    password2Stamp_->setText(wording::kLastChangePrefix + dateFormats_.dateAndTime(date, time));
  }
  setModified(true);
}

// The generated password counts as typed: it stamps the change and marks
// the record modified, and the box keeps its mask and re-mask timer as they were.
void RecordEditor::generatePassword(Secret& secret) {
  PasswordGeneratorDialog generator(host_.caption(), this);
  generator_ = &generator;
  const bool use = generator.exec() == QDialog::Accepted && isVisible();
  generator_ = nullptr;
  if (!use) return;
  secret.edit->setFocus();
  secret.edit->setText(generator.password());
  stampPasswordChange(secret);
}

void RecordEditor::showStrength(Secret& secret) {
  // A password made of the record's own texts is easy to guess.
  secret.strength->setUserWords({title_->text(), secrets_[0].edit->text(), webAddress_->text()});
  secret.strength->showStrengthOf(secret.edit->text());
}

// Showing or hiding is not an edit: an unchanged record stays unchanged.
void RecordEditor::toggleReveal(Secret& secret) {
  const bool wasModified = modified_;
  if (secret.edit->isMasked()) {
    secret.edit->setMasked(false);
    secret.remask->start();
  } else {
    secret.edit->setMasked(true);
    secret.remask->stop();
  }
  if (!wasModified) setModified(false);
}

void RecordEditor::renameCaption(Secret& secret) {
  bool ok = false;
  const QString answer = QInputDialog::getText(this, host_.caption(), wording::kNewCaptionPrompt,
                                               QLineEdit::Normal, secret.caption->text(), &ok);
  if (!ok) return;
  secret.caption->setText(answer.isEmpty() ? secret.defaultCaption : AsOneLine(answer));
  setModified(true);
}

void RecordEditor::openWebAddress() {
  const QString address = webAddress_->text();
  const QString refusal = WebAddressRefusal(address);
  AbortWithInfo(!refusal.isEmpty(), refusal);
  OpenWithDesktop(address, ShowInfo);
}

void RecordEditor::insertScriptItem(const QString& caption) {
  const int caret =
      script_->hasSelectedText() ? script_->selectionStart() : script_->cursorPosition();
  const ScriptInsertion inserted = InsertScriptItem(script_->text(), caret, caption);
  script_->setText(inserted.text);
  script_->setCursorPosition(inserted.caret);
}

void RecordEditor::openScriptHelp() {
  ScriptHelpDialog help(host_.caption(), this);
  help.exec();
}

void RecordEditor::step(Step direction) {
  if (navigator_->isHidden() || host_.selectedListRow() < 0) return;
  if (!confirmChanges()) return;
  const int selected = host_.selectedListRow();
  if (selected < 0) return;
  if (const auto target = StepTarget(selected, host_.listedRowCount(), direction)) {
    host_.selectListRow(*target);
    host_.makeSelectedRecordCurrent();
    loadRecord();
    return;
  }
  QToolButton* end = direction == Step::Next ? nextButton_ : previousButton_;
  const QString text = direction == Step::Next ? wording::kAtLastRecord : wording::kAtFirstRecord;
  QToolTip::showText(
      end->mapToGlobal(QPoint(end->width() / 2, end->height())),
      QStringLiteral("<b>%1</b><br>%2").arg(host_.caption().toHtmlEscaped(), text.toHtmlEscaped()),
      end, QRect(), 5000);
}

bool RecordEditor::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    for (Secret& secret : secrets_) {
      if (watched == secret.caption) {
        Guarded([&] { renameCaption(secret); });
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace quilor
