// The version check against a real HTTP server on 127.0.0.1, on a real X
// server: what the service is asked, what the user sees, what opens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "LocalHttpServer.h"
#include "UpdateCheckDialog.h"
#include "UpdateChecker.h"
#include "UpdateTexts.h"
#include "UrlCatcher.h"

namespace quilor {
namespace {

using test::HttpAnswer;
using test::LocalHttpServer;

namespace texts = update_texts;

const QByteArray kLivePath = "/live/versiyonkontrol.php";
const QByteArray kTestPath = "/test/versiyonkontrol.php";
const QString kNewsSite = QStringLiteral("http://haber.example/");
const QString kNewsPage =
    QStringLiteral("http://haber.example/programlar/guncelhaber.php?id=&surum=02.01");
constexpr int kWaitMs = 10000;

HttpAnswer Body(const QByteArray& body) { return HttpAnswer{200, "OK", {}, body, false}; }

// A message box the dialog showed, answered by the test.
struct SeenBox {
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  // Whether the check's own window still showed behind the notice.
  bool dialogBehind = false;
};

class UpdateCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.listening());
    ASSERT_TRUE(folder.isValid());
    settings.caption = QStringLiteral("ZENTARIS Quilor s1.02.01f");
    settings.programName = QStringLiteral("Quilor");
    settings.programCode = QStringLiteral("ZQR4");
    settings.programVersion = QStringLiteral("s1.02.01");
    settings.serviceAddress = server.address(QString::fromLatin1(kLivePath));
    settings.testServiceAddress = server.address(QString::fromLatin1(kTestPath));
    settings.newsSiteAddress = kNewsSite;
    settings.markerFolder = folder.path();
    settings.limits.stalled = std::chrono::milliseconds(400);
    settings.limits.whole = std::chrono::milliseconds(3000);
  }

  // Opens the dialog as the menu does and waits until the check has ended:
  // either the answer shows, or the failure notice came (it is answered and
  // recorded in box) and the dialog closed.
  std::unique_ptr<UpdateCheckDialog> check() {
    auto dialog = std::make_unique<UpdateCheckDialog>(settings);
    dialog->setWindowModality(Qt::ApplicationModal);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [this, shown = dialog.get()] {
      auto* seen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (seen == nullptr || !seen->isVisible()) return;
      box = SeenBox{seen->windowTitle(), seen->text(), seen->icon(), shown->isVisible()};
      seen->button(QMessageBox::Ok)->click();
    });
    poll.start(20);
    dialog->show();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !waitPanel(*dialog)->isVisible() || !dialog->isVisible(); }, kWaitMs));
    return dialog;
  }

  static QWidget* waitPanel(const QDialog& dialog) {
    return dialog.findChild<QWidget*>(QStringLiteral("waitPanel"));
  }
  static QString value(const QDialog& dialog, const char* name) {
    return dialog.findChild<QLabel*>(QString::fromLatin1(name))->text();
  }
  static QString shownBar(const QDialog& dialog) {
    return dialog.findChild<QStackedWidget*>()->currentWidget()->objectName();
  }
  static void click(const QDialog& dialog, const char* button) {
    dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
  }
  // The failure notice was shown alone, and the dialog is gone.
  void expectFailure(const QDialog& dialog, const QString& notice) {
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, QStringLiteral("Dikkat"));
    EXPECT_EQ(box->text, notice);
    EXPECT_EQ(box->icon, QMessageBox::Information);
    EXPECT_FALSE(box->dialogBehind);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
  }

  LocalHttpServer server;
  QTemporaryDir folder;
  UpdateCheckSettings settings;
  std::optional<SeenBox> box;
};

TEST_F(UpdateCheck, AsksTheServiceOnceWithTheProgramCode) {
  server.answer(kLivePath, Body("SURUM=1.02.01\r\nDOWNLOADLINK="));
  auto dialog = check();

  ASSERT_EQ(server.requests.size(), 1);
  const test::SeenRequest& request = server.requests[0];
  EXPECT_EQ(request.method, "GET");
  EXPECT_EQ(request.target, kLivePath + "?prg=ZQR4");
  EXPECT_EQ(request.headers.value("accept"), "text/html, */*");
  EXPECT_EQ(request.headers.value("content-type"), "text/html");
  EXPECT_FALSE(request.headers.contains("authorization"));
}

