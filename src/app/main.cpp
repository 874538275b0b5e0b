// Process entry: one copy per desktop session and per data file, then a
// hidden main window that asks for the master password as soon as the event
// loop runs.
#include <QApplication>

#include "ErrorDisplay.h"
#include "ExeFolder.h"
#include "Identity.h"
#include "Info.h"
#include "MainWindow.h"
#include "ProcessHardening.h"
#include "QtTurkishTexts.h"
#include "SingleInstance.h"
#include "StaleTemporaries.h"
#include "WaylandSession.h"
#include "WindowsWithinScreen.h"

int main(int argc, char** argv) {
  quilor::DisableCoreDumps();
  quilor::RaiseMemoryLockLimit();
  quilor::PreferX11OnWayland();
  QApplication app(argc, argv);
  quilor::InstallQtTurkishTexts(app);
  quilor::KeepWindowsWithinScreen(app);
  // Start-up runs before any user action's guard exists: a failure here (a
  // lock folder that is not safe to use, no executable folder) is shown like
  // any other error instead of aborting the process without a word.
  try {
    const quilor::SingleInstance guard(quilor::DataFilePath());
    if (!guard.acquired()) {
      quilor::ShowInfo(QStringLiteral("Program sistemde çalışıyor."));
      return 0;
    }
    // Holding the data file's lock, this copy is its only writer: whatever
    // a killed save left beside it is stale.
    quilor::RemoveStaleTemporaries(quilor::DataFilePath());

    QApplication::setApplicationName(quilor::ApplicationTitle());
    // The main window is hidden while dialogs come and go; the program ends
    // only when the login is abandoned or the main window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    quilor::MainWindow mainWindow;
    return QApplication::exec();
  } catch (...) {
    quilor::ReportException(std::current_exception());
    return 1;
  }
}
