// The password health report in the window: what it lists, the editor it
// opens on a double-click, and the lock closing both. Run under
// tests/support/with-display.sh --tray.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>

#include "LockedWindow.h"
#include "PasswordHealthDialog.h"
#include "RecordEditor.h"
#include "Screenshot.h"

namespace quilor {
namespace {

using namespace test;

QStringList Rows(const QTreeWidget& list) {
  QStringList rows;
  for (int i = 0; i < list.topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = list.topLevelItem(i);
    rows << item->text(0) + " | " + item->text(2);
  }
  return rows;
}

TEST_F(LockedWindow, TheHealthReportOpensARecordOnADoubleClickAndClosesWithTheLock) {
  const std::string before = ReadBytes(path);
  QString summary;
  QStringList rows;
  QString editedTitle;
  bool clicked = false;
  Hand hand([&] {
    PasswordHealthDialog* report = Shown(PasswordHealthDialog::instance());
    if (report == nullptr || idle.milliseconds != 0 || !report->windowHandle()->isExposed()) return;
    auto* findings = report->findChild<QTreeWidget*>(QStringLiteral("findings"));
    if (!clicked) {
      summary = report->findChild<QLabel*>(QStringLiteral("summary"))->text();
      rows = Rows(*findings);
      SaveScreenshot(*report, "password-health");
      const QList<QTreeWidgetItem*> cargo = findings->findItems("Kargo Takip", Qt::MatchExactly);
      ASSERT_FALSE(cargo.isEmpty());
      clicked = true;
      // A real double-click, as the user gives it.
      const QPoint at =
          findings->viewport()->mapToGlobal(findings->visualItemRect(cargo.first()).center());
      EXPECT_TRUE(RunTool("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y()),
                                      "click", "--repeat", "2", "--delay", "80", "1"})
                      .has_value());
      return;
    }
    if (RecordEditor* editor = Shown(RecordEditor::instance())) {
      editedTitle = editor->findChild<QLineEdit*>(QStringLiteral("titleEdit"))->text();
      idle.milliseconds = 60001;
    }
  });
  action("passwordHealth")->trigger();

  // Neither password was ever changed in the editor.
  EXPECT_EQ(summary, "2 kayıttan 2'si zayıf, 0'ı ortak, 2'si eski");
  EXPECT_EQ(rows, (QStringList{"Kargo Takip | Şifre gücü: Çok zayıf", "Banka | Şifre gücü: Zayıf",
                               "Banka | Şifrenin değiştirildiği tarih yok",
                               "Kargo Takip | Şifrenin değiştirildiği tarih yok"}));
  EXPECT_EQ(editedTitle, "Kargo Takip");
  EXPECT_EQ(RecordEditor::instance(), nullptr);
  EXPECT_EQ(PasswordHealthDialog::instance(), nullptr);
  EXPECT_TRUE(lockedInTray());
  EXPECT_EQ(ReadBytes(path), before);
}

}  // namespace
}  // namespace quilor
