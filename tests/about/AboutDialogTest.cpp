// The about box on a real X server with a window manager: real key presses
// from the X server, clicks, what it shows and what it hands the desktop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <memory>

#include "AboutArtwork.h"
#include "AboutDialog.h"
#include "AboutTexts.h"
#include "PictureBand.h"
#include "ScrollingTextPanel.h"
#include "UrlCatcher.h"

namespace quilor {
namespace {

constexpr int kWaitMs = 5000;

// Presses keys through the X server, as a keyboard would.
void PressKeys(const char* keys) {
  ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"),
                              {QStringLiteral("key"), QString::fromLatin1(keys)}),
            0);
}

class AboutBox : public ::testing::Test {
 protected:
  AboutBox() {
    content.caption = QStringLiteral("ZENTARIS Quilor s1.02.01f");
    content.programName = QStringLiteral("Quilor s1.02.01");
    content.picture = SidePicture(1.0);
  }

  std::unique_ptr<AboutDialog> open() {
    auto dialog = std::make_unique<AboutDialog>(content);
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    return dialog;
  }
  static ScrollingTextPanel* staff(const QDialog& dialog) {
    return dialog.findChild<ScrollingTextPanel*>(QStringLiteral("staffPanel"));
  }
  static ScrollingTextPanel* credits(const QDialog& dialog) {
    return dialog.findChild<ScrollingTextPanel*>(QStringLiteral("creditsPanel"));
  }
  static QWidget* picture(const QDialog& dialog) {
    return dialog.findChild<QWidget*>(QStringLiteral("sidePicture"));
  }
  static bool WaitForStaff(const QDialog& dialog, bool shown) {
    return QTest::qWaitFor([&] { return staff(dialog)->isVisible() == shown; }, kWaitMs);
  }

  AboutContent content;
};

TEST_F(AboutBox, ShowsTheProgramNameInEveryPlace) {
  content.programName = QStringLiteral("Quilor s1.02.02");
  auto dialog = open();
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ZENTARIS Quilor s1.02.01f"));
  EXPECT_EQ(dialog->findChild<PictureBand*>(QStringLiteral("header"))->caption(),
            QStringLiteral("Quilor s1.02.02"));
  EXPECT_EQ(credits(*dialog)->lines().value(0), QStringLiteral("Quilor s1.02.02"));
  EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("statusText"))->text(),
            QStringLiteral("ZENTARIS Quilor s1.02.02"));
  EXPECT_EQ(picture(*dialog)->toolTip(), QStringLiteral("ZENTARIS Team"));
}

TEST_F(AboutBox, StaffPanelEndsWithTheTeamAfterOneEmptyLine) {
  auto plain = open();
  EXPECT_EQ(staff(*plain)->lines(), about_texts::kStaff + QStringList{QString()});

  content.team = QStringList{QStringLiteral("Çağrı Işık"), QStringLiteral("Ümit Öz")};
  auto withTeam = open();
  EXPECT_EQ(staff(*withTeam)->lines(), about_texts::kStaff + QStringList{QString()} + content.team);
}

TEST_F(AboutBox, CtrlAltTTogglesTheStaffPanelAndNoOtherKeyDoes) {
  auto dialog = open();
  ASSERT_FALSE(staff(*dialog)->isVisible());

  PressKeys("ctrl+alt+t");
  ASSERT_TRUE(WaitForStaff(*dialog, true));
  PressKeys("ctrl+alt+t");
  ASSERT_TRUE(WaitForStaff(*dialog, false));

  // Each key is followed by the real one: had it toggled too, the panel
  // would stay hidden.
  for (const char* other : {"t", "ctrl+t", "alt+t", "ctrl+alt+shift+t", "ctrl+shift+t"}) {
    SCOPED_TRACE(other);
    PressKeys(other);
    PressKeys("ctrl+alt+t");
    ASSERT_TRUE(WaitForStaff(*dialog, true));
    PressKeys("ctrl+alt+t");
    ASSERT_TRUE(WaitForStaff(*dialog, false));
  }
  EXPECT_TRUE(dialog->isVisible());
}