TEST_F(UpdateCheck, ShowsWhetherAnUpdateIsDue) {
  const struct {
    const char* what;
    QByteArray body;
    QString newest;
    bool due;
  } cases[] = {
      {"up to date", "SURUM=1.02.01\r\nDOWNLOADLINK=", QStringLiteral("1.02.01"), false},
      {"older", "SURUM=1.01.09", QStringLiteral("1.01.09"), false},
      {"newer", "SURUM=1.02.02\r\nDOWNLOADLINK=http://x/q.zip", QStringLiteral("1.02.02"), true},
      {"<br> separates", "SURUM=1.02.01<br>DOWNLOADLINK=http://x", QStringLiteral("1.02.01"),
       false},
      {"<BR> does not", "SURUM=1.02.01<BR>DOWNLOADLINK=http://x",
       QStringLiteral("1.02.01<BR>DOWNLOADLINK=http://x"), true},
      {"lower-case name", "surum=1.02.01", QStringLiteral("1.02.01"), false},
      {"trailing blank", "SURUM=1.02.01 ", QStringLiteral("1.02.01 "), true},
      {"by characters", "SURUM=1.1", QStringLiteral("1.1"), true},
      {"markup stays text", "SURUM=<b>1.03</b>", QStringLiteral("<b>1.03</b>"), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    server.answer(kLivePath, Body(c.body));
    box.reset();
    auto dialog = check();
    ASSERT_FALSE(box.has_value()) << box->text.toStdString();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(value(*dialog, "company"), QStringLiteral("ZENTARIS Yazılım"));
    EXPECT_EQ(value(*dialog, "programName"), QStringLiteral("Quilor"));
    EXPECT_EQ(value(*dialog, "programCode"), QStringLiteral("ZQR4"));
    EXPECT_EQ(value(*dialog, "newestRelease"), c.newest);
    EXPECT_EQ(value(*dialog, "releaseInUse"), QStringLiteral("1.02.01"));
    EXPECT_EQ(value(*dialog, "status"),
              c.due ? QStringLiteral("Güncelleme Yapılmalı.")
                    : QStringLiteral("Şu Anda Programın Son Sürümünü Kullanmaktasınız..."));
    EXPECT_EQ(shownBar(*dialog), c.due ? QStringLiteral("updateBar") : QStringLiteral("okBar"));
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("newestRelease"))->textFormat(),
              Qt::PlainText);
    click(*dialog, c.due ? "close" : "ok");
    EXPECT_FALSE(dialog->isVisible());
  }
}

