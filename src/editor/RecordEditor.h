#pragma once

#include <QDialog>
#include <QPointer>
#include <array>
#include <string>

#include "RecordInput.h"
#include "RecordRow.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;
class QWidget;

namespace quilor {

class EditorHost;
class PasswordGeneratorDialog;
class ScriptMenu;
class SecretLineEdit;
class StrengthMeter;
enum class Step;

// The dialog in which the user creates a record (NewRecord) or changes the
// record selected in the main list (EditRecord, with steps to the previous
// and next listed record). Saving writes the whole table and reloads it at
// once. Created per use and shown modally; while it exists, instance() names it.
class RecordEditor : public QDialog {
  Q_OBJECT

 public:
  enum class Mode { NewRecord = 1, EditRecord = 2 };
  // How long a revealed user name or password stays readable.
  static constexpr int kRevealMilliseconds = 15000;

  explicit RecordEditor(EditorHost& host, QWidget* parent = nullptr);
  ~RecordEditor() override;

  static RecordEditor* instance() { return instance_; }

  Mode mode() const { return mode_; }
  void setMode(Mode mode) { mode_ = mode; }
  // The creation date of a new record, as a day count since 1899-12-30.
  void setRecordDate(double days) { recordDate_ = days; }

  // Fills the dialog from the table's current record and shows the steps.
  void loadRecord();
  // Validates, writes the record into the table, saves and reloads. After a
  // refusal the user has been told and SilentAbort ends the calling action.
  void saveRecord();
  // Asks whether to save pending changes; false: stay as it is.
  bool confirmChanges();
  void setModified(bool modified);
  bool isModified() const { return modified_; }
  void showDates();
  // For the idle lock: unsaved changes are dropped without a question.
  void discardChangesAndClose();

  // Every way of closing passes here: pending changes are asked about first.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A user name or password box with its caption, stamp and reveal timer.
  struct Secret {
    int field;
    QString defaultCaption;
    QLabel* caption = nullptr;
    SecretLineEdit* edit = nullptr;
    QToolButton* reveal = nullptr;
    QTimer* remask = nullptr;
    // Passwords only: the generator button and the strength meter.
    QToolButton* generate = nullptr;
    StrengthMeter* strength = nullptr;
  };

  void createControls();
  void layOutControls();
  void connectControls();

  RecordTexts controlTexts() const;
  void showTrimmedTexts(const RecordTexts& texts);
  RecordTexts fieldNames() const;
  void writeRecord(const CheckedRecord& checked);

  void stampPasswordChange(Secret& secret);
  void toggleReveal(Secret& secret);
  void generatePassword(Secret& secret);
  void showStrength(Secret& secret);
  void renameCaption(Secret& secret);
  void openWebAddress();
  void insertScriptItem(const QString& caption);
  void openScriptHelp();
  void step(Step direction);
  void saveAndClose();

  static RecordEditor* instance_;

  EditorHost& host_;
  Mode mode_ = Mode::NewRecord;
  bool modified_ = false;
  double recordDate_ = 0;
  double password1ChangeDate_ = 0;
  double password1ChangeTime_ = 0;
  double password2ChangeDate_ = 0;
  double password2ChangeTime_ = 0;
  // The record the dialog was last filled from, found again by its number
  // at save time: the table's current record moves in between.
  std::string loadedRecordNumber_;
  RowDateFormats dateFormats_;

  QWidget* navigator_ = nullptr;
  QAction* previousAction_ = nullptr;
  QAction* nextAction_ = nullptr;
  QToolButton* previousButton_ = nullptr;
  QToolButton* nextButton_ = nullptr;
  QLineEdit* title_ = nullptr;
  QComboBox* group_ = nullptr;
  QLineEdit* description_ = nullptr;
  QLineEdit* webAddress_ = nullptr;
  QCheckBox* onTray_ = nullptr;
  QLineEdit* specialCode1_ = nullptr;
  QLineEdit* specialCode2_ = nullptr;
  QPushButton* openWebAddress_ = nullptr;
  QLineEdit* script_ = nullptr;
  QLabel* scriptNote_ = nullptr;
  QPushButton* scriptHelp_ = nullptr;
  ScriptMenu* scriptMenu_ = nullptr;
  // Open while the user picks a password; closed with the editor.
  QPointer<PasswordGeneratorDialog> generator_;
  std::array<Secret, 3> secrets_;  // user name, password, password 2
  QLabel* password1Stamp_ = nullptr;
  QLabel* password2Stamp_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QLabel* recordDateLabel_ = nullptr;
};

}  // namespace quilor
