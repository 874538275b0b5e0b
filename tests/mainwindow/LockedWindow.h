#pragma once

// The main window on a real X server, with the hands a test needs around its
// modal dialogs: other programs' tools (xdotool, xprop), an idle time the test
// sets, and the master password typed into the dialogs that ask for it.

#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Files.h"
#include "MainWindow.h"

namespace quilor::test {

// How long a test waits for anything before it gives up.
constexpr int kWait = 15000;
inline const char* const kPassword = "anahtar";

// Runs an X tool to its end, as another program on the desktop would; its
// standard output, or nothing when it failed.
std::optional<QString> RunTool(const QString& program, const QStringList& arguments);

// Ctrl+Alt+D, pressed by another program.
bool PressHotKey();

// The window in the tray host (trayer) that belongs to this process, or 0.
qulonglong OurIconInTray();

// The test's hand while a modal loop runs: step is called every 20 ms for as
// long as the hand exists. When the case has not ended within kWait, it gives
// up: every dialog still open is closed, so the test reports instead of
// hanging in a modal loop.
class Hand : public QObject {
 public:
  explicit Hand(std::function<void()> step);
  ~Hand() override;

 private:
  void step();

  std::function<void()> step_;
  QTimer poll_;
  QElapsedTimer clock_;
  bool gaveUp_ = false;
};

// The dialog when it is on the screen, else null.
template <typename Dialog>
Dialog* Shown(Dialog* dialog) {
  return dialog != nullptr && dialog->isVisible() ? dialog : nullptr;
}

// Answers a shown master password dialog, once: types the password and
// presses "Giriş", or presses "Vazgeç" when password is null. True when it
// answered one now.
bool AnswerPasswordDialog(const char* password);

// A message box that should not have come up: its text is kept and it is
// answered with its escape button, so the test goes on to report it.
void NoteUnexpectedBox(QStringList& boxes);

// The idle time the window's idle lock reads, set by the test.
struct IdleTime {
  std::uint32_t milliseconds = 0;
};

// A logged-in main window, shown, on two records.
class LockedWindow : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override { window.reset(); }
  void openWindow();

  QAction* action(const char* name);
  QAction* trayItem(const char* name);
  void selectFirstRow();
  void doubleClickTrayIcon();
  bool lockedInTray();

  TempFolder folder;
  std::string path;
  IdleTime idle;
  std::unique_ptr<MainWindow> window;
};

}  // namespace quilor::test
