#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include "ClipboardCountdown.h"

namespace quilor {

// Puts a secret on the system clipboard and empties the clipboard again a
// hundred ticks of 100 ms after the last copy. The window shows the
// countdown from the signals; the clipboard itself is handled here only.
class SecretClipboard : public QObject {
  Q_OBJECT

 public:
  explicit SecretClipboard(QObject* parent = nullptr);

  // Replaces whatever the clipboard holds with text, also when text is
  // empty, and counts the hundred ticks from the start again. A countdown
  // that runs already keeps its timer.
  void copy(const QString& text);

  // One step of the countdown; the timer calls it every interval. On the
  // hundredth step after the last copy the clipboard is emptied, whatever it
  // holds by then. A step while nothing counts does nothing.
  void tick();

  bool counting() const { return countdown_.counting(); }
  int position() const { return countdown_.position(); }
  void setTickInterval(int milliseconds) { timer_.setInterval(milliseconds); }

 signals:
  void countdownStarted();
  void countdownAdvanced(int position);
  void clipboardCleared();

 private:
  QTimer timer_;
  ClipboardCountdown countdown_;
};

}  // namespace quilor
