// The password health report over 1,749 and 10,000 generated records (their
// passwords strong, some shared), next to the strength estimate of the same
// passwords alone: the estimate is the report's cost, the rest must stay
// small. The report runs on the user's click, so it must not keep the
// window waiting for long on a large collection. Also the fit of every record
// against one window title, which auto-fill works out whenever another
// window is chosen.
//   quilor_health_bench --benchmark_repetitions=15    (read the medians)
#include <benchmark/benchmark.h>

#include <QString>
#include <map>
#include <string>
#include <vector>

#include "PasswordHealth.h"
#include "PasswordStrength.h"
#include "SampleRecords.h"
#include "WindowFit.h"

namespace quilor {
namespace {

RecordTable& TableWith(int records) {
  static std::map<int, RecordTable> tables;
  auto found = tables.find(records);
  if (found != tables.end()) return found->second;
  RecordTable& table = tables[records];
  test::AppendGeneratedRecords(table, records);
  return table;
}

void HealthReport(benchmark::State& state) {
  RecordTable& table = TableWith(static_cast<int>(state.range(0)));
  const long long today = static_cast<long long>(test::Days(2026, 12, 10));
  for (auto _ : state) benchmark::DoNotOptimize(CheckPasswordHealth(table, today));
}
BENCHMARK(HealthReport)->Arg(1749)->Arg(10000)->Unit(benchmark::kMillisecond);

void StrengthEstimatesAlone(benchmark::State& state) {
  RecordTable& table = TableWith(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    for (table.first(); !table.eof(); table.next()) {
      benchmark::DoNotOptimize(EstimateStrength(table.text(Field::Password)));
    }
  }
}
BENCHMARK(StrengthEstimatesAlone)->Arg(1749)->Arg(10000)->Unit(benchmark::kMillisecond);

void WindowFitOfEveryRecord(benchmark::State& state) {
  RecordTable& table = TableWith(static_cast<int>(state.range(0)));
  std::vector<FitKeys> keys;
  for (table.first(); !table.eof(); table.next()) {
    keys.push_back(MakeFitKeys(table.text(Field::Title), table.text(Field::WebAddress)));
  }
  const QString window = QStringLiteral("Ziraat Bankası İnternet Şubesi — Mozilla Firefox");
  for (auto _ : state) benchmark::DoNotOptimize(FitsForWindow(FoldedWindowTitle(window), keys));
}
BENCHMARK(WindowFitOfEveryRecord)->Arg(1749)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quilor
