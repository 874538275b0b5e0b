// The record editor, on a real X server with the real main window and data
// files in a scratch folder; what was written is read back with quilor-cli.
// Run under tests/support/with-display.sh.
#include "EditorOnDisplay.h"

namespace quilor::editor_test {
namespace {

TEST_F(EditorOnDisplay, ANewRecordWithATitleAndAPasswordIsWrittenWithItsNumberDatesAndCaptions) {
  const QDateTime before = QDateTime::currentDateTime();
  WhenShown<RecordEditor>([&](RecordEditor* editor) {
    EXPECT_EQ(editor->windowTitle(), window->windowTitle());
    EXPECT_TRUE(child<QWidget>(editor, "navigator")->isHidden());
    EXPECT_TRUE(child<QLineEdit>(editor, "titleEdit")->hasFocus());
    EXPECT_FALSE(child<QPushButton>(editor, "saveButton")->isEnabled());
    EXPECT_EQ(child<QComboBox>(editor, "groupCombo")->currentText(), QString());
    Screenshot(QStringLiteral("editor-new-record"));
    typeInto(child<QLineEdit>(editor, "titleEdit"), QStringLiteral("Yeni Hesap"));
    typeInto(child<QLineEdit>(editor, "passwordEdit"), QStringLiteral("ş1fre"));
    EXPECT_TRUE(child<QLabel>(editor, "passwordStamp")->text().startsWith("Son Düzenleme "));
    EXPECT_EQ(child<QLabel>(editor, "password2Stamp")->text(), QString());
    QTest::mouseClick(child<QPushButton>(editor, "saveButton"), Qt::LeftButton);
  });
  command("newRecord")->trigger();
  const QDateTime after = QDateTime::currentDateTime();

  EXPECT_EQ(rows(), 5);
  EXPECT_GE(rowTitled(QStringLiteral("Yeni Hesap")), 0);
  const QJsonObject record = RecordTitled(ExportWithCli(path, kPassword), "Yeni Hesap");
  const QString number = record["ALAN1"].toString();
  EXPECT_TRUE(QRegularExpression("^[0-9]{21}$").match(number).hasMatch()) << number.toStdString();
  EXPECT_GE(number.left(17), before.toString("yyyyMMddhhmmsszzz"));
  EXPECT_LE(number.left(17), after.toString("yyyyMMddhhmmsszzz"));
  EXPECT_EQ(number[17], QChar('0'));
  EXPECT_EQ(record["ALAN4"].toString(), QStringLiteral("ş1fre"));
  EXPECT_EQ(record["ALAN11"].toDouble(), DayNumber(QDate::currentDate()));
  EXPECT_EQ(record["ALAN12"].toDouble(), DayNumber(QDate::currentDate()));
  EXPECT_GE(record["ALAN13"].toDouble(), TimeOfDayNumber(before.time()) - 1e-6);
  EXPECT_LE(record["ALAN13"].toDouble(), TimeOfDayNumber(after.time()) + 1e-6);
  EXPECT_EQ(record["ALAN14"].toDouble(), 0);
  EXPECT_EQ(record["ALAN15"].toDouble(), 0);
  EXPECT_FALSE(record["ALAN17"].toBool());
  EXPECT_EQ(record["ALAN18"].toString(), QStringLiteral("Şifre 2"));
  EXPECT_EQ(record["ALAN19"].toString(), QStringLiteral("Şifre"));
  EXPECT_EQ(record["ALAN20"].toString(), QStringLiteral("Kullanıcı Adı"));
  for (const char* empty : {"ALAN3", "ALAN5", "ALAN6", "ALAN7", "ALAN10", "ALAN16"}) {
    EXPECT_TRUE(record[empty].isNull() || record[empty].toString().isEmpty()) << empty;
  }
}

TEST_F(EditorOnDisplay, TabFollowsTheFormsOrderBoxesKeepTheirLimitsAndEnterDoesNotSave) {
  auto editor = openEditorOn(QStringLiteral("Banka"));
  const QStringList expected{"titleEdit",
                             "groupCombo",
                             "descriptionEdit",
                             "webAddressEdit",
                             "trayCheck",
                             "specialCode1Edit",
                             "specialCode2Edit",
                             "openWebAddressButton",
                             "scriptEdit",
                             "scriptHelpButton",
                             "userNameEdit",
                             "passwordEdit",
                             "password2Edit",
                             "userNameRevealButton",
                             "passwordRevealButton",
                             "password2RevealButton",
                             "passwordGenerateButton",
                             "password2GenerateButton",
                             "saveButton",
                             "cancelButton"};
  QStringList order;
  QWidget* at = child<QWidget>(editor.get(), "titleEdit");
  for (int i = 0; i < expected.size(); ++i) {
    order << at->objectName();
    do {
      at = at->nextInFocusChain();
    } while (at->objectName().isEmpty() || !(at->focusPolicy() & Qt::TabFocus));
  }
  EXPECT_EQ(order, expected);

  const std::pair<const char*, int> limits[] = {
      {"titleEdit", 50},        {"descriptionEdit", 200}, {"webAddressEdit", 100},
      {"specialCode1Edit", 50}, {"specialCode2Edit", 50}, {"scriptEdit", 500},
      {"userNameEdit", 32767},  {"passwordEdit", 32767},  {"password2Edit", 32767}};
  for (const auto& [name, limit] : limits) {
    EXPECT_EQ(child<QLineEdit>(editor.get(), name)->maxLength(), limit) << name;
  }

  const QByteArray bytes = ReadFile(path);
  auto* title = child<QLineEdit>(editor.get(), "titleEdit");
  typeInto(title, QStringLiteral("x"));
  QTest::keyClick(title, Qt::Key_Return);
  EXPECT_TRUE(editor->isVisible());
  EXPECT_TRUE(editor->isModified());
  EXPECT_EQ(ReadFile(path), bytes);
  editor->discardChangesAndClose();
}

TEST_F(EditorOnDisplay, OpeningAndClosingARecordAsksNothingAndWritesNothing) {
  const QByteArray bytes = ReadFile(path);
  const QDateTime written = QFileInfo(path).lastModified();
  const std::pair<const char*, std::function<void(RecordEditor*)>> ways[] = {
      {"Vazgeç", [](RecordEditor* e) { child<QPushButton>(e, "cancelButton")->click(); }},
      {"Esc", [](RecordEditor* e) { QTest::keyClick(e, Qt::Key_Escape); }},
      {"title bar", [](RecordEditor* e) { e->close(); }},
  };
  for (const auto& entry : ways) {
    // Named copies: a lambda may not capture a structured binding here.
    const char* way = entry.first;
    const auto& close = entry.second;
    selectRowTitled(QStringLiteral("Banka"));
    auto question = AnswerNextMessageBox(QMessageBox::Cancel);
    WhenShown<RecordEditor>([&](RecordEditor* editor) {
      EXPECT_EQ(child<QLineEdit>(editor, "titleEdit")->text(), QStringLiteral("Banka")) << way;
      EXPECT_FALSE(child<QWidget>(editor, "navigator")->isHidden());
      close(editor);
    });
    command("editRecord")->trigger();
    EXPECT_EQ(RecordEditor::instance(), nullptr) << way;
    EXPECT_FALSE(question->shown) << way;
  }
  EXPECT_EQ(ReadFile(path), bytes);
  EXPECT_EQ(QFileInfo(path).lastModified(), written);
}

TEST_F(EditorOnDisplay, TheSaveQuestionOnCloseKeepsDropsOrSavesTheChanges) {
  auto editor = openEditorOn(QStringLiteral("Ziraat"));
  auto* description = child<QLineEdit>(editor.get(), "descriptionEdit");
  description->setText(QStringLiteral("Emekli maaşı"));
  const QByteArray bytes = ReadFile(path);

  auto cancel = AnswerNextMessageBox(QMessageBox::Cancel);
  editor->close();
  EXPECT_EQ(cancel->caption, QStringLiteral("Soru"));
  EXPECT_EQ(cancel->text, QStringLiteral("Değişiklikleri kaydetmek istiyor musunuz?"));
  EXPECT_TRUE(editor->isVisible());
  EXPECT_TRUE(editor->isModified());
  EXPECT_EQ(description->text(), QStringLiteral("Emekli maaşı"));

  auto no = AnswerNextMessageBox(QMessageBox::No);
  editor->close();
  EXPECT_TRUE(no->shown);
  EXPECT_FALSE(editor->isVisible());
  EXPECT_EQ(ReadFile(path), bytes);

  editor = openEditorOn(QStringLiteral("Ziraat"));
  child<QLineEdit>(editor.get(), "descriptionEdit")->setText(QStringLiteral("Emekli maaşı"));
  auto yes = AnswerNextMessageBox(QMessageBox::Yes);
  press(editor.get(), Qt::Key_Escape);
  EXPECT_TRUE(yes->shown);
  EXPECT_FALSE(editor->isVisible());
  EXPECT_EQ(RecordTitled(ExportWithCli(path, kPassword), "Ziraat")["ALAN6"].toString(),
            QStringLiteral("Emekli maaşı"));

  // Yes with an empty title: the save is refused and the dialog stays.
  editor = openEditorOn(QStringLiteral("Ziraat"));
  child<QLineEdit>(editor.get(), "titleEdit")->clear();
  auto refusedYes = AnswerNextMessageBox(QMessageBox::Yes);
  auto info = AnswerNextMessageBox(QMessageBox::Ok);
  editor->close();
  EXPECT_TRUE(refusedYes->shown);
  EXPECT_EQ(info->text, QStringLiteral("Şifrenin tanımını giriniz."));
  EXPECT_TRUE(editor->isVisible());
  editor->discardChangesAndClose();
}

TEST_F(EditorOnDisplay, StepsAskFirstStopAtTheEndsWithATipAndSaveIntoTheLoadedRecord) {
  auto editor = openEditorOn(QStringLiteral("Şirket e-posta"));
  auto* title = child<QLineEdit>(editor.get(), "titleEdit");

  // Page Down with nothing changed moves on at once.
  press(editor.get(), Qt::Key_PageDown);
  EXPECT_EQ(title->text(), QStringLiteral("Ziraat"));

  // At the last row: Cancel stays on the record with its change.
  title->setText(QStringLiteral("Zümrüt"));
  auto cancel = AnswerNextMessageBox(QMessageBox::Cancel);
  press(editor.get(), Qt::Key_PageDown);
  EXPECT_TRUE(cancel->shown);
  EXPECT_EQ(title->text(), QStringLiteral("Zümrüt"));
  EXPECT_TRUE(editor->isModified());

  // Yes saves, and the tip says this is the last record.
  auto yes = AnswerNextMessageBox(QMessageBox::Yes);
  press(editor.get(), Qt::Key_PageDown);
  EXPECT_TRUE(yes->shown);
  EXPECT_TRUE(editor->isVisible());
  EXPECT_FALSE(editor->isModified());
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("Şu an son kayıttasınız.")));
  EXPECT_TRUE(QToolTip::text().contains(window->windowTitle()));
  Screenshot(QStringLiteral("editor-edit-record-at-the-end"));
  EXPECT_EQ(cell(3, 0), QStringLiteral("Zümrüt"));

