#include "IdleLock.h"

#include "ErrorDisplay.h"

namespace quilor {

IdleLock::IdleLock(std::unique_ptr<IdleProbe> probe, std::function<bool()> windowShown,
                   QObject* parent)
    : QObject(parent), probe_(std::move(probe)), windowShown_(std::move(windowShown)) {
  timer_.setInterval(500);
  connect(&timer_, &QTimer::timeout, this, [this] { Guarded([this] { check(); }); });
}

IdleLock::~IdleLock() = default;

void IdleLock::setActive(bool active) {
  if (active) {
    timer_.start();
  } else {
    timer_.stop();
  }
}

void IdleLock::check() {
  if (!windowShown_()) return;
  if (probe_->idleMilliseconds() > kLimitMilliseconds) emit idleTooLong();
}

}  // namespace quilor
