// The script menu and help, the record commands and the master password
// change, on a real X server with the real main window and data files in a
// scratch folder. Run under tests/support/with-display.sh.
#include <tuple>

#include "EditorOnDisplay.h"

namespace quilor::editor_test {
namespace {

class OpenerCatcher {
 public:
  // exitCode is the opener's answer: xdg-open gives 3 when nothing on the
  // system opens the address.
  explicit OpenerCatcher(int exitCode = 0) : oldPath_(qgetenv("PATH")) {
    const QString script = dir_.filePath(QStringLiteral("xdg-open"));
    QFile file(script);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> \"$0.log\"\n");
    file.write("exit " + QByteArray::number(exitCode) + "\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PATH", dir_.path().toUtf8() + ':' + oldPath_);
  }
  ~OpenerCatcher() { qputenv("PATH", oldPath_); }

  // The arguments of every call so far, waiting (bounded) for count of them.
  QStringList opened(int count) {
    const QString log = dir_.filePath(QStringLiteral("xdg-open.log"));
    QStringList lines;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
          lines = QString::fromUtf8(ReadFile(log)).split('\n', Qt::SkipEmptyParts);
          return lines.size() >= count;
        },
        10000));
    return lines;
  }

 private:
  QTemporaryDir dir_;
  QByteArray oldPath_;
};

TEST_F(EditorOnDisplay, TheDesktopGetsTheAddressAsWrittenOnlyABareWwwGetsAScheme) {
  OpenerCatcher catcher;
  const std::pair<const char*, const char*> cases[] = {
      {"www.banka.com.tr", "http://www.banka.com.tr"},
      {"WwW.banka.com.tr/giriş?a=1&b=2", "http://WwW.banka.com.tr/giriş?a=1&b=2"},
      {"https://banka.com.tr/a b", "https://banka.com.tr/a b"},
      {"banka.com.tr", "banka.com.tr"},
  };
  auto editor = openEditorOn(QStringLiteral("Banka"));
  auto* address = child<QLineEdit>(editor.get(), "webAddressEdit");
  QStringList expected;
  for (const auto& [typed, handed] : cases) {
    address->setText(QString::fromUtf8(typed));
    QTest::mouseClick(child<QPushButton>(editor.get(), "openWebAddressButton"), Qt::LeftButton);
    expected << QString::fromUtf8(handed);
  }
  for (const auto& [typed, message] : {std::pair{"", "Web adresi girilmemiş"},
                                       std::pair{"ali@banka.com.tr", "Bu bir web adresi değil."}}) {
    address->setText(QString::fromUtf8(typed));
    auto info = AnswerNextMessageBox(QMessageBox::Ok);
    QTest::mouseClick(child<QPushButton>(editor.get(), "openWebAddressButton"), Qt::LeftButton);
    EXPECT_EQ(info->text, QString::fromUtf8(message));
  }
  editor->discardChangesAndClose();

  // The main window's command and the tray item hand over the stored address.
  selectRowTitled(QStringLiteral("Banka"));
  command("openWebAddress")->trigger();
  window->trayIcon()
      .menu()
      .findChild<QMenu*>(QStringLiteral("trayRecordMenu"))
      ->actions()
      .at(0)
      ->trigger();
  command("makerWebSite")->trigger();
  expected << "https://www.banka.com.tr"
           << "https://www.banka.com.tr"
           << "http://www.zentaris.com.tr";
  // Each call is a process of its own, so they may finish in any order.
  QStringList opened = catcher.opened(expected.size());
  opened.sort();
  expected.sort();
  EXPECT_EQ(opened, expected);
}

