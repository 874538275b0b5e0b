// A search in the main window (filter, refill of the list, one repaint) next
// to the plain load of the same data file and the login that shows the list,
// over 1,749, 10,000 and 50,000 records. On an unchanged file the search filters the records in
// memory.
//
// The search runs twice: on a file left as it is, and on one that is a
// blank line off its normalised form before every search, which makes the
// search read the file again and the read rewrite and sync it.
//   quilor_mainwindow_search_bench    (each runs 5 times; read the medians)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QSignalBlocker>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "Cp1254.h"
#include "Files.h"
#include "MainWindow.h"
#include "ProtectedRecords.h"
#include "SampleRecords.h"

namespace quilor {
namespace {

constexpr const char* kMasterPassword = "Ölçüm-Şifresi";

// The master password as the program holds it, in Windows-1254 bytes.
const std::string& MasterPassword() {
  static const std::string bytes = ToCp1254(QString::fromUtf8(kMasterPassword)).bytes;
  return bytes;
}

// One data file per record count, written once for the whole run.
const std::string& DataFileWith(int records) {
  static const test::TempFolder folder;
  static std::map<int, std::string> paths;
  auto found = paths.find(records);
  if (found != paths.end()) return found->second;
  const std::string path = folder.file("data-" + std::to_string(records) + ".xtr");
  RecordTable table;
  test::AppendGeneratedRecords(table, records);
  test::SaveSample(table, path, MasterPassword());
  return paths.emplace(records, path).first->second;
}

void BM_LoadRecords(benchmark::State& state) {
  const std::string& path = DataFileWith(int(state.range(0)));
  RecordTable table;
  const LoadSteps steps;
  for (auto _ : state) {
    LoadRecords(table, path, MasterKey(MasterPassword()), steps);
    benchmark::DoNotOptimize(table.recordCount());
  }
}

// The resident set of this process (/proc/self/status), in MiB.
double ResidentMiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  double kiB = 0;
  while (status >> key) {
    if (key == "VmRSS:" && status >> kiB) return kiB / 1024;
  }
  return 0;
}

// From the password to the list shown: the login's read and the first fill.
// rss_MiB is the process's resident set after the last login, the
// benchmark's own generated files included.
void BM_LoginToList(benchmark::State& state) {
  const std::string& path = DataFileWith(int(state.range(0)));
  for (auto _ : state) {
    MainWindow window(MainWindowSetup{path, false});
    window.logIn(MasterPassword());
    window.show();
    QApplication::processEvents();
    state.counters["rss_MiB"] = ResidentMiB();
  }
}

// Types the search text without starting the search delay: the benchmark
// runs each search itself.
void TypeSearch(MainWindow& window, const QString& text) {
  auto* box = window.findChild<QLineEdit*>(QStringLiteral("searchBox"));
  const QSignalBlocker quiet(box);
  box->setText(text);
}

// One blank line at the end: the same records, but not the normalised form.
void MoveOffNormalisedForm(const std::string& path) {
  std::ofstream file(path, std::ios::binary | std::ios::app);
  file << "\r\n";
}

// Bytes this process has handed to write() so far (/proc/self/io), to show
// what a search writes besides how long it takes.
double BytesWrittenSoFar() {
  std::ifstream io("/proc/self/io");
  std::string key;
  double value = 0;
  while (io >> key >> value) {
    if (key == "wchar:") return value;
  }
  return 0;
}

void BM_Search(benchmark::State& state) {
  const std::string& path = DataFileWith(int(state.range(0)));
  const bool rewritten = state.range(1) != 0;
  MainWindow window(MainWindowSetup{path, false});
  window.show();
  window.logIn(MasterPassword());
  TypeSearch(window, QStringLiteral("banka"));
  QApplication::processEvents();
  const double writtenBefore = BytesWrittenSoFar();
  for (auto _ : state) {
    if (rewritten) {
      state.PauseTiming();
      MoveOffNormalisedForm(path);
      state.ResumeTiming();
    }
    window.applySearch();
    QApplication::processEvents();
  }
  state.counters["written_kB"] = benchmark::Counter((BytesWrittenSoFar() - writtenBefore) / 1024,
                                                    benchmark::Counter::kAvgIterations);
  state.SetLabel(rewritten ? "file rewritten on every read" : "file left as it is");
}

// The list's own share of a search: sort, list the records again, fold their
// search texts and narrow the rows, repaint.
void BM_RefillAndFilter(benchmark::State& state) {
  const std::string& path = DataFileWith(int(state.range(0)));
  MainWindow window(MainWindowSetup{path, false});
  window.show();
  window.logIn(MasterPassword());
  TypeSearch(window, QStringLiteral("banka"));
  for (auto _ : state) {
    window.fillRecordList();
    QApplication::processEvents();
  }
}

BENCHMARK(BM_LoadRecords)
    ->Arg(1749)
    ->Arg(10000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_LoginToList)
    ->Arg(1749)
    ->Arg(10000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Search)
    ->ArgsProduct({{1749, 10000, 50000}, {1, 0}})
    ->ArgNames({"records", "rewrite"})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_RefillAndFilter)
    ->Arg(1749)
    ->Arg(10000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace quilor

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
