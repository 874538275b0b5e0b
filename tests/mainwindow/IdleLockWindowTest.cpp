// The idle lock of the window on a real X server, with an idle time the test
// sets: what it closes, what it leaves open, and what runs on in the tray.
// Run under tests/support/with-display.sh --tray.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "AutoFillDialog.h"
#include "ChangeMasterPasswordDialog.h"
#include "Files.h"
#include "LockedWindow.h"
#include "RecordEditor.h"
#include "ScriptHelpDialog.h"
#include "SecretClipboard.h"

namespace quilor {
namespace {

using namespace test;

// A minute without input closes every dialog that shows records or takes
// changes, drops what was typed without a question, and locks the window.
TEST_F(LockedWindow, TheIdleLockClosesTheDialogsWithoutAskingAndWritesNothing) {
  struct Case {
    const char* name;
    const char* opener;
    // Called by the hand while the opener's dialog runs: true once the
    // dialogs of the case are open and changed.
    std::function<bool()> prepare;
  };
  auto typeInto = [](QDialog* dialog, const char* box, const char* text) {
    auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(box));
    if (edit->text() != QString::fromUtf8(text)) edit->setText(QString::fromUtf8(text));
  };
  bool helpAsked = false;
  bool autoFillAsked = false;
  const Case cases[] = {
      {"editor with unsaved changes under its script help", "editRecord",
       [&] {
         RecordEditor* editor = Shown(RecordEditor::instance());
         if (editor == nullptr) return false;
         typeInto(editor, "titleEdit", "Değişti");
         if (!helpAsked) {
           helpAsked = true;
           QMetaObject::invokeMethod(
               editor->findChild<QPushButton*>(QStringLiteral("scriptHelpButton")), "click",
               Qt::QueuedConnection);
         }
         return editor->isModified() && Shown(ScriptHelpDialog::instance()) != nullptr;
       }},
      {"master password change with a new password typed", "changeMasterPassword",
       [&] {
         ChangeMasterPasswordDialog* change = Shown(ChangeMasterPasswordDialog::instance());
         if (change == nullptr) return false;
         typeInto(change, "currentPasswordEdit", kPassword);
         typeInto(change, "newPasswordEdit", "yeni");
         typeInto(change, "repeatEdit", "yeni");
         return true;
       }},
      {"auto-fill opened by the hot key over a changed editor", "editRecord",
       [&] {
         RecordEditor* editor = Shown(RecordEditor::instance());
         if (editor == nullptr) return false;
         typeInto(editor, "titleEdit", "Değişti");
         if (!autoFillAsked) {
           autoFillAsked = true;
           EXPECT_TRUE(PressHotKey());
         }
         return editor->isModified() && Shown(AutoFillDialog::current()) != nullptr;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!window) openWindow();
    selectFirstRow();
    const std::string before = test::ReadBytes(path);
    QStringList boxes;
    {
      Hand hand([&] {
        NoteUnexpectedBox(boxes);
        if (idle.milliseconds == 0 && c.prepare()) idle.milliseconds = 60001;
      });
      action(c.opener)->trigger();
    }
    EXPECT_EQ(idle.milliseconds, 60001u);
    EXPECT_EQ(boxes.join(" | ").toStdString(), "");
    EXPECT_EQ(RecordEditor::instance(), nullptr);
    EXPECT_EQ(ScriptHelpDialog::instance(), nullptr);
    EXPECT_EQ(ChangeMasterPasswordDialog::instance(), nullptr);
    EXPECT_EQ(AutoFillDialog::current(), nullptr);
    EXPECT_TRUE(lockedInTray());
    EXPECT_EQ(test::ReadBytes(path), before);
    EXPECT_TRUE(window->session().masterPasswordMatches(kPassword));
    window.reset();
    idle.milliseconds = 0;
  }
}

// A question open when the lock comes is answered with what changes
// nothing, before the lock goes on: an answer given later would act on a
// locked window. Every other window of the program closes as well.
TEST_F(LockedWindow, TheIdleLockAnswersOpenQuestionsNoAndClosesEveryWindow) {
  struct Case {
    const char* name;
    const char* opener;
    // True once the window the case leaves open at the lock is on the screen.
    std::function<bool()> prepare;
  };
  auto boxShowing = [](const QString& text) {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    return box != nullptr && box->isVisible() && box->text().startsWith(text);
  };
  bool closeAsked = false;
  const Case cases[] = {
      {"the delete question", "deleteRecord",
       [&] {
         return boxShowing(QStringLiteral("Bu şifreyi silmek istediğinizden emin misiniz?"));
       }},
      {"the editor's save question", "editRecord",
       [&] {
         RecordEditor* editor = Shown(RecordEditor::instance());
         if (editor == nullptr) return false;
         if (!closeAsked) {
           closeAsked = true;
           editor->findChild<QLineEdit*>(QStringLiteral("titleEdit"))->setText("Değişti");
           QMetaObject::invokeMethod(editor, "reject", Qt::QueuedConnection);
         }
         return boxShowing(QStringLiteral("Değişiklikleri kaydetmek istiyor musunuz?"));
       }},
      {"the about box", "about",
       [&] {
         return Shown(window->findChild<QDialog*>(QStringLiteral("aboutDialog"))) != nullptr;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!window) openWindow();
    selectFirstRow();
    const std::string before = test::ReadBytes(path);
    {
      Hand hand([&] {
        if (idle.milliseconds == 0 && c.prepare()) idle.milliseconds = 60001;
      });
      action(c.opener)->trigger();
    }
    EXPECT_EQ(idle.milliseconds, 60001u);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    for (QWidget* other : QApplication::topLevelWidgets()) {
      EXPECT_FALSE(other->isVisible() && qobject_cast<QDialog*>(other) != nullptr)
          << other->objectName().toStdString() << " is still open";
    }
    EXPECT_TRUE(lockedInTray());
    EXPECT_EQ(test::ReadBytes(path), before);
    // Nothing deciphered stays in memory while locked.
    EXPECT_TRUE(window->records().isEmpty());
    window.reset();
    idle.milliseconds = 0;
    closeAsked = false;
  }
}

TEST_F(LockedWindow, AClipboardCountdownRunsOnWhileTheWindowIsInTheTray) {
  selectFirstRow();
  window->secretClipboard().setTickInterval(5);
  action("copyPassword")->trigger();
  ASSERT_TRUE(window->secretClipboard().counting());
  action("hideToTray")->trigger();
  ASSERT_TRUE(lockedInTray());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !window->secretClipboard().counting(); }, kWait));
  EXPECT_TRUE(lockedInTray());
}

}  // namespace
}  // namespace quilor