  // A further change goes into the same record, found by its number; the
  // record moves to the top, and the highlight goes with it.
  title->setText(QStringLiteral("Akbank"));
  child<QLineEdit>(editor.get(), "descriptionEdit")->setText(QStringLiteral("yeni açıklama"));
  QTest::mouseClick(child<QPushButton>(editor.get(), "saveButton"), Qt::LeftButton);
  EXPECT_FALSE(editor->isVisible());
  EXPECT_FALSE(QToolTip::isVisible());
  EXPECT_EQ(cell(0, 0), QStringLiteral("Akbank"));
  EXPECT_EQ(window->selectedListRow(), 0);
  const QJsonArray records = ExportWithCli(path, kPassword);
  ASSERT_EQ(records.size(), 4);
  const QJsonObject akbank = RecordTitled(records, "Akbank");
  EXPECT_EQ(akbank["ALAN1"].toString(), QStringLiteral("202401010900000000004"));
  EXPECT_EQ(akbank["ALAN6"].toString(), QStringLiteral("yeni açıklama"));
  EXPECT_EQ(RecordTitled(records, "Şirket e-posta")["ALAN6"].toString(), QString());

  // Page Up at the first row: the other tip; No drops the change and moves.
  editor = openEditorOn(QStringLiteral("Akbank"));
  press(editor.get(), Qt::Key_PageUp);
  EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("Şu an ilk kayıttasınız.")));
  child<QLineEdit>(editor.get(), "titleEdit")->setText(QStringLiteral("bırakılan"));
  auto no = AnswerNextMessageBox(QMessageBox::No);
  press(editor.get(), Qt::Key_PageDown);
  EXPECT_TRUE(no->shown);
  EXPECT_EQ(child<QLineEdit>(editor.get(), "titleEdit")->text(), QStringLiteral("Banka"));
  EXPECT_FALSE(editor->isModified());
  editor->close();
}