TEST_F(AboutBox, PictureClickAndKeyShareOneStateThatEachOpeningResets) {
  auto first = open();
  QTest::mouseClick(picture(*first), Qt::LeftButton, {}, QPoint(20, 20));
  ASSERT_TRUE(WaitForStaff(*first, true));
  PressKeys("ctrl+alt+t");
  ASSERT_TRUE(WaitForStaff(*first, false));
  PressKeys("ctrl+alt+t");
  ASSERT_TRUE(WaitForStaff(*first, true));
  // A click on the panel itself reaches the picture beneath it.
  QTest::mouseClick(picture(*first), Qt::LeftButton, {}, staff(*first)->geometry().center());
  ASSERT_TRUE(WaitForStaff(*first, false));
  QTest::mouseClick(picture(*first), Qt::LeftButton, {}, QPoint(20, 20));
  ASSERT_TRUE(WaitForStaff(*first, true));
  first->close();

  // Left shown last time; hidden again now, in this dialog and the same one reopened.
  auto second = open();
  EXPECT_FALSE(staff(*second)->isVisible());
  first->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(first.get(), 30000));
  EXPECT_FALSE(staff(*first)->isVisible());
}

TEST_F(AboutBox, CreditsScrollWhileTheDialogIsOpen) {
  auto dialog = open();
  const QImage before = credits(*dialog)->grab().toImage();
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return credits(*dialog)->grab().toImage() != before; }, kWaitMs));
}

TEST_F(AboutBox, EscAndTamamClose) {
  auto byEsc = open();
  PressKeys("Escape");
  EXPECT_TRUE(QTest::qWaitFor([&] { return !byEsc->isVisible(); }, kWaitMs));

  auto byButton = open();
  QTest::mouseClick(byButton->findChild<QWidget*>(QStringLiteral("ok")), Qt::LeftButton);
  EXPECT_FALSE(byButton->isVisible());
  EXPECT_EQ(byButton->result(), QDialog::Accepted);
}

TEST_F(AboutBox, LinksOpenTheBrowserAndTheMailProgram) {
  test::UrlCatcher desktop;
  auto dialog = open();
  for (const char* link : {"webLink", "mailLink"}) {
    auto* label = dialog->findChild<QLabel*>(QString::fromLatin1(link));
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(4, label->height() / 2));
  }
  ASSERT_EQ(desktop.opened.size(), 2);
  EXPECT_EQ(desktop.opened[0], QUrl(QStringLiteral("http://www.zentaris.com.tr")));
  EXPECT_EQ(desktop.opened[1], QUrl(QStringLiteral("mailto:destek@zentaris.com.tr")));
}

// MemTotal of this machine in kilobytes, written with "." every three digits.
QString TurkishKilobytes() {
  QFile meminfo(QStringLiteral("/proc/meminfo"));
  EXPECT_TRUE(meminfo.open(QIODevice::ReadOnly));
  const QRegularExpressionMatch total = QRegularExpression(QStringLiteral("MemTotal:\\s+(\\d+) kB"))
                                            .match(QString::fromLatin1(meminfo.readAll()));
  QString digits = total.captured(1);
  for (qsizetype at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, '.');
  return digits;
}

TEST_F(AboutBox, MemoryInTheUsersNumberFormat) {
  QLocale::setDefault(QLocale(QStringLiteral("tr_TR")));
  auto dialog = open();
  QLocale::setDefault(QLocale::system());
  EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("physicalMemory"))->text(),
            TurkishKilobytes() + QStringLiteral(" KB"));
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{1,3} %$"))
                  .match(dialog->findChild<QLabel*>(QStringLiteral("memoryInUse"))->text())
                  .hasMatch());
}

}  // namespace
}  // namespace quilor
