// Ctrl+Alt+D in another program's login form, as a new user meets it: the
// records have no scripts, one of them fits the form's window, and a single
// Enter fills the form. Run under tests/support/with-display.sh --layout tr.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "AutoFillDialog.h"
#include "LockedWindow.h"
#include "SampleRecords.h"
#include "TypingTarget.h"

namespace quilor {
namespace {

using namespace test;

class HotKeyInALoginForm : public LockedWindow {
 protected:
  void SetUp() override {
    path = folder.file("data.xtr");
    RecordTable table;
    AppendSample(table, {.title = "Posta", .userName = "ali", .password = "p-1"});
    AppendSample(table, {.title = "İş Bankası",
                         .webAddress = "https://www.isbank.com.tr/giris",
                         .userName = "ayşe.yılmaz",
                         .password = "Gİzli-ğüş1"});
    AppendSample(table, {.title = "Forum", .userName = "veli", .password = "f-2"});
    SaveSample(table, path, kPassword);
    openWindow();
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr);
  }
  void TearDown() override {
    LockedWindow::TearDown();
    XCloseDisplay(display_);
  }

  Display* display_ = nullptr;
};

QString Selected(const AutoFillDialog& dialog, const char* list) {
  const QList<QTreeWidgetItem*> items =
      dialog.findChild<QTreeWidget*>(QString::fromLatin1(list))->selectedItems();
  return items.isEmpty() ? QString() : items.first()->text(0);
}

TEST_F(HotKeyInALoginForm, OneEnterFillsTheFormWithTheRecordThatFitsItsWindow) {
  TypingTarget other(display_, "Posta Kutusu");
  TypingTarget form(display_, "Oturum aç — isbank.com.tr");

  QString chosenRecord;
  QString chosenWindow;
  bool enterPressed = false;
  bool dialogSeen = false;
  Hand hand([&] {
    AutoFillDialog* dialog = Shown(AutoFillDialog::current());
    if (dialog == nullptr || enterPressed) return;
    dialogSeen = true;
    // Enter goes to the window that has the keyboard: wait for the dialog to
    // have it, with "Tamam" focused.
    const auto* confirm = dialog->findChild<QPushButton*>(QStringLiteral("confirmButton"));
    if (!dialog->isActiveWindow() || QApplication::focusWidget() != confirm) return;
    chosenRecord = Selected(*dialog, "recordList");
    chosenWindow = Selected(*dialog, "windowList");
    enterPressed = true;
    EXPECT_TRUE(RunTool("xdotool", {"key", "Return"}).has_value());
  });
  ASSERT_TRUE(PressHotKey());
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return dialogSeen && enterPressed && AutoFillDialog::current() == nullptr; }, kWait));

  EXPECT_EQ(chosenRecord, "İş Bankası (varsayılan)");
  EXPECT_EQ(chosenWindow, "Oturum aç — isbank.com.tr");
  const TargetReport report = form.waitForKeys("<Return>");
  EXPECT_EQ(report.first, "ayşe.yılmaz");
  EXPECT_EQ(report.second, "Gİzli-ğüş1");
  EXPECT_EQ(report.keys, "ayşe.yılmaz<Tab>Gİzli-ğüş1<Return>");
  EXPECT_EQ(other.report().keys, "");
}

}  // namespace
}  // namespace quilor