// Text pasted into a one-line box stays on one line: each line break becomes
// a blank, and the record saves.
TEST_F(EditorOnDisplay, PastedLineBreaksBecomeBlanksAndTheRecordSaves) {
  auto editor = openEditorOn(QStringLiteral("Banka"));
  const std::pair<const char*, const char*> boxes[] = {{"descriptionEdit", "ALAN6"},
                                                       {"passwordEdit", "ALAN4"}};
  for (const auto& [box, field] : boxes) {
    auto* edit = child<QLineEdit>(editor.get(), box);
    edit->clear();
    edit->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("birinci satır\r\nikinci\nüçüncü"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("birinci satır ikinci üçüncü")) << box;
  }
  QTest::mouseClick(child<QPushButton>(editor.get(), "saveButton"), Qt::LeftButton);
  EXPECT_FALSE(editor->isVisible());
  const QJsonObject saved = RecordTitled(ExportWithCli(path, kPassword), "Banka");
  for (const auto& [box, field] : boxes) {
    EXPECT_EQ(saved[QString::fromLatin1(field)].toString(),
              QStringLiteral("birinci satır ikinci üçüncü"))
        << field;
  }
}

TEST_F(EditorOnDisplay, ARevealedSecretIsMaskedAgainAndNeitherStepIsAnEdit) {
  auto editor = openEditorOn(QStringLiteral("Banka"));
  auto* save = child<QPushButton>(editor.get(), "saveButton");
  for (const std::string prefix : {"userName", "password", "password2"}) {
    const char* name = prefix.c_str();
    auto* box = child<SecretLineEdit>(editor.get(), (prefix + "Edit").c_str());
    auto* timer = child<QTimer>(editor.get(), (prefix + "RemaskTimer").c_str());
    EXPECT_EQ(timer->interval(), 15000);
    timer->setInterval(50);
    ASSERT_TRUE(box->isMasked());
    QTest::mouseClick(child<QToolButton>(editor.get(), (prefix + "RevealButton").c_str()),
                      Qt::LeftButton);
    EXPECT_FALSE(box->isMasked()) << name;
    EXPECT_FALSE(save->isEnabled()) << name;
    EXPECT_TRUE(QTest::qWaitFor([&] { return box->isMasked(); }, 5000)) << name;
    EXPECT_FALSE(save->isEnabled()) << name;
  }
  // Hiding by the button stops the timer; a pending edit stays pending.
  child<QLineEdit>(editor.get(), "descriptionEdit")->setText(QStringLiteral("x"));
  auto* reveal = child<QToolButton>(editor.get(), "passwordRevealButton");
  QTest::mouseClick(reveal, Qt::LeftButton);
  QTest::mouseClick(reveal, Qt::LeftButton);
  EXPECT_FALSE(child<QTimer>(editor.get(), "passwordRemaskTimer")->isActive());
  EXPECT_TRUE(save->isEnabled());
  editor->discardChangesAndClose();
}

