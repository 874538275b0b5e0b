// Logging in to a data file of empty sections, the shape that used to grow
// a 1.6 MB file to 74 MB and a 60 MB one to 2.8 GB (with 3.4 GB of memory)
// when it was normalised. Both are now refused and left as they are; the
// figures are the time to refuse and the process's peak resident memory
// (peak_MiB, a high-water mark: read it from a run of one size, whose first
// round sets it).
//   quilor_hostile_file_bench --benchmark_filter=/1000/   (the baseline)
//   quilor_hostile_file_bench --benchmark_filter=/400000/
//   quilor_hostile_file_bench --benchmark_filter=/15000000/
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <fstream>
#include <stdexcept>
#include <string>

#include "Files.h"
#include "Session.h"

namespace {

double PeakResidentMiB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_LogInToEmptySections(benchmark::State& state) {
  const quilor::test::TempFolder folder;
  const std::string path = folder.file("data.xtr");
  {
    // Written in pieces, so that making the file adds nothing to the peak.
    std::ofstream file(path, std::ios::binary);
    const std::string piece = [] {
      std::string sections;
      for (int i = 0; i < 1000; ++i) sections += "[a]\n";
      return sections;
    }();
    for (long i = 0; i < state.range(0) / 1000; ++i) file << piece;
  }
  for (auto _ : state) {
    quilor::Session session(path);
    try {
      session.logIn("yanlış");
      state.SkipWithError("the file was accepted");
    } catch (const std::runtime_error&) {
    }
  }
  state.counters["file_MB"] = static_cast<double>(state.range(0) * 4) / 1e6;
  state.counters["peak_MiB"] = PeakResidentMiB();
}
BENCHMARK(BM_LogInToEmptySections)
    ->Arg(1000)
    ->Arg(400000)
    ->Arg(15000000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