// Without a browser each way to open an address says so.
TEST_F(EditorOnDisplay, AnAddressThatNothingOpensIsReported) {
  OpenerCatcher noBrowser(3);
  QStringList messages;
  auto expectNotice = [&](const std::function<void()>& open) {
    auto info = AnswerNextMessageBox(QMessageBox::Ok);
    open();
    EXPECT_TRUE(QTest::qWaitFor([&] { return info->shown; }, 10000));
    messages << info->text;
  };
  auto editor = openEditorOn(QStringLiteral("Banka"));
  child<QLineEdit>(editor.get(), "webAddressEdit")->setText(QStringLiteral("www.banka.com.tr"));
  expectNotice([&] {
    QTest::mouseClick(child<QPushButton>(editor.get(), "openWebAddressButton"), Qt::LeftButton);
  });
  editor->discardChangesAndClose();
  selectRowTitled(QStringLiteral("Banka"));
  expectNotice([&] { command("openWebAddress")->trigger(); });
  expectNotice([&] {
    window->trayIcon()
        .menu()
        .findChild<QMenu*>(QStringLiteral("trayRecordMenu"))
        ->actions()
        .at(0)
        ->trigger();
  });
  const QString notice =
      QStringLiteral("Web adresi açılamadı: sistemde varsayılan bir tarayıcı bulunamadı.");
  EXPECT_EQ(messages, (QStringList{notice, notice, notice}));
}

TEST_F(EditorOnDisplay, TheScriptMenuInsertsAtTheCaretInTwoColumnsAndMarksTheRecordChanged) {
  auto editor = openEditorOn(QStringLiteral("Kargo Takip"));
  auto* script = child<QLineEdit>(editor.get(), "scriptEdit");
  auto* menu = child<ScriptMenu>(editor.get(), "scriptMenu");
  auto* save = child<QPushButton>(editor.get(), "saveButton");

  auto choose = [&](const QString& caption) {
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(10, 5),
                              script->mapToGlobal(QPoint(10, 5)));
    QApplication::sendEvent(script, &request);
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 5000));
    for (QToolButton* button : menu->findChildren<QToolButton*>()) {
      if (button->text() == caption) {
        QTest::mouseClick(button, Qt::LeftButton);
        return;
      }
    }
    FAIL() << "no entry " << caption.toStdString();
  };

  choose(QStringLiteral("TAB"));
  EXPECT_EQ(script->text(), QStringLiteral("{TAB}"));
  EXPECT_EQ(script->cursorPosition(), 5);
  EXPECT_TRUE(save->isEnabled());
  EXPECT_FALSE(menu->isVisible());
  choose(QStringLiteral("ENTER"));
  script->setCursorPosition(5);
  choose(QStringLiteral("BEKLE_2000"));
  EXPECT_EQ(script->text(), QStringLiteral("{TAB}{BEKLE_2000}{ENTER}"));
  EXPECT_EQ(script->cursorPosition(), 17);
  script->setText(QStringLiteral("xabcx"));
  script->setSelection(1, 3);
  choose(QStringLiteral("SIFRE1"));
  EXPECT_EQ(script->text(), QStringLiteral("x{SIFRE1}abcx"));

  // The layout as the user sees it: 21 entries in the first column, 19 in
  // the second, and a separator line in place of the tenth.
  QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(10, 5),
                            script->mapToGlobal(QPoint(10, 5)));
  QApplication::sendEvent(script, &request);
  ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 5000));
  Screenshot(QStringLiteral("editor-script-menu"));
  const QList<QAction*>& entries = menu->entries();
  ASSERT_EQ(entries.size(), 40);
  EXPECT_TRUE(entries[9]->isSeparator());
  QMap<int, int> perColumn;
  QStringList captions;
  for (QToolButton* button : menu->findChildren<QToolButton*>()) {
    perColumn[button->mapTo(menu, QPoint(0, 0)).x()]++;
    captions << button->text();
  }
  EXPECT_EQ(perColumn.values(), (QList<int>{20, 19}));  // the separator is no button
  EXPECT_FALSE(captions.contains(QStringLiteral("-")));
  EXPECT_TRUE(captions.contains(QStringLiteral("SCROLLLOCK")));
  menu->close();
  editor->discardChangesAndClose();
}

