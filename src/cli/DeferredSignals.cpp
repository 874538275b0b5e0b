#include "DeferredSignals.h"

#include <pthread.h>

namespace quilor::cli {

DeferredSignals::DeferredSignals() {
  sigemptyset(&deferred_);
  sigaddset(&deferred_, SIGINT);
  sigaddset(&deferred_, SIGTERM);
  sigaddset(&deferred_, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &deferred_, &previous_);
}

DeferredSignals::~DeferredSignals() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

bool DeferredSignals::arrived() const {
  sigset_t pending;
  sigemptyset(&pending);
  sigpending(&pending);
  return sigismember(&pending, SIGINT) == 1 || sigismember(&pending, SIGTERM) == 1 ||
         sigismember(&pending, SIGHUP) == 1;
}

}  // namespace quilor::cli
