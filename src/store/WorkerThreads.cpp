#include "WorkerThreads.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace quilor {

namespace {

std::atomic<unsigned> requestedThreads{0};

}  // namespace

void SetWorkerThreads(unsigned count) { requestedThreads = count; }

unsigned WorkerThreads() {
  const unsigned requested = requestedThreads;
  if (requested != 0) return requested;
  return std::max(1u, std::thread::hardware_concurrency());
}

void ParallelFor(std::size_t count, const std::function<bool(std::size_t)>& work) {
  std::atomic<std::size_t> nextIndex{0};
  std::atomic<std::size_t> endIndex{count};
  std::mutex failureMutex;
  std::exception_ptr failure;

  auto runWorker = [&] {
    for (;;) {
      const std::size_t i = nextIndex.fetch_add(1);
      if (i >= endIndex.load()) return;
      bool goOn = false;
      try {
        goOn = work(i);
      } catch (...) {
        std::lock_guard lock(failureMutex);
        if (!failure) failure = std::current_exception();
      }
      if (!goOn) {
        std::size_t end = endIndex.load();
        while (i + 1 < end && !endIndex.compare_exchange_weak(end, i + 1)) {
        }
      }
    }
  };

  const std::size_t helpers = std::min<std::size_t>(WorkerThreads(), count) - (count > 0 ? 1 : 0);
  std::vector<std::thread> threads;
  threads.reserve(helpers);
  for (std::size_t t = 0; t < helpers; ++t) {
    try {
      threads.emplace_back(runWorker);
    } catch (const std::system_error&) {
      break;  // fewer threads only make it slower
    }
  }
  runWorker();
  for (auto& thread : threads) thread.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace quilor
