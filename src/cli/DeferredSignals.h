#pragma once

#include <signal.h>

namespace quilor::cli {

// Holds back Ctrl-C, SIGTERM and SIGHUP for its lifetime, so that whatever
// is made meanwhile (a staged file, its folder) is removed by the
// destructors that run before this one. A signal that came in the meantime
// takes effect as soon as the object goes, ending the process as it would
// have. Threads started meanwhile hold the signals back too.
class DeferredSignals {
 public:
  DeferredSignals();
  ~DeferredSignals();
  DeferredSignals(const DeferredSignals&) = delete;
  DeferredSignals& operator=(const DeferredSignals&) = delete;

  // True once one of the signals is waiting: the work should stop now.
  bool arrived() const;

 private:
  sigset_t deferred_;
  sigset_t previous_;
};

}  // namespace quilor::cli
