#pragma once

#include <QMimeData>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "ClipboardCountdown.h"

namespace quilor {

// Puts a secret on the system clipboard and empties the clipboard again a
// hundred ticks of 100 ms after the last copy. The window shows the
// countdown from the signals; the clipboard itself is handled here only.
// Only the program's own copy is ever emptied: what the user copied in
// another program meanwhile is theirs and stays.
class SecretClipboard : public QObject {
  Q_OBJECT

 public:
  explicit SecretClipboard(QObject* parent = nullptr);
  // The program ends: a secret still counting down leaves the clipboard
  // with it, rather than staying there for good.
  ~SecretClipboard() override;

  // Replaces whatever the clipboard holds with text, also when text is
  // empty, and counts the hundred ticks from the start again. A countdown
  // that runs already keeps its timer.
  void copy(const QString& text);

  // One step of the countdown; the timer calls it every interval. On the
  // hundredth step after the last copy the countdown ends, and the clipboard
  // is emptied when it still holds the copy. A step while nothing counts
  // does nothing.
  void tick();

  bool counting() const { return countdown_.counting(); }
  int position() const { return countdown_.position(); }
  void setTickInterval(int milliseconds) { timer_.setInterval(milliseconds); }

 signals:
  void countdownStarted();
  void countdownAdvanced(int position);
  void countdownEnded();

 private:
  bool holdsOurCopy() const;

  QTimer timer_;
  ClipboardCountdown countdown_;
  // The clipboard owns and deletes it; the pointer goes null once anyone
  // else's copy took its place.
  QPointer<QMimeData> placed_;
};

}  // namespace quilor
