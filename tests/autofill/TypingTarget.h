#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// Xlib's macros (None, Bool, Status...) clash with Qt's names: after Qt.
#include <X11/Xlib.h>

namespace quilor::test {

// What the target form holds: its two fields and every key press it saw.
struct TargetReport {
  QString first;
  QString second;
  QString keys;
  int resets = 0;
};

// The form program (autofill_key_target) in a process of its own, with its
// window found on the display.
class TypingTarget {
 public:
  // With extras the program also shows an owned dialog, a utility window
  // and a minimised window.
  TypingTarget(Display* display, const QString& title, bool extras = false);
  ~TypingTarget();

  ::Window window() const { return window_; }
  // Empties the form and puts the focus in its first field.
  void reset();
  TargetReport report() const;
  // Polls the report until `first` holds `text` (bounded); the last report.
  TargetReport waitForFirst(const QString& text) const;
  // Polls until the keys log holds `text` (bounded).
  TargetReport waitForKeys(const QString& text) const;

 private:
  QTemporaryDir folder_;
  QString reportPath_;
  QProcess process_;
  ::Window window_ = None;
  int resets_ = 0;
};

}  // namespace quilor::test
