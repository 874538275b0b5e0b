#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <functional>
#include <stdexcept>

// Qt's headers before Xlib's macros.
#include "TypingTarget.h"
#include "X11Windows.h"

namespace quilor::test {

namespace {

// Generous bounds: a loaded machine starts a Qt program in a few seconds.
constexpr int kStartLimitMs = 15000;
constexpr int kReportLimitMs = 5000;

bool PollUntil(int limitMs, const std::function<bool()>& done) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > limitMs) return false;
    QThread::msleep(2);
  }
  return true;
}

}  // namespace

TypingTarget::TypingTarget(Display* display, const QString& title, bool extras)
    : reportPath_(folder_.filePath("report.txt")) {
  process_.setProgram(QStringLiteral(QUILOR_KEY_TARGET));
  process_.setArguments({title, reportPath_});
  if (extras) process_.setArguments(process_.arguments() << QStringLiteral("--extras"));
  process_.start();
  if (!process_.waitForStarted()) throw std::runtime_error("key target did not start");
  const std::string utf8 = title.toStdString();
  const bool found = PollUntil(kStartLimitMs, [&] {
    for (const TopLevelWindow& w : ApplicationWindows(display, {})) {
      if (w.title == utf8) window_ = w.id;
    }
    return window_ != None && QFile::exists(reportPath_);
  });
  if (!found) throw std::runtime_error("key target window did not appear");
  // The window manager gives a new window the focus a moment after it maps;
  // a test that activates another window before then would lose it again.
  PollUntil(kStartLimitMs, [&] { return HasKeyboard(display, window_); });
}

TypingTarget::~TypingTarget() {
  process_.kill();
  process_.waitForFinished();
}

void TypingTarget::reset() {
  process_.write("reset\n");
  process_.waitForBytesWritten();
  ++resets_;
  PollUntil(kReportLimitMs, [&] { return report().resets == resets_; });
}

TargetReport TypingTarget::report() const {
  QFile file(reportPath_);
  TargetReport r;
  if (!file.open(QIODevice::ReadOnly)) return r;
  for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
    if (line.startsWith("first=")) r.first = line.mid(6);
    if (line.startsWith("second=")) r.second = line.mid(7);
    if (line.startsWith("keys=")) r.keys = line.mid(5);
    if (line.startsWith("resets=")) r.resets = line.mid(7).toInt();
  }
  return r;
}

TargetReport TypingTarget::waitForFirst(const QString& text) const {
  TargetReport last;
  PollUntil(kReportLimitMs, [&] {
    last = report();
    return last.first == text;
  });
  return last;
}

TargetReport TypingTarget::waitForKeys(const QString& text) const {
  TargetReport last;
  PollUntil(kReportLimitMs, [&] {
    last = report();
    return last.keys.contains(text);
  });
  return last;
}

}  // namespace quilor::test
