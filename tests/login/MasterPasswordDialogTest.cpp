// The master password dialog as the user meets it, on a real X server with a
// window manager: typed keys, the notices it shows, what it leaves behind.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

#include "Cp1254.h"
#include "Files.h"
#include "Identity.h"
#include "Info.h"
#include "LoginHost.h"
#include "MasterPasswordDialog.h"
#include "MessageBoxAnswer.h"
#include "ProtectedRecords.h"
#include "SampleDataFile.h"
#include "Session.h"
#include "StrengthMeter.h"

namespace quilor {
namespace {

const QString kMaster = QStringLiteral("Gizli Şifre");

// The main window's side of the login, with a real session behind it.
class FakeHost : public LoginHost {
 public:
  explicit FakeHost(std::string path) : session(std::move(path)) {}

  QString caption() const override { return MainCaption(); }
  void logIn(std::string_view password) override {
    ++loads;
    session.logIn(password);
  }
  bool unlock(std::string_view password) override { return session.unlock(password); }
  bool masterPasswordMatches(std::string_view password) const override {
    return session.masterPasswordMatches(password);
  }
  void changeMasterPassword(std::string_view password) override {
    session.changeMasterPassword(password);
  }
  void showMainWindow() override { mainWindowShown = true; }
  void showTrayIcon() override { trayIconShown = true; }
  bool idleTimeAvailable() const override { return idleAvailable; }
  void setIdleTimerActive(bool active) override { idleTimerActive = active; }

