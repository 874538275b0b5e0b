// The main window's saves on a data file that a sync engine replaces behind
// its back: another version is written in a folder of its own and renamed
// over the file between the window's read and its save. Run under
// tests/support/with-display.sh.
#include "EditorOnDisplay.h"
#include "MainWindowTexts.h"

namespace quilor::editor_test {
namespace {

class SyncedFile : public EditorOnDisplay {
 protected:
  // Types a new title into an open editor and clicks "Kaydet"; the text of
  // the box that comes up is returned once it is answered.
  QString retitleAndSave(RecordEditor& editor, const QString& title) {
    auto* box = child<QLineEdit>(&editor, "titleEdit");
    box->selectAll();
    typeInto(box, title);
    auto info = AnswerNextMessageBox(QMessageBox::Ok);
    QTest::mouseClick(child<QPushButton>(&editor, "saveButton"), Qt::LeftButton);
    return info->text;
  }
};

TEST_F(SyncedFile, AChangeToAnotherRecordElsewhereIsTakenInWithTheUsersOwn) {
  auto editor = openEditorOn(QStringLiteral("Banka"));
  changeElsewhere(QStringLiteral("Ziraat"), QStringLiteral("Orada degisti"));
  EXPECT_EQ(retitleAndSave(*editor, QStringLiteral("Bankam")), texts::kChangesFromElsewhereTaken);
  editor->discardChangesAndClose();
  const QJsonArray records = ExportWithCli(path, kPassword);
  EXPECT_EQ(records.size(), 4);
  EXPECT_EQ(RecordTitled(records, QStringLiteral("Ziraat"))[QStringLiteral("ALAN6")].toString(),
            QStringLiteral("Orada degisti"));
  EXPECT_FALSE(RecordTitled(records, QStringLiteral("Bankam")).isEmpty());
  EXPECT_GE(rowTitled(QStringLiteral("Bankam")), 0);
}

TEST_F(SyncedFile, TheSameRecordChangedElsewhereWritesNothingAndKeepsTheEditorOpen) {
  auto editor = openEditorOn(QStringLiteral("Banka"));
  changeElsewhere(QStringLiteral("Banka"), QStringLiteral("Orada degisti"));
  const QByteArray theirs = ReadFile(path);
  EXPECT_EQ(retitleAndSave(*editor, QStringLiteral("Bankam")), texts::kRecordChangedElsewhere);
  EXPECT_EQ(ReadFile(path), theirs);
  EXPECT_TRUE(editor->isVisible());
  EXPECT_EQ(child<QLineEdit>(editor.get(), "titleEdit")->text(), QStringLiteral("Bankam"));
  // The list shows the records as they are now.
  EXPECT_GE(rowTitled(QStringLiteral("Banka")), 0);

  // Saved again after a look: the user's version goes in.
  QTest::mouseClick(child<QPushButton>(editor.get(), "saveButton"), Qt::LeftButton);
  editor->discardChangesAndClose();
  EXPECT_FALSE(RecordTitled(ExportWithCli(path, kPassword), QStringLiteral("Bankam")).isEmpty());
}

TEST_F(SyncedFile, AFileThatNoLongerOpensIsNeverWrittenOver) {
  auto editor = openEditorOn(QStringLiteral("Banka"));
  changeElsewhere(QStringLiteral("Ziraat"), QStringLiteral("Orada degisti"), "yeni ana şifre");
  const QByteArray theirs = ReadFile(path);
  EXPECT_EQ(retitleAndSave(*editor, QStringLiteral("Bankam")), texts::kFileNoLongerOpens);
  EXPECT_EQ(ReadFile(path), theirs);
  EXPECT_TRUE(editor->isVisible());
  editor->discardChangesAndClose();

  // Nor does a delete write over it.
  selectRowTitled(QStringLiteral("Ziraat"));
  auto question = AnswerNextMessageBox(QMessageBox::Yes);
  auto info = AnswerNextMessageBox(QMessageBox::Ok);
  command("deleteRecord")->trigger();
  EXPECT_TRUE(question->shown);
  EXPECT_EQ(info->text, texts::kFileNoLongerOpens);
  EXPECT_EQ(ReadFile(path), theirs);
}

}  // namespace
}  // namespace quilor::editor_test