TEST_F(EditorOnDisplay, TheScriptHelpShowsItsTextExactly) {
  auto editor = openEditorOn(QStringLiteral("Banka"));
  QStringList lines;
  QString header;
  WhenShown<ScriptHelpDialog>([&](ScriptHelpDialog* help) {
    EXPECT_EQ(help->windowTitle(), window->windowTitle());
    header = child<QLabel>(help, "header")->text();
    lines = child<QPlainTextEdit>(help, "helpText")->toPlainText().split('\n');
    Screenshot(QStringLiteral("editor-script-help"));
    QTest::keyClick(help, Qt::Key_Escape);
  });
  QTest::mouseClick(child<QPushButton>(editor.get(), "scriptHelpButton"), Qt::LeftButton);
  EXPECT_EQ(ScriptHelpDialog::instance(), nullptr);
  EXPECT_EQ(header, QStringLiteral("  Script Yardımı"));

  QStringList expected =
      QString::fromUtf8(ReadFile(QUILOR_EDITOR_FIXTURES "/script-help.txt")).split('\n');
  expected.removeLast();
  ASSERT_EQ(lines.size(), expected.size());
  for (int i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
  editor->close();
}

TEST_F(EditorOnDisplay, EnterAndDoubleClickOnTheListOpenTheSelectedRecord) {
  selectRowTitled(QStringLiteral("Ziraat"));
  QString seen;
  WhenShown<RecordEditor>([&](RecordEditor* editor) {
    seen = child<QLineEdit>(editor, "titleEdit")->text();
    editor->close();
  });
  list()->setFocus();
  QTest::keyClick(list(), Qt::Key_Return);
  EXPECT_EQ(seen, QStringLiteral("Ziraat"));

  seen.clear();
  WhenShown<RecordEditor>([&](RecordEditor* editor) {
    seen = child<QLineEdit>(editor, "titleEdit")->text();
    Screenshot(QStringLiteral("editor-edit-record"));
    editor->close();
  });
  const QRect cellRect = list()->visualRect(list()->model()->index(rowTitled("Banka"), 1));
  // The press of the first click selects the row; the second click doubles it.
  QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, cellRect.center());
  QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, cellRect.center());
  EXPECT_EQ(seen, QStringLiteral("Banka"));
}

TEST_F(EditorOnDisplay, AChangedMasterPasswordIsTheOnlyOneThatOpensTheFileAfterARestart) {
  const QJsonArray before = ExportWithCli(path, kPassword);
  ASSERT_EQ(before.size(), 4);
  QStringList messages;
  WhenShown<ChangeMasterPasswordDialog>([&](ChangeMasterPasswordDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), window->windowTitle());
    auto* current = child<QLineEdit>(dialog, "currentPasswordEdit");
    auto* fresh = child<QLineEdit>(dialog, "newPasswordEdit");
    auto* repeat = child<QLineEdit>(dialog, "repeatEdit");
    auto* ok = child<QPushButton>(dialog, "okButton");
    // Who reaches the dialog must still know the password in force.
    const std::tuple<const char*, const char*, const char*> attempts[] = {
        {"", "Yeni-Sabah-2026", "Yeni-Sabah-2026"},
        {"Anahtar", "Yeni-Sabah-2026", "Yeni-Sabah-2026"},
        {kPassword, "", ""},
        {kPassword, "Yeni-Sabah-2026", ""},
        {kPassword, "Yeni-Sabah-2026", "yeni-Sabah-2026"},
        {kPassword, "Yeni-Sabah-2026", "Yeni-Sabah-2026"}};
    for (const auto& [now, a, b] : attempts) {
      current->setText(QString::fromUtf8(now));
      fresh->setText(QString::fromUtf8(a));
      repeat->setText(QString::fromUtf8(b));
      auto info = AnswerNextMessageBox(QMessageBox::Ok);
      ok->click();
      messages << info->text;
      EXPECT_TRUE(current->text().isEmpty()) << "a tried password stays in its box";
    }
  });
  command("changeMasterPassword")->trigger();
  EXPECT_EQ(messages,
            (QStringList{"Mevcut şifrenizi giriniz.", "Mevcut şifre yanlış.",
                         "Yeni şifrenizi giriniz.", "Şifre tekrarını giriniz.",
                         "Her iki şifre de aynı olmalıdır.", "Şifreniz başarıyla değiştirildi."}));
  EXPECT_EQ(ChangeMasterPasswordDialog::instance(), nullptr);
  EXPECT_TRUE(window->session().masterPasswordMatches("Yeni-Sabah-2026"));
  EXPECT_EQ(rows(), 4);

  int exitCode = 0;
  ExportWithCli(path, kPassword, &exitCode);
  EXPECT_EQ(exitCode, 3);
  EXPECT_EQ(ExportWithCli(path, QStringLiteral("Yeni-Sabah-2026")), before);

  // A restart: a new window, and the login as the program shows it.
  window.reset();
  openWindow();
  window->hide();
  ASSERT_EQ(rows(), 0);
  QStringList loginMessages;
  auto* poll = new QTimer;
  int attempt = 0;
  QObject::connect(poll, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      loginMessages << box->text();
      box->accept();
      return;
    }
    MasterPasswordDialog* login = MasterPasswordDialog::instance();
    if (login == nullptr || !login->isVisible() || attempt >= 2) return;
    login->findChild<QLineEdit*>(QStringLiteral("passwordBox"))
        ->setText(attempt++ == 0 ? QString::fromUtf8(kPassword)
                                 : QStringLiteral("Yeni-Sabah-2026"));
    QMetaObject::invokeMethod(login->findChild<QPushButton*>(QStringLiteral("loginButton")),
                              "click", Qt::QueuedConnection);
  });
  poll->start(20);
  {
    MasterPasswordDialog login(*window, path.toStdString());
    login.exec();
    EXPECT_TRUE(login.loginOk());
  }
  delete poll;
  EXPECT_EQ(loginMessages, QStringList{QStringLiteral("Ana şifreniz geçersiz.")});
  EXPECT_EQ(rows(), 4);
}