  Session session;
  int loads = 0;
  bool mainWindowShown = false;
  bool trayIconShown = false;
  bool idleAvailable = true;
  std::optional<bool> idleTimerActive;
};

using test::AnswerMessageBox;
using test::SeenBox;

// Types text as key presses carrying their characters; QTest::keyClicks
// knows only ASCII.
void Type(QWidget* into, const QString& text) {
  for (QChar c : text) {
    QTest::sendKeyEvent(QTest::Press, into, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, into, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

class MasterPasswordDialogOnDisplay : public ::testing::Test {
 protected:
  std::string dataPath() const { return folder_.file("data.xtr"); }
  QByteArray dataBytes() const {
    QFile file(QString::fromStdString(dataPath()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void writeSampleData() { test::WriteSampleDataFile(dataPath(), ToCp1254(kMaster).bytes); }

  // Shows the dialog as its callers do and waits until the user could type.
  std::unique_ptr<MasterPasswordDialog> open(bool reAuthMode = false, LoginHost* host = nullptr) {
    auto dialog =
        std::make_unique<MasterPasswordDialog>(host != nullptr ? *host : host_, dataPath());
    dialog->setReAuthMode(reAuthMode);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    return dialog;
  }

  static QLineEdit* box(MasterPasswordDialog& d, const char* name) {
    return d.findChild<QLineEdit*>(QString::fromLatin1(name));
  }
  static QPushButton* button(MasterPasswordDialog& d, const char* name) {
    return d.findChild<QPushButton*>(QString::fromLatin1(name));
  }

  // Types text into a box and presses Enter there; the notice it brought up.
  static std::optional<SeenBox> typeAndEnter(QLineEdit* into, const QString& text) {
    Type(into, text);
    return AnswerMessageBox([into] { QTest::keyClick(into, Qt::Key_Return); });
  }

  test::TempFolder folder_;
  FakeHost host_{dataPath()};
};

TEST_F(MasterPasswordDialogOnDisplay,
       ShowsTheControlsOfItsModeAtAFixedSizeInTheMiddleOfTheDesktop) {
  struct Case {
    const char* name;
    bool dataFile;
    bool reAuth;
    bool repeatBox, warning, loginAndHide;
  };
  const Case cases[] = {
      {"first start", false, false, true, true, true},
      {"login", true, false, false, false, true},
      {"re-authentication", true, true, false, false, false},
      {"re-authentication without a file", false, true, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(QString::fromStdString(dataPath()));
    if (c.dataFile) writeSampleData();
    auto dialog = open(c.reAuth);

    EXPECT_EQ(dialog->windowTitle(), MainCaption());
    EXPECT_EQ(box(*dialog, "repeatBox")->isVisible(), c.repeatBox);
    EXPECT_EQ(dialog->findChild<QLabel*>("repeatLabel")->isVisible(), c.repeatBox);
    // The strength of a password being chosen, never of one being proved.
    EXPECT_EQ(dialog->findChild<StrengthMeter*>("passwordStrength")->isVisible(), c.repeatBox);
    EXPECT_EQ(dialog->findChild<QLabel*>("warningLabel")->isVisible(), c.warning);
    EXPECT_EQ(button(*dialog, "loginAndHideButton")->isVisible(), c.loginAndHide);
    EXPECT_TRUE(box(*dialog, "passwordBox")->isVisible());
    EXPECT_TRUE(button(*dialog, "loginButton")->isVisible());
    EXPECT_TRUE(button(*dialog, "cancelButton")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), box(*dialog, "passwordBox"));

    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    // Every visible control fits inside the window at its full height:
    // nothing is clipped or squeezed.
    for (QWidget* child : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (child->isVisible()) {
        EXPECT_TRUE(dialog->rect().contains(child->geometry()))
            << child->objectName().toStdString();
        EXPECT_GE(child->height(), child->minimumSizeHint().height())
            << child->objectName().toStdString();
      }
    }
    const QPoint centre = dialog->screen()->availableGeometry().center();
    EXPECT_LE((dialog->frameGeometry().center() - centre).manhattanLength(), 40);
    dialog->setReAuthMode(true);  // a login dialog closed here would end the program
    dialog->close();
  }
}

TEST_F(MasterPasswordDialogOnDisplay, LabelsWarningAndButtonsReadAsWritten) {
  auto dialog = open();
  EXPECT_EQ(box(*dialog, "passwordBox")->echoMode(), QLineEdit::Password);
  EXPECT_EQ(box(*dialog, "repeatBox")->echoMode(), QLineEdit::Password);
  for (const char* name : {"passwordBox", "repeatBox"}) {
    QLineEdit* edit = box(*dialog, name);
    EXPECT_EQ(edit->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, edit), '*');
  }
  EXPECT_EQ(box(*dialog, "passwordBox")->accessibleName(), QStringLiteral("Ana Şifre"));
  EXPECT_EQ(box(*dialog, "repeatBox")->accessibleName(), QStringLiteral("Tekrar"));
  EXPECT_EQ(dialog->findChild<QLabel*>("passwordLabel")->text(), QStringLiteral("Ana Şifre"));
  EXPECT_EQ(dialog->findChild<QLabel*>("repeatLabel")->text(), QStringLiteral("Tekrar"));
  QLabel* warning = dialog->findChild<QLabel*>("warningLabel");
  EXPECT_EQ(warning->text(),
            QStringLiteral("DİKKAT : Ana şifrenizi kesinlikle kaybetmeyiniz. Verileriniz bu "
                           "şifreye göre kodlandığı için ana şifrenin unutulması durumunda "
                           "verileriniz hiçbir şekilde geri alınamaz"));
  EXPECT_TRUE(warning->font().bold());
  EXPECT_TRUE(warning->wordWrap());
  EXPECT_EQ(button(*dialog, "loginAndHideButton")->text(), QStringLiteral("Giriş Yap ve Gizle"));
  EXPECT_EQ(button(*dialog, "loginButton")->text(), QStringLiteral("Giriş"));
  EXPECT_EQ(button(*dialog, "cancelButton")->text(), QStringLiteral("Vazgeç"));
  for (QPushButton* b : dialog->findChildren<QPushButton*>()) EXPECT_FALSE(b->isDefault());
  const Qt::WindowFlags flags = dialog->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                        Qt::WindowContextHelpButtonHint));
  dialog->setReAuthMode(true);
  dialog->close();
}

TEST_F(MasterPasswordDialogOnDisplay, FirstStartChecksBothBoxesBeforeTakingThePassword) {
  auto dialog = open();
  QLineEdit* pass = box(*dialog, "passwordBox");
  QLineEdit* pass2 = box(*dialog, "repeatBox");

  auto seen = AnswerMessageBox([pass] { QTest::keyClick(pass, Qt::Key_Return); });
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->caption, QStringLiteral("Bilgi"));
  EXPECT_EQ(seen->text, QStringLiteral("Şifrenizi giriniz."));

  seen = typeAndEnter(pass, kMaster);
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->text, QStringLiteral("Şifre tekrarını giriniz."));
  EXPECT_EQ(pass->text(), kMaster) << "Enter must not add to or clear the box";

  seen = typeAndEnter(pass2, QStringLiteral("gizli şifre"));
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->text, QStringLiteral("İki şifre de aynı olmalıdır."));
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(host_.session.loggedIn());

  pass2->clear();
  seen = typeAndEnter(pass2, kMaster);
  EXPECT_FALSE(seen) << seen->text.toStdString();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(dialog->loginOk());
  EXPECT_FALSE(dialog->terminateRequested());
  EXPECT_TRUE(host_.session.masterPasswordMatches(ToCp1254(kMaster).bytes));
  EXPECT_TRUE(host_.mainWindowShown);
  EXPECT_FALSE(host_.trayIconShown);
  EXPECT_TRUE(host_.session.records().isEmpty());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(dataPath())))
      << "a first start writes nothing until the first record is saved";
  EXPECT_TRUE(pass->text().isEmpty());
  EXPECT_TRUE(pass2->text().isEmpty());
}

