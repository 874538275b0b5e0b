// A search in the main window (reload, filter, refill of the list, one
// repaint) next to the plain load of the same data file, over 1,749 and
// 10,000 records. The search should cost little more than the load it
// starts with: the list must not be the slow part.
//   QT_QPA_PLATFORM=offscreen quilor_mainwindow_search_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <map>
#include <memory>
#include <string>

#include "Cp1254.h"
#include "Files.h"
#include "MainWindow.h"
#include "ProcessState.h"
#include "ProtectedRecords.h"
#include "RecordListModel.h"
#include "SampleRecords.h"
#include "SearchFold.h"

namespace quilor {
namespace {

constexpr const char* kMasterPassword = "Ölçüm-Şifresi";

// One data file per record count, written once for the whole run.
const std::string& DataFileWith(int records) {
  static const test::TempFolder folder;
  static std::map<int, std::string> paths;
  auto found = paths.find(records);
  if (found != paths.end()) return found->second;
  const std::string path = folder.file("data-" + std::to_string(records) + ".xtr");
  RecordTable table;
  test::AppendGeneratedRecords(table, records);
  test::SaveSample(table, path, MasterPassword);
  return paths.emplace(records, path).first->second;
}

void BM_LoadRecords(benchmark::State& state) {
  const std::string& path = DataFileWith(int(state.range(0)));
  RecordTable table;
  const LoadSteps steps;
  for (auto _ : state) {
    LoadRecords(table, path, MasterPassword, steps);
    benchmark::DoNotOptimize(table.recordCount());
  }
}

void BM_Search(benchmark::State& state) {
  const std::string& path = DataFileWith(int(state.range(0)));
  MainWindow window(MainWindowSetup{path, false});
  window.show();
  window.loadRecords();
  QApplication::processEvents();
  for (auto _ : state) {
    window.applySearch(QStringLiteral("banka"));
    QApplication::processEvents();
  }
}

// The list's own share of a search: sort, rebuild every row, narrow, repaint.
void BM_RefillAndFilter(benchmark::State& state) {
  const std::string& path = DataFileWith(int(state.range(0)));
  MainWindow window(MainWindowSetup{path, false});
  window.show();
  window.loadRecords();
  const RowMatcher matcher(QStringLiteral("banka"));
  for (auto _ : state) {
    window.fillRecordList();
    auto* model = window.findChild<RecordListModel*>();
    model->keepRows([&](const RecordRow& row) { return matcher.matches(row); });
    QApplication::processEvents();
  }
}

BENCHMARK(BM_LoadRecords)
    ->Arg(1749)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Search)
    ->Arg(1749)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_RefillAndFilter)
    ->Arg(1749)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace quilor

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  quilor::MasterPassword = quilor::ToCp1254(QString::fromUtf8(quilor::kMasterPassword)).bytes;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