TEST_F(EditorOnDisplay, PasswordStampsComeOnlyFromTheUsersOwnEdits) {
  auto editor = openEditorOn(QStringLiteral("Banka"));
  auto* stamp = child<QLabel>(editor.get(), "passwordStamp");
  const QString stored = stamp->text();
  EXPECT_TRUE(stored.startsWith(QStringLiteral("Son Düzenleme ")));
  EXPECT_EQ(child<QLabel>(editor.get(), "password2Stamp")->text(), QString());
  EXPECT_TRUE(child<QLabel>(editor.get(), "recordDateLabel")->text().startsWith("Kayıt Tarihi "));

  // Set by the program while another box has the focus: no trace.
  child<QLineEdit>(editor.get(), "titleEdit")->setFocus();
  child<QLineEdit>(editor.get(), "password2Edit")->setText(QStringLiteral("kod"));
  EXPECT_EQ(child<QLabel>(editor.get(), "password2Stamp")->text(), QString());
  EXPECT_FALSE(editor->isModified());

  typeInto(child<QLineEdit>(editor.get(), "password2Edit"), QStringLiteral("2"));
  EXPECT_TRUE(child<QLabel>(editor.get(), "password2Stamp")->text().startsWith("Son Düzenleme "));
  EXPECT_EQ(stamp->text(), stored);
  EXPECT_TRUE(editor->isModified());
  QTest::mouseClick(child<QPushButton>(editor.get(), "saveButton"), Qt::LeftButton);

  const QJsonObject banka = RecordTitled(ExportWithCli(path, kPassword), "Banka");
  EXPECT_EQ(banka["ALAN5"].toString(), QStringLiteral("kod2"));
  EXPECT_EQ(banka["ALAN12"].toDouble(), test::Days(2021, 5, 6));
  EXPECT_EQ(banka["ALAN13"].toDouble(), 0.5);
  EXPECT_EQ(banka["ALAN14"].toDouble(), DayNumber(QDate::currentDate()));
  EXPECT_EQ(banka["ALAN11"].toDouble(), test::Days(2020, 1, 2));
}

