// The texts the user sees at start and the error display, on an offscreen
// platform: no X server needed for these.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QMessageBox>
#include <stdexcept>

#include "EditorTexts.h"
#include "ErrorDisplay.h"
#include "Identity.h"
#include "IdleLock.h"
#include "Info.h"
#include "LoginTexts.h"
#include "MainWindow.h"
#include "MainWindowTexts.h"
#include "MessageBoxAnswer.h"
#include "ScriptItems.h"
#include "SilentAbort.h"
#include "TrayIcon.h"
#include "UpdateTexts.h"

namespace quilor {
namespace {

TEST(Captions, AreBuiltFromTheIdentityConstants) {
  EXPECT_EQ(ApplicationTitle(), QStringLiteral("ZENTARIS Quilor"));
  EXPECT_EQ(MainCaption(), QStringLiteral("ZENTARIS Quilor s1.02.01f"));
  EXPECT_EQ(HeaderCaption(), QStringLiteral("   ZENTARIS Quilor"));
}

TEST(MainWindow, StartsHiddenWithItsCaptionsAndAnEmptyTable) {
  MainWindow window;
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.windowTitle(), QStringLiteral("ZENTARIS Quilor s1.02.01f"));
  EXPECT_EQ(window.trayIcon().toolTip(), QStringLiteral("Quilor (kilitli)"));
  EXPECT_FALSE(window.trayIcon().isVisible());
  EXPECT_EQ(window.header().text(), QStringLiteral("   ZENTARIS Quilor"));
  EXPECT_TRUE(window.records().isEmpty());
  EXPECT_EQ(window.windowLock().state(), WindowLock::State::BeforeLogin);
  EXPECT_TRUE(window.idleLock().isActive());
  EXPECT_EQ(window.idleLock().interval(), 500);
}

// The program's own texts, spelled as Turkish is written: dotted capitals,
// apostrophes before suffixes, no blank before a question mark.
TEST(Spelling, TheProgramsOwnTextsAreSpelledRight) {
  const QString help = ScriptHelpLines().join('\n');
  const struct {
    QString text;
    QString expected;
  } cases[] = {
      {login_texts::kWarning.left(8), QStringLiteral("DİKKAT :")},
      {login_texts::kChangeHeader, QStringLiteral("  Ana Şifre Değiştirme")},
      {texts::kCopyPassword2, QStringLiteral("Şifre 2'yi Panoya Kopyala")},
      {texts::kCopySpecialCode1, QStringLiteral("Özel Kod 1'i Panoya Kopyala")},
      {texts::kCopySpecialCode2, QStringLiteral("Özel Kod 2'yi Panoya Kopyala")},
      {texts::kConfirmDelete, QStringLiteral("Bu şifreyi silmek istediğinizden emin misiniz?")},
      {texts::kConfirmQuit, QStringLiteral("Program kapatılsın mı?")},
      {texts::kColumnCaptions[8], QStringLiteral("Şifre 2 Değiştirme")},
      {editor_texts::kSaveChangesQuestion,
       QStringLiteral("Değişiklikleri kaydetmek istiyor musunuz?")},
      {editor_texts::kWebAddressLabel, QStringLiteral("Web / Mail Adresi")},
      {update_texts::kTimedOut.section('\n', 0, 0), QStringLiteral("İstek zaman aşımına uğradı.")},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
  for (const char* part :
       {"script'e göre", "Script'in içerisine", "bir veri", "özel kod 1'ini", "özel kod 2'sini"}) {
    EXPECT_TRUE(help.contains(QString::fromUtf8(part))) << part;
  }
  for (const char* wrong : {"script e", "Script in", " bi ", "1 ini", "2 sini"}) {
    EXPECT_FALSE(help.contains(QString::fromUtf8(wrong))) << wrong;
  }
}

// "Kapat" in the "Dosya" menu shows no key: Esc there closes the menu.
TEST(MainWindow, TheFileMenusCloseShowsNoKey) {
  MainWindow window;
  auto* close = window.findChild<QAction*>(QStringLiteral("closeFromMenu"));
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->text(), QStringLiteral("Kapat"));
  EXPECT_TRUE(close->shortcut().isEmpty());
}

// A record title with "&" shows as written in the tray menu, not as a key mark.
TEST(TrayIcon, ShowsAnAmpersandInARecordTitle) {
  TrayIcon tray(QIcon(), QStringLiteral("Quilor (kilitli)"));
  tray.setRecordItems({{QStringLiteral("AT&T Kurumsal"), QStringLiteral("https://att.example")}});
  const QList<QAction*> items =
      tray.menu().findChild<QMenu*>(QStringLiteral("trayRecordMenu"))->actions();
  ASSERT_EQ(items.size(), 1);
  EXPECT_EQ(items[0]->iconText(), QStringLiteral("AT&T Kurumsal"));
  EXPECT_EQ(items[0]->data().toString(), QStringLiteral("https://att.example"));
}

TEST(ErrorDisplay, AddsAFullStopOnlyAfterACharacterThatSortsAfterIt) {
  const std::pair<const char*, const char*> cases[] = {
      {"Dosya yazılamadı", "Dosya yazılamadı."},
      {"Bitti.", "Bitti."},
      {"Neden?", "Neden?."},
      {"Dur!", "Dur!"},
      {"(x)", "(x)"},
      {"", ""},
  };
  for (const auto& [message, shown] : cases) {
    EXPECT_EQ(ErrorDisplayText(QString::fromUtf8(message)), QString::fromUtf8(shown)) << message;
  }
}

TEST(Guarded, ShowsAnErrorWithTheApplicationTitleAndSwallowsASilentAbort) {
  const auto error = test::AnswerMessageBox(
      [] { Guarded([] { throw std::runtime_error("Unable to write to /x/data.xtr"); }); });
  ASSERT_TRUE(error);
  EXPECT_EQ(error->caption, QStringLiteral("ZENTARIS Quilor"));
  EXPECT_EQ(error->text, QStringLiteral("Unable to write to /x/data.xtr."));
  EXPECT_EQ(error->icon, QMessageBox::Critical);

  bool after = false;
  Guarded([&] {
    throw SilentAbort{};
    after = true;
  });
  EXPECT_FALSE(after);
}

TEST(AbortWithInfo, TellsTheUserThenEndsTheActionSilently) {
  bool reachedEnd = false;
  const auto info = test::AnswerMessageBox([&] {
    Guarded([&] {
      AbortWithInfo(false, QStringLiteral("not shown"));
      AbortWithInfo(true, QStringLiteral("Şifrenizi giriniz."));
      reachedEnd = true;
    });
  });
  EXPECT_FALSE(reachedEnd);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->caption, QStringLiteral("Bilgi"));
  EXPECT_EQ(info->text, QStringLiteral("Şifrenizi giriniz."));
  EXPECT_EQ(info->icon, QMessageBox::Information);
}

}  // namespace
}  // namespace quilor

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
