// Without an X server (a Wayland session without XWayland) auto-fill has
// nowhere to type: it says so instead of opening.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>

#include "AutoFillDialog.h"
#include "AutoFillTexts.h"

namespace quilor {
namespace {

TEST(AutoFillWithoutXServer, SaysSoAndOpensNothing) {
  ASSERT_EQ(OpenAutoFillDesktop([] { return std::vector<WindowId>{}; }), nullptr);
  RecordTable records;
  QString caption, text;
  bool dialogOpened = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    dialogOpened = dialogOpened || AutoFillDialog::current() != nullptr;
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    caption = box->windowTitle();
    text = box->text();
    box->button(QMessageBox::Ok)->click();
  });
  poll.start(20);
  OpenAutoFillDialog(records, {"ZENTARIS Quilor s1.02.01f", true, {}});
  EXPECT_EQ(caption, "Bilgi");
  EXPECT_EQ(text, autofill_texts::kNoDesktop);
  EXPECT_FALSE(dialogOpened);
}

}  // namespace
}  // namespace quilor

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  unsetenv("DISPLAY");
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
