// With a scale factor of 2 on a 1366x768 screen the program's windows open
// within the screen, frame included: the main window and the record editor.
// Run under tests/support/with-display.sh --screen 1366x768.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <memory>

#include "Files.h"
#include "MainWindow.h"
#include "RecordEditor.h"
#include "SampleRecords.h"
#include "ScriptHelpDialog.h"
#include "WindowsWithinScreen.h"

namespace quilor {
namespace {

// The whole of window, frame included, once the window manager framed it.
::testing::AssertionResult OnScreen(QWidget& window) {
  // A loaded machine may take a while to map the first window.
  if (!QTest::qWaitForWindowExposed(&window, 30000))
    return ::testing::AssertionFailure() << "not shown";
  const QRect available = window.screen()->availableGeometry();
  QRect frame;
  // The frame comes a moment after the window is shown, and the window may
  // be moved in once it has come.
  const bool inside = QTest::qWaitFor(
      [&] {
        frame = window.frameGeometry();
        return frame != window.geometry() && available.contains(frame);
      },
      10000);
  if (inside) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "frame " << frame.x() << "," << frame.y() << " " << frame.width() << "x"
         << frame.height() << " not within " << available.width() << "x" << available.height();
}

// True when all of child is inside its window's visible client area.
bool Visible(const QWidget& child) {
  const QWidget* window = child.window();
  const QRect area(child.mapTo(window, QPoint(0, 0)), child.size());
  return child.isVisible() && window->rect().contains(area);
}

class ScaledScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(qApp->devicePixelRatio(), 2.0);
    RecordTable table;
    test::AppendSample(table, {.title = "Banka", .password = "g", .recordNumber = "1"});
    test::SaveSample(table, path, "anahtar");
    window = std::make_unique<MainWindow>(MainWindowSetup{path, false});
    window->logIn("anahtar");
    window->showMainWindow();
  }

  test::TempFolder folder;
  std::string path = folder.file("data.xtr");
  std::unique_ptr<MainWindow> window;
};

TEST_F(ScaledScreen, TheMainWindowFitsWithItsSearchAndStatusBar) {
  ASSERT_TRUE(OnScreen(*window));
  EXPECT_TRUE(Visible(*window->findChild<QLineEdit*>(QStringLiteral("searchBox"))));
  EXPECT_TRUE(Visible(*window->statusBar()));
  if (const QByteArray shots = qgetenv("QUILOR_SCREENSHOTS"); !shots.isEmpty()) {
    QTest::qWait(300);
    window->screen()->grabWindow(0).save(QString::fromLocal8Bit(shots) + "/scaled-main-window.png");
  }
}

TEST_F(ScaledScreen, TheRecordEditorFits) {
  ASSERT_TRUE(OnScreen(*window));
  RecordEditor editor(*window, window.get());
  editor.setMode(RecordEditor::Mode::NewRecord);
  editor.show();
  EXPECT_TRUE(OnScreen(editor));
  if (const QByteArray shots = qgetenv("QUILOR_SCREENSHOTS"); !shots.isEmpty()) {
    QTest::qWait(300);
    window->screen()->grabWindow(0).save(QString::fromLocal8Bit(shots) + "/scaled-editor.png");
  }
}

// A dialog of a fixed size larger than the scaled screen.
TEST_F(ScaledScreen, TheScriptHelpFits) {
  ScriptHelpDialog help(window->windowTitle(), window.get());
  help.show();
  EXPECT_TRUE(OnScreen(help));
}

}  // namespace
}  // namespace quilor

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication app(argc, argv);
  quilor::KeepWindowsWithinScreen(app);
  return RUN_ALL_TESTS();
}