TEST_F(UpdateCheck, UpdateOpensTheDownloadOrTheNewsPage) {
  const struct {
    const char* what;
    QByteArray body;
    QString opened;
  } cases[] = {
      {"link", "SURUM=1.03\r\nDOWNLOADLINK=https://indir.example/quilor-1.03.tar.gz",
       QStringLiteral("https://indir.example/quilor-1.03.tar.gz")},
      {"link after <br>", "SURUM=1.03<br>DOWNLOADLINK=http://indir.example/q",
       QStringLiteral("http://indir.example/q")},
      {"no link", "SURUM=1.03", kNewsPage},
      {"empty link", "SURUM=1.03\r\nDOWNLOADLINK=", kNewsPage},
      {"a local file is never opened", "SURUM=1.03\r\nDOWNLOADLINK=file:///etc/passwd", kNewsPage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    server.answer(kLivePath, Body(c.body));
    test::UrlCatcher desktop;
    auto dialog = check();
    ASSERT_EQ(shownBar(*dialog), QStringLiteral("updateBar"));
    click(*dialog, "update");
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_EQ(desktop.opened[0].toString(QUrl::FullyEncoded), c.opened);
    EXPECT_TRUE(dialog->isVisible()) << "the dialog stays open";
  }
}

TEST_F(UpdateCheck, EveryFailureShowsTheNoticeAndCloses) {
  HttpAnswer hangs;
  hangs.silent = true;
  HttpAnswer redirectLoop{302, "Found", {{"Location", kLivePath}}, {}, false};
  const QString timedOut =
      QStringLiteral("İstek zaman aşımına uğradı.\nLütfen internet bağlantınızı kontrol ediniz...");
  const QString badAnswer =
      QStringLiteral("Sürüm sunucusu geçerli bir yanıt vermedi. Bir süre sonra yeniden deneyiniz.");
  const struct {
    const char* what;
    HttpAnswer answer;
    QString notice;
  } cases[] = {
      {"not found", HttpAnswer{404, "Not Found", {}, "SURUM=9.99", false}, badAnswer},
      {"server error", HttpAnswer{500, "Internal Server Error", {}, "SURUM=9.99", false},
       badAnswer},
      {"no answer", hangs, timedOut},
      {"endless redirects", redirectLoop, badAnswer},
      // Answers that name no release have not told whether an update is due.
      {"empty body", Body(""), badAnswer},
      {"no release line", Body("<html><body>Giriş yapın</body></html>"), badAnswer},
      {"empty release", Body("SURUM=\r\nDOWNLOADLINK=http://x"), badAnswer},
      {"oversized", Body("SURUM=1.03\r\n" + QByteArray(200 * 1024, 'x')), badAnswer},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    server.answer(kLivePath, c.answer);
    box.reset();
    auto dialog = check();
    expectFailure(*dialog, c.notice);
  }
}

// A refused connection is told as such at once: the time limit is far
// beyond the test's wait.
TEST_F(UpdateCheck, ARefusedConnectionSaysSoAtOnce) {
  settings.serviceAddress =
      QStringLiteral("http://127.0.0.1:%1/versiyonkontrol.php").arg(test::ClosedPort());
  settings.limits.stalled = std::chrono::milliseconds(60000);
  settings.limits.whole = std::chrono::milliseconds(60000);
  auto dialog = check();
  expectFailure(*dialog, QStringLiteral("Sürüm sunucusuna bağlanılamadı. İnternet bağlantınızı "
                                        "kontrol ediniz."));
}

TEST_F(UpdateCheck, FollowsARedirect) {
  server.answer(kLivePath,
                HttpAnswer{302, "Found", {{"Location", "/moved/versiyonkontrol.php"}}, {}, false});
  server.answer("/moved/versiyonkontrol.php", Body("SURUM=1.02.02"));
  auto dialog = check();
  ASSERT_FALSE(box.has_value());
  EXPECT_EQ(value(*dialog, "newestRelease"), QStringLiteral("1.02.02"));
  ASSERT_EQ(server.requests.size(), 2);
  EXPECT_EQ(server.requests[1].target, "/moved/versiyonkontrol.php");
}

TEST_F(UpdateCheck, MarkerFileSwitchesToTheTestService) {
  server.answer(kLivePath, Body("SURUM=1.02.01"));
  server.answer(kTestPath, Body("SURUM=1.02.05"));

  auto live = check();
  EXPECT_EQ(value(*live, "newestRelease"), QStringLiteral("1.02.01"));

  // Its content does not matter, not even an empty file.
  QFile marker(folder.filePath(QStringLiteral("lisanstest.txt")));
  ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
  marker.close();
  auto test = check();
  EXPECT_EQ(value(*test, "newestRelease"), QStringLiteral("1.02.05"));

  ASSERT_EQ(server.requests.size(), 2);
  EXPECT_EQ(server.requests[0].target, kLivePath + "?prg=ZQR4");
  EXPECT_EQ(server.requests[1].target, kTestPath + "?prg=ZQR4");
}

TEST_F(UpdateCheck, WaitPanelCoversTheDialogWhileTheEventLoopRuns) {
  HttpAnswer hangs;
  hangs.silent = true;
  server.answer(kLivePath, hangs);
  settings.limits.stalled = std::chrono::milliseconds(60000);
  settings.limits.whole = std::chrono::milliseconds(60000);
  UpdateCheckDialog dialog(settings);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return server.requests.size() == 1; }, kWaitMs));

  // Other timers of the program still tick while the request waits.
  int ticks = 0;
  QTimer other;
  QObject::connect(&other, &QTimer::timeout, [&] { ++ticks; });
  other.start(10);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 5; }, kWaitMs));
  EXPECT_TRUE(waitPanel(dialog)->isVisible());
  EXPECT_EQ(waitPanel(dialog)->geometry(), dialog.rect());

  // Closed while waiting: no notice comes later, to a dialog that is gone.
  dialog.close();
  QTest::qWait(300);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(UpdateCheck, CheckerShowsTheDialogModally) {
  server.answer(kLivePath, Body("SURUM=1.02.01"));
  UpdateChecker checker;
  checker.settings = settings;
  QString status;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<UpdateCheckDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || waitPanel(*dialog)->isVisible()) return;
    status = value(*dialog, "status");
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ZENTARIS Quilor s1.02.01f"));
    click(*dialog, "ok");
  });
  poll.start(20);
  QTimer giveUp;
  giveUp.setSingleShot(true);
  QObject::connect(&giveUp, &QTimer::timeout, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  giveUp.start(kWaitMs);
  checker.ShowDialog(nullptr);
  EXPECT_EQ(status, QStringLiteral("Şu Anda Programın Son Sürümünü Kullanmaktasınız..."));
}

}  // namespace
}  // namespace quilor