TEST_F(EditorOnDisplay, AMasterPasswordChangeThatCannotBeWrittenKeepsTheOldOne) {
  class FailingRename : public FileSteps {
    int rename(const std::string&, const std::string&) override {
      errno = ENOSPC;
      return -1;
    }
  } failing;
  const QByteArray bytes = ReadFile(path);
  bool stillOpen = false;
  WhenShown<ChangeMasterPasswordDialog>([&](ChangeMasterPasswordDialog* dialog) {
    child<QLineEdit>(dialog, "currentPasswordEdit")->setText(QString::fromUtf8(kPassword));
    child<QLineEdit>(dialog, "newPasswordEdit")->setText(QStringLiteral("Yeni-Sabah-2026"));
    child<QLineEdit>(dialog, "repeatEdit")->setText(QStringLiteral("Yeni-Sabah-2026"));
    {
      ScopedFileSteps steps(failing);
      auto error = AnswerNextMessageBox(QMessageBox::Ok);
      child<QPushButton>(dialog, "okButton")->click();
      EXPECT_EQ(error->caption, QStringLiteral("ZENTARIS Quilor"));
    }
    stillOpen = dialog->isVisible();
    child<QPushButton>(dialog, "cancelButton")->click();
  });
  command("changeMasterPassword")->trigger();
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(window->session().masterPasswordMatches(kPassword));
  EXPECT_EQ(ReadFile(path), bytes);
  ASSERT_TRUE(window->recordTable().locate("202401010900000000001"));
  EXPECT_EQ(window->recordTable().text(Field::Password), "Gizli-1");
}

TEST_F(EditorOnDisplay, DeletingTheLastRecordRemovesTheFileAndTheNextStartIsAFirstStart) {
  RecordTable one;
  test::AppendSample(one,
                     {.title = "Tek", .password = "t", .recordNumber = "202401010900000000009"});
  test::SaveSample(one, path.toStdString(), kPassword);
  window->loadRecords();
  ASSERT_EQ(rows(), 1);
  selectRowTitled(QStringLiteral("Tek"));
  auto yes = AnswerNextMessageBox(QMessageBox::Yes);
  command("deleteRecord")->trigger();
  EXPECT_TRUE(yes->shown);
  EXPECT_FALSE(QFileInfo::exists(path));
  EXPECT_EQ(rows(), 0);

  window.reset();
  openWindow();
  window->hide();
  bool repeatShown = false;
  WhenShown<MasterPasswordDialog>([&](MasterPasswordDialog* login) {
    repeatShown = login->findChild<QLineEdit*>(QStringLiteral("repeatBox"))->isVisible();
    login->setReAuthMode(true);  // closing must not end the test program
    login->reject();
  });
  MasterPasswordDialog login(*window, path.toStdString());
  login.exec();
  EXPECT_TRUE(repeatShown);
}

}  // namespace
}  // namespace quilor::editor_test