TEST_F(EditorOnDisplay, ACaptionIsRenamedThroughAPromptAndAnEmptyAnswerRestoresTheDefault) {
  auto editor = openEditorOn(QStringLiteral("Kargo Takip"));
  auto* caption = child<QLabel>(editor.get(), "passwordCaption");
  EXPECT_TRUE(caption->font().underline());
  EXPECT_EQ(caption->cursor().shape(), Qt::PointingHandCursor);

  QString prompt, initial, title;
  WhenShown<QInputDialog>([&](QInputDialog* ask) {
    title = ask->windowTitle();
    prompt = ask->labelText();
    initial = ask->textValue();
    ask->setTextValue(QStringLiteral("PIN"));
    ask->accept();
  });
  QTest::mouseClick(caption, Qt::LeftButton);
  EXPECT_EQ(title, window->windowTitle());
  EXPECT_EQ(prompt,
            QStringLiteral("Yeni başlık giriniz. (Varsayılan başlığa dönmek için boş giriniz.)"));
  EXPECT_EQ(initial, QStringLiteral("Şifre"));
  EXPECT_EQ(caption->text(), QStringLiteral("PIN"));
  EXPECT_TRUE(editor->isModified());
  QTest::mouseClick(child<QPushButton>(editor.get(), "saveButton"), Qt::LeftButton);
  EXPECT_EQ(RecordTitled(ExportWithCli(path, kPassword), "Kargo Takip")["ALAN19"].toString(),
            QStringLiteral("PIN"));

  editor = openEditorOn(QStringLiteral("Kargo Takip"));
  caption = child<QLabel>(editor.get(), "passwordCaption");
  EXPECT_EQ(caption->text(), QStringLiteral("PIN"));
  WhenShown<QInputDialog>([](QInputDialog* ask) {
    ask->setTextValue(QString());
    ask->accept();
  });
  QTest::mouseClick(caption, Qt::LeftButton);
  EXPECT_EQ(caption->text(), QStringLiteral("Şifre"));
  EXPECT_TRUE(editor->isModified());
  QTest::mouseClick(child<QPushButton>(editor.get(), "saveButton"), Qt::LeftButton);
  EXPECT_EQ(RecordTitled(ExportWithCli(path, kPassword), "Kargo Takip")["ALAN19"].toString(),
            QStringLiteral("Şifre"));
}