TEST_F(MasterPasswordDialogOnDisplay, AtFirstStartAWeakPasswordIsAskedAboutOnce) {
  auto dialog = open();
  auto* meter = dialog->findChild<StrengthMeter*>("passwordStrength");
  QLineEdit* pass = box(*dialog, "passwordBox");
  EXPECT_EQ(meter->word(), QString());
  Type(pass, QStringLiteral("1234"));
  EXPECT_EQ(meter->word(), QStringLiteral("Çok zayıf"));

  // "Hayır" keeps the user choosing, with both boxes empty for a new one.
  Type(box(*dialog, "repeatBox"), QStringLiteral("1234"));
  const auto no = AnswerMessageBox(
      [&] { QTest::keyClick(box(*dialog, "repeatBox"), Qt::Key_Return); }, QMessageBox::No);
  ASSERT_TRUE(no);
  EXPECT_EQ(no->caption, QStringLiteral("Soru"));
  EXPECT_EQ(no->text, QStringLiteral("Bu ana şifre kolay tahmin edilebilir. Veri dosyası ele "
                                     "geçerse şifre hızla denenebilir. Yine de kullanılsın mı?"));
  EXPECT_EQ(no->defaultButton, QMessageBox::No);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->loginOk());
  EXPECT_FALSE(host_.session.loggedIn());
  EXPECT_TRUE(pass->text().isEmpty());
  EXPECT_TRUE(box(*dialog, "repeatBox")->text().isEmpty());
  EXPECT_EQ(dialog->focusWidget(), pass);

  // "Evet" takes it.
  Type(pass, QStringLiteral("1234"));
  Type(box(*dialog, "repeatBox"), QStringLiteral("1234"));
  const auto yes = AnswerMessageBox(
      [&] { QTest::keyClick(box(*dialog, "repeatBox"), Qt::Key_Return); }, QMessageBox::Yes);
  ASSERT_TRUE(yes);
  EXPECT_TRUE(dialog->loginOk());
  EXPECT_TRUE(host_.session.masterPasswordMatches("1234"));
}

TEST_F(MasterPasswordDialogOnDisplay, LoginAndHideLoadsTheRecordsAndGoesToTheTray) {
  for (bool idleAvailable : {true, false}) {
    SCOPED_TRACE(idleAvailable ? "idle time available" : "no idle time");
    writeSampleData();
    FakeHost host(dataPath());
    host.idleAvailable = idleAvailable;
    auto dialog = open(false, &host);
    Type(box(*dialog, "passwordBox"), kMaster);
    const auto seen = AnswerMessageBox([&] { button(*dialog, "loginAndHideButton")->click(); });

    EXPECT_FALSE(seen);
    EXPECT_TRUE(dialog->loginOk());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(host.trayIconShown);
    EXPECT_FALSE(host.mainWindowShown);
    EXPECT_EQ(host.idleTimerActive, idleAvailable);
    ASSERT_EQ(host.session.records().recordCount(), 3u);
    host.session.records().first();
    EXPECT_EQ(FromCp1254(host.session.records().text(Field::Password)), QStringLiteral("gök*yüzü"));
  }
}

TEST_F(MasterPasswordDialogOnDisplay, AWrongPasswordLeavesNothingBehindAndTheRightOneThenLogsIn) {
  writeSampleData();
  const QByteArray before = dataBytes();
  auto dialog = open();
  QLineEdit* pass = box(*dialog, "passwordBox");

  auto seen = typeAndEnter(pass, QStringLiteral("gizli şifre"));
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->caption, QStringLiteral("Bilgi"));
  EXPECT_EQ(seen->text, QStringLiteral("Ana şifreniz geçersiz."));
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->loginOk());
  // The rejected text is kept nowhere: not in the box, not as the master password.
  EXPECT_EQ(pass->text(), QString());
  EXPECT_FALSE(host_.session.loggedIn());
  EXPECT_TRUE(QTest::qWaitFor([pass] { return pass->hasFocus(); }));
  EXPECT_FALSE(host_.mainWindowShown);

  seen = typeAndEnter(pass, kMaster);
  EXPECT_FALSE(seen) << seen->text.toStdString();
  EXPECT_TRUE(dialog->loginOk());
  EXPECT_TRUE(host_.mainWindowShown);
  EXPECT_EQ(host_.loads, 2);
  EXPECT_EQ(host_.session.records().recordCount(), 3u);
  EXPECT_EQ(dataBytes(), before);
}

