#pragma once

#include <cstddef>
#include <functional>

namespace quilor {

// How many threads the record operations spread their cipher work over.
// 0, the default, means one per core.
void SetWorkerThreads(unsigned count);
unsigned WorkerThreads();

// Runs work(i) for every i in [0, count), spread over WorkerThreads()
// threads of which the calling thread is one, and returns when all have
// ended. Indexes are handed out in ascending order. When work(i) returns
// false, no index above i is started any more (those already running end
// normally). The first exception thrown by work stops the hand-out as well
// and is rethrown here.
void ParallelFor(std::size_t count, const std::function<bool(std::size_t)>& work);

}  // namespace quilor