TEST_F(EditorOnDisplay, TheGroupListHoldsTheListedGroupsOnceAndAGroupIsStoredToThirtyBytes) {
  auto editor = openEditorOn(QStringLiteral("Banka"));
  auto* group = child<QComboBox>(editor.get(), "groupCombo");
  QStringList items;
  for (int i = 0; i < group->count(); ++i) items << group->itemText(i);
  // List order is by title: Banka (Ev), Kargo Takip (İŞ), Şirket e-posta (İş), Ziraat (Banka).
  EXPECT_EQ(items, (QStringList{"Ev", "İŞ", "Banka"}));
  EXPECT_EQ(group->currentText(), QStringLiteral("Ev"));

  group->setEditText(QString(40, 'g'));
  QTest::mouseClick(child<QPushButton>(editor.get(), "saveButton"), Qt::LeftButton);
  EXPECT_EQ(RecordTitled(ExportWithCli(path, kPassword), "Banka")["ALAN10"].toString(),
            QString(30, 'g'));
}

TEST_F(EditorOnDisplay, ValuesTheFileCannotKeepAreRefusedByNameAndNothingIsWritten) {
  const QByteArray bytes = ReadFile(path);
  struct Case {
    const char* box;
    QString text;
    QString message;
  };
  const Case cases[] = {
      {"titleEdit", QStringLiteral("Banka ✓"),
       QStringLiteral("Tanımı alanında kullanılamayan karakter: ✓")},
      {"passwordEdit", QString(354, 'p'), QStringLiteral("Şifre en fazla 353 bayt olabilir.")},
      {"userNameEdit", QString(355, 'u') + "ü",
       QStringLiteral("Kullanıcı Adı en fazla 355 bayt olabilir.")},
      {"descriptionEdit", QStringLiteral("\"alıntı\""),
       QStringLiteral("Açıklama aynı tırnak işaretiyle başlayıp bitemez; kayıt dosyası bu "
                      "tırnakları saklamaz.")},
  };
  for (const Case& c : cases) {
    auto editor = openEditorOn(QStringLiteral("Banka"));
    // The last character typed, so that a password counts as the user's edit.
    child<QLineEdit>(editor.get(), c.box)->setText(c.text.chopped(1));
    typeInto(child<QLineEdit>(editor.get(), c.box), c.text.right(1));
    auto info = AnswerNextMessageBox(QMessageBox::Ok);
    QTest::mouseClick(child<QPushButton>(editor.get(), "saveButton"), Qt::LeftButton);
    EXPECT_EQ(info->caption, QStringLiteral("Bilgi")) << c.box;
    EXPECT_EQ(info->text, c.message) << c.box;
    EXPECT_TRUE(editor->isVisible()) << c.box;
    EXPECT_EQ(ReadFile(path), bytes) << c.box;
    EXPECT_EQ(rows(), 4);
    editor->discardChangesAndClose();
  }

  // Outer blanks would vanish on the next load: they go now, in sight.
  auto editor = openEditorOn(QStringLiteral("Banka"));
  auto* title = child<QLineEdit>(editor.get(), "titleEdit");
  title->setText(QStringLiteral("  Banka Yeni "));
  editor->saveRecord();
  EXPECT_EQ(title->text(), QStringLiteral("Banka Yeni"));
  EXPECT_GE(RecordTitled(ExportWithCli(path, kPassword), "Banka Yeni").size(), 1);
  editor->close();
}