TEST_F(MasterPasswordDialogOnDisplay, ReAuthenticationComparesExactlyAndLeavesTheFileAlone) {
  writeSampleData();
  host_.session.logIn(ToCp1254(kMaster).bytes);
  auto dialog = open(true);
  QLineEdit* pass = box(*dialog, "passwordBox");

  auto seen = AnswerMessageBox([&] { button(*dialog, "loginButton")->click(); });
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->text, QStringLiteral("Şifrenizi giriniz."));

  seen = typeAndEnter(pass, QStringLiteral("GİZLİ ŞİFRE"));
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->caption, QStringLiteral("Bilgi"));
  EXPECT_EQ(seen->text, QStringLiteral("Şifre yanlış"));
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(pass->text(), QString()) << "a tried password stays in its box";

  seen = typeAndEnter(pass, kMaster);
  EXPECT_FALSE(seen) << seen->text.toStdString();
  EXPECT_TRUE(dialog->loginOk());
  EXPECT_FALSE(dialog->terminateRequested());
  EXPECT_EQ(host_.loads, 0);
  EXPECT_FALSE(host_.mainWindowShown);
  EXPECT_FALSE(host_.trayIconShown);
}

TEST_F(MasterPasswordDialogOnDisplay,
       ClosingWithoutLoginEndsTheProgramOnlyOutsideReAuthentication) {
  struct Case {
    const char* how;
    bool reAuth;
    std::function<void(MasterPasswordDialog&)> close;
  };
  const Case cases[] = {
      {"Vazgeç", false, [](MasterPasswordDialog& d) { button(d, "cancelButton")->click(); }},
      {"Esc", false,
       [](MasterPasswordDialog& d) { QTest::keyClick(box(d, "passwordBox"), Qt::Key_Escape); }},
      {"title bar", false, [](MasterPasswordDialog& d) { d.close(); }},
      {"Vazgeç while locked", true,
       [](MasterPasswordDialog& d) { button(d, "cancelButton")->click(); }},
      {"Esc while locked", true,
       [](MasterPasswordDialog& d) { QTest::keyClick(box(d, "passwordBox"), Qt::Key_Escape); }},
  };
  writeSampleData();
  const QByteArray before = dataBytes();
  host_.session.logIn(ToCp1254(kMaster).bytes);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    auto dialog = open(c.reAuth);
    Type(box(*dialog, "passwordBox"), kMaster);
    c.close(*dialog);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->loginOk());
    EXPECT_EQ(dialog->terminateRequested(), !c.reAuth);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
  }
  EXPECT_EQ(host_.loads, 0);
  EXPECT_FALSE(host_.mainWindowShown);
  EXPECT_EQ(dataBytes(), before);
}

TEST_F(MasterPasswordDialogOnDisplay, RefusesACharacterTheCodePageCannotHoldByItsPosition) {
  writeSampleData();
  auto dialog = open();
  const auto seen = typeAndEnter(box(*dialog, "passwordBox"), QStringLiteral("Gizli✓"));
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->text, QStringLiteral("Şifrenin 6. karakteri kullanılamaz."));
  EXPECT_FALSE(host_.session.loggedIn());
  EXPECT_EQ(host_.loads, 0);
  EXPECT_TRUE(dialog->isVisible());
  dialog->setReAuthMode(true);
  dialog->close();
}

TEST_F(MasterPasswordDialogOnDisplay, InstanceNamesTheDialogOnlyWhileItExists) {
  EXPECT_EQ(MasterPasswordDialog::instance(), nullptr);
  {
    MasterPasswordDialog dialog(host_, dataPath());
    EXPECT_EQ(MasterPasswordDialog::instance(), &dialog);
  }
  EXPECT_EQ(MasterPasswordDialog::instance(), nullptr);
}

}  // namespace
}  // namespace quilor
