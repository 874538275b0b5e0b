#include "DesktopOpener.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include "PlatformTexts.h"

namespace quilor {

namespace {

// xdg-open's answer when nothing on the system opens the address.
constexpr int kNoMethodExitCode = 3;
// Looking for a browser takes a moment; a browser the user closed takes longer.
constexpr qint64 kPromptFailureMs = 20000;

}  // namespace

QString AddressForDesktop(const QString& address) {
  if (address.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
    return QStringLiteral("http://") + address;
  }
  return address;
}

void OpenWithDesktop(const QString& address, const std::function<void(const QString&)>& report) {
  // Watched, not detached, so that a failure can be told. A browser the
  // opener starts may keep it waiting for as long as it runs; an opener
  // that ends with "no method" that late was a browser closing, not a
  // failure to open. The browser inherits no pipe of ours, so it outlives us.
  auto* opener = new QProcess(QCoreApplication::instance());
  opener->setStandardInputFile(QProcess::nullDevice());
  opener->setStandardOutputFile(QProcess::nullDevice());
  opener->setStandardErrorFile(QProcess::nullDevice());
  QElapsedTimer running;
  running.start();
  QObject::connect(opener, &QProcess::errorOccurred, opener,
                   [opener, report](QProcess::ProcessError error) {
                     if (error != QProcess::FailedToStart) return;
                     report(platform_texts::kNoBrowser);
                     opener->deleteLater();
                   });
  QObject::connect(opener, &QProcess::finished, opener,
                   [opener, report, running](int code, QProcess::ExitStatus status) {
                     if (status == QProcess::NormalExit && code == kNoMethodExitCode &&
                         running.elapsed() < kPromptFailureMs) {
                       report(platform_texts::kNoBrowser);
                     }
                     opener->deleteLater();
                   });
  // The text goes as one argument, never through a shell.
  opener->start(QStringLiteral("xdg-open"), {AddressForDesktop(address)});
}

}  // namespace quilor