TEST_F(EditorOnDisplay, AFailedSaveLeavesTableListAndFileAsTheyWere) {
  class FailingRename : public FileSteps {
    int rename(const std::string&, const std::string&) override {
      errno = EIO;
      return -1;
    }
  } failing;
  const QByteArray bytes = ReadFile(path);
  auto editor = openEditorOn(QStringLiteral("Ziraat"));
  child<QLineEdit>(editor.get(), "titleEdit")->setText(QStringLiteral("Akbank"));
  {
    ScopedFileSteps steps(failing);
    auto error = AnswerNextMessageBox(QMessageBox::Ok);
    QTest::mouseClick(child<QPushButton>(editor.get(), "saveButton"), Qt::LeftButton);
    EXPECT_TRUE(error->shown);
  }
  EXPECT_TRUE(editor->isVisible());
  EXPECT_EQ(ReadFile(path), bytes);
  EXPECT_EQ(rowTitled(QStringLiteral("Ziraat")), 3);
  ASSERT_TRUE(window->recordTable().locate("202401010900000000004"));
  EXPECT_EQ(window->recordTable().text(Field::Title), "Ziraat");
  EXPECT_EQ(window->recordTable().recordCount(), 4u);

  // A new record that cannot be written does not stay in the table either.
  editor->discardChangesAndClose();
  RecordEditor fresh(*window, window.get());
  fresh.show();
  child<QLineEdit>(&fresh, "titleEdit")->setText(QStringLiteral("Yazılamayan"));
  child<QLineEdit>(&fresh, "passwordEdit")->setText(QStringLiteral("p"));
  {
    ScopedFileSteps steps(failing);
    auto error = AnswerNextMessageBox(QMessageBox::Ok);
    QTest::mouseClick(child<QPushButton>(&fresh, "saveButton"), Qt::LeftButton);
    EXPECT_TRUE(error->shown);
  }
  EXPECT_EQ(window->recordTable().recordCount(), 4u);
  EXPECT_EQ(ReadFile(path), bytes);
  fresh.discardChangesAndClose();
}

TEST_F(EditorOnDisplay, ShownSecretsStillOfferNoCopy) {
  auto editor = openEditorOn(QStringLiteral("Banka"));
  auto* password = child<SecretLineEdit>(editor.get(), "passwordEdit");
  QTest::mouseClick(child<QToolButton>(editor.get(), "passwordRevealButton"), Qt::LeftButton);
  ASSERT_FALSE(password->isMasked());
  QGuiApplication::clipboard()->setText(QStringLiteral("önceki"));
  password->setFocus();
  QTest::keyClick(password, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(password, Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(password, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(password->text(), QStringLiteral("Gizli-1"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("önceki"));
  EXPECT_NE(QGuiApplication::clipboard()->text(QClipboard::Selection), QStringLiteral("Gizli-1"));
  EXPECT_FALSE(password->dragEnabled());

  // The box's own menu offers neither copy nor cut; paste and the rest stay.
  QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5),
                            password->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(password, &request);
  QMenu* menu = nullptr;
  ASSERT_TRUE(QTest::qWaitFor([&] {
    menu = password->findChild<QMenu*>();
    return menu != nullptr && menu->isVisible();
  }));
  QStringList offered;
  for (QAction* action : menu->actions()) {
    if (!action->isSeparator()) offered << action->text().section('\t', 0, 0).remove('&');
  }
  EXPECT_FALSE(offered.contains(QStringLiteral("Copy"))) << offered.join(',').toStdString();
  EXPECT_FALSE(offered.contains(QStringLiteral("Cut"))) << offered.join(',').toStdString();
  EXPECT_TRUE(offered.contains(QStringLiteral("Paste"))) << offered.join(',').toStdString();
  menu->close();
  editor->discardChangesAndClose();
}

// Takes what the program hands to the desktop's opener: an xdg-open first on
// PATH that writes its arguments to a file, one per line.
}  // namespace
}  // namespace quilor::editor_test

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
