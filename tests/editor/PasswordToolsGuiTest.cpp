// The password generator beside the editor's passwords and the strength
// meters under new passwords, on a real X server with the real main window.
// Run under tests/support/with-display.sh.
#include <QProgressBar>
#include <QSpinBox>

#include "EditorOnDisplay.h"
#include "PasswordGeneratorDialog.h"
#include "StrengthMeter.h"

namespace quilor::editor_test {
namespace {

const QString kLastChange = QStringLiteral("Son Düzenleme ");

// A click on the box's square, which is where a stretched check box toggles.
void Toggle(QCheckBox* check) {
  const int middle = check->height() / 2;
  QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(middle, middle));
}

TEST_F(EditorOnDisplay, KullanPutsTheGeneratedPasswordInAsIfTypedAndItIsSaved) {
  auto editor = openEditorOn(QStringLiteral("Banka"));
  auto* password2 = child<SecretLineEdit>(editor.get(), "password2Edit");
  const QString stamp1 = child<QLabel>(editor.get(), "passwordStamp")->text();
  ASSERT_EQ(child<QLabel>(editor.get(), "password2Stamp")->text(), QString());
  ASSERT_FALSE(editor->isModified());

  QString generated;
  WhenShown<PasswordGeneratorDialog>([&](PasswordGeneratorDialog* generator) {
    auto* length = child<QSpinBox>(generator, "lengthBox");
    auto* shown = child<QLineEdit>(generator, "generatedPassword");
    auto* entropy = child<QLabel>(generator, "entropyLabel");
    auto* use = child<QPushButton>(generator, "useButton");
    EXPECT_EQ(length->value(), 20);
    EXPECT_EQ(length->minimum(), 8);
    EXPECT_EQ(length->maximum(), 64);
    EXPECT_EQ(shown->text().size(), 20);
    EXPECT_FALSE(child<QCheckBox>(generator, "turkishCheck")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(generator, "lookAlikesCheck")->isChecked());
    EXPECT_TRUE(QRegularExpression("^Entropi: [0-9]+ bit$").match(entropy->text()).hasMatch())
        << entropy->text().toStdString();

    // No class chosen: nothing to use.
    for (const char* name : {"lowercaseCheck", "uppercaseCheck", "digitsCheck", "symbolsCheck"}) {
      Toggle(child<QCheckBox>(generator, name));
    }
    EXPECT_FALSE(use->isEnabled());
    EXPECT_EQ(shown->text(), QString());
    EXPECT_EQ(entropy->text(), QStringLiteral("En az bir karakter türü seçiniz."));

    Toggle(child<QCheckBox>(generator, "digitsCheck"));
    Toggle(child<QCheckBox>(generator, "turkishCheck"));
    length->setValue(12);
    EXPECT_TRUE(QRegularExpression("^[0-9çğıöşü]{12}$").match(shown->text()).hasMatch())
        << shown->text().toStdString();
    EXPECT_TRUE(QRegularExpression("[çğıöşü]").match(shown->text()).hasMatch());
    EXPECT_TRUE(QRegularExpression("[0-9]").match(shown->text()).hasMatch());
    Toggle(child<QCheckBox>(generator, "lowercaseCheck"));
    Toggle(child<QCheckBox>(generator, "uppercaseCheck"));
    Screenshot(QStringLiteral("password-generator"));
    generated = generator->password();
    QTest::mouseClick(use, Qt::LeftButton);
  });
  QTest::mouseClick(child<QToolButton>(editor.get(), "password2GenerateButton"), Qt::LeftButton);

  ASSERT_EQ(generated.size(), 12);
  EXPECT_EQ(password2->text(), generated);
  EXPECT_TRUE(password2->isMasked()) << "using a password does not show it";
  EXPECT_TRUE(child<QLabel>(editor.get(), "password2Stamp")->text().startsWith(kLastChange));
  EXPECT_EQ(child<QLabel>(editor.get(), "passwordStamp")->text(), stamp1);
  EXPECT_TRUE(editor->isModified());
  EXPECT_FALSE(child<StrengthMeter>(editor.get(), "password2Strength")->word().isEmpty());
  Screenshot(QStringLiteral("editor-generated-password"));
  QTest::mouseClick(child<QPushButton>(editor.get(), "saveButton"), Qt::LeftButton);

  const QJsonObject banka = RecordTitled(ExportWithCli(path, kPassword), "Banka");
  EXPECT_EQ(banka["ALAN5"].toString(), generated);
  EXPECT_EQ(banka["ALAN14"].toDouble(), DayNumber(QDate::currentDate()));
  EXPECT_EQ(banka["ALAN12"].toDouble(), test::Days(2021, 5, 6));
}

TEST_F(EditorOnDisplay, AGeneratorLeftWithVazgecChangesNothing) {
  auto editor = openEditorOn(QStringLiteral("Ziraat"));
  auto* password = child<SecretLineEdit>(editor.get(), "passwordEdit");
  const QString stamp = child<QLabel>(editor.get(), "passwordStamp")->text();
  WhenShown<PasswordGeneratorDialog>([&](PasswordGeneratorDialog* generator) {
    EXPECT_EQ(generator->windowTitle(), window->windowTitle());
    QTest::mouseClick(child<QPushButton>(generator, "cancelButton"), Qt::LeftButton);
  });
  QTest::mouseClick(child<QToolButton>(editor.get(), "passwordGenerateButton"), Qt::LeftButton);
  EXPECT_EQ(password->text(), QStringLiteral("z"));
  EXPECT_EQ(child<QLabel>(editor.get(), "passwordStamp")->text(), stamp);
  EXPECT_FALSE(editor->isModified());
  editor->discardChangesAndClose();
}

TEST_F(EditorOnDisplay, AnEditorClosedFromOutsideTakesItsOpenGeneratorAlong) {
  // As the idle lock closes the editor: its changes dropped, no question.
  auto editor = openEditorOn(QStringLiteral("Ziraat"));
  bool generatorOpen = false;
  WhenShown<PasswordGeneratorDialog>([&](PasswordGeneratorDialog* generator) {
    generatorOpen = generator->isVisible();
    editor->discardChangesAndClose();
  });
  QTest::mouseClick(child<QToolButton>(editor.get(), "passwordGenerateButton"), Qt::LeftButton);
  EXPECT_TRUE(generatorOpen);
  EXPECT_FALSE(editor->isVisible());
  EXPECT_EQ(editor->findChild<PasswordGeneratorDialog*>(), nullptr);
  EXPECT_EQ(child<SecretLineEdit>(editor.get(), "passwordEdit")->text(), QStringLiteral("z"));
  EXPECT_FALSE(editor->isModified());
}

TEST_F(EditorOnDisplay, TheMeterFollowsTypingAndCountsTheRecordsOwnTexts) {
  auto editor = openEditorOn(QStringLiteral("Kargo Takip"));
  auto* password = child<SecretLineEdit>(editor.get(), "passwordEdit");
  auto* meter = child<StrengthMeter>(editor.get(), "passwordStrength");
  auto* bar = child<QProgressBar>(meter, "strengthBar");
  EXPECT_EQ(meter->word(), QStringLiteral("Çok zayıf")) << "the loaded password is rated";

  password->clear();
  EXPECT_EQ(meter->word(), QString());
  EXPECT_EQ(bar->value(), 0);
  typeInto(password, QStringLiteral("a"));
  EXPECT_EQ(meter->word(), QStringLiteral("Çok zayıf"));
  EXPECT_EQ(bar->value(), 1);
  typeInto(password, QStringLiteral("Xk9!mP2@vL7#qR4&wT6*"));
  EXPECT_EQ(meter->word(), QStringLiteral("Çok güçlü"));
  EXPECT_EQ(bar->value(), 5);
  EXPECT_TRUE(meter->hint().startsWith("Tahmin için gereken deneme sayısı: yaklaşık "))
      << meter->hint().toStdString();
  Screenshot(QStringLiteral("editor-strength-meter"));

  // A Turkish letter counts as one character, as the data file holds it,
  // not as the two bytes it takes in UTF-8 (which would rate "ağaçlık" Güçlü).
  password->clear();
  typeInto(password, QStringLiteral("ağaçlık"));
  EXPECT_EQ(meter->word(), QStringLiteral("Zayıf"));

  // The same password is weaker when the record's title gives it away.
  password->clear();
  typeInto(password, QStringLiteral("Zeytinburnu1987"));
  EXPECT_EQ(meter->word(), QStringLiteral("Orta"));
  child<QLineEdit>(editor.get(), "titleEdit")->setText(QStringLiteral("Zeytinburnu"));
  password->clear();
  typeInto(password, QStringLiteral("Zeytinburnu1987"));
  EXPECT_EQ(meter->word(), QStringLiteral("Çok zayıf"));
  // A weak password is still saved: the meter only informs.
  QTest::mouseClick(child<QPushButton>(editor.get(), "saveButton"), Qt::LeftButton);
  EXPECT_EQ(RecordTitled(ExportWithCli(path, kPassword), "Zeytinburnu")["ALAN4"].toString(),
            QStringLiteral("Zeytinburnu1987"));
}

// Enter in "Şifre Tekrar" presses "Tamam"; a weak new password is asked
// about, and taken only on "Evet".
TEST_F(EditorOnDisplay, TheChangeDialogRatesTheNewPasswordAndTakesAWeakOneWhenToldTo) {
  QString word;
  QString question;
  bool openAfterNo = false;
  bool unchangedAfterNo = false;
  QString info;
  WhenShown<ChangeMasterPasswordDialog>([&](ChangeMasterPasswordDialog* dialog) {
    auto* meter = child<StrengthMeter>(dialog, "newPasswordStrength");
    auto* repeat = child<QLineEdit>(dialog, "repeatEdit");
    auto fill = [&] {
      typeInto(child<QLineEdit>(dialog, "currentPasswordEdit"), QString::fromUtf8(kPassword));
      typeInto(child<QLineEdit>(dialog, "newPasswordEdit"), QStringLiteral("1"));
      typeInto(repeat, QStringLiteral("1"));
    };
    EXPECT_EQ(meter->word(), QString());
    fill();
    word = meter->word();
    Screenshot(QStringLiteral("change-master-password-meter"));
    auto no = AnswerNextMessageBox(QMessageBox::No);
    QTest::keyClick(repeat, Qt::Key_Return);
    question = no->text;
    openAfterNo = dialog->isVisible() && repeat->text().isEmpty();
    unchangedAfterNo = window->session().masterPasswordMatches(kPassword);

    fill();
    auto yes = AnswerNextMessageBox(QMessageBox::Yes);
    auto seen = AnswerNextMessageBox(QMessageBox::Ok);
    QTest::keyClick(repeat, Qt::Key_Return);
    info = seen->text;
  });
  command("changeMasterPassword")->trigger();
  EXPECT_EQ(word, QStringLiteral("Çok zayıf"));
  EXPECT_EQ(question,
            QStringLiteral("Bu ana şifre kolay tahmin edilebilir. Veri dosyası ele geçerse "
                           "şifre hızla denenebilir. Yine de kullanılsın mı?"));
  EXPECT_TRUE(openAfterNo);
  EXPECT_TRUE(unchangedAfterNo);
  EXPECT_EQ(info, QStringLiteral("Şifreniz başarıyla değiştirildi."));
  EXPECT_TRUE(window->session().masterPasswordMatches("1"));
}

}  // namespace
}  // namespace quilor::editor_test
