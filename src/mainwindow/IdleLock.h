#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>

#include "IdleProbe.h"

namespace quilor {

// Watches for a minute without input anywhere on the desktop while the
// window is shown. The check runs every 500 ms while the lock is active; a
// hidden window is not watched and the idle time is then not read.
class IdleLock : public QObject {
  Q_OBJECT

 public:
  // Longer than this without input locks the window.
  static constexpr std::uint32_t kLimitMilliseconds = 60000;

  // windowShown tells whether there is a window to lock right now.
  IdleLock(std::unique_ptr<IdleProbe> probe, std::function<bool()> windowShown,
           QObject* parent = nullptr);
  ~IdleLock() override;

  // False where the desktop cannot tell the idle time; there is then no idle lock.
  bool available() const { return probe_->available(); }

  void setActive(bool active);
  bool isActive() const { return timer_.isActive(); }
  int interval() const { return timer_.interval(); }

  // One check; the timer calls it every interval.
  void check();

 signals:
  void idleTooLong();

 private:
  std::unique_ptr<IdleProbe> probe_;
  std::function<bool()> windowShown_;
  QTimer timer_;
};

}  // namespace quilor
