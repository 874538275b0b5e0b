// LoadRecords (read, rewrite, verify, decipher) of generated files next to
// the old floor: three OpenSSL Blowfish key set-ups per record, the count of
// key set-ups a load made while every field built its own key. The load now
// builds one key per master password; measured once with the cipher work on
// the calling thread alone and once on every core. A session's save of one
// changed record (write, sync, one read-back) is measured beside them, and
// so is a whole "quilor-cli export" process.
//   quilor_store_bench    (5 rounds each; read the medians)
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <openssl/blowfish.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

#include "DataFile.h"
#include "Files.h"
#include "ProtectedRecords.h"
#include "Session.h"
#include "WorkerThreads.h"

namespace {

const std::string kMasterPassword =
    "Ana \xFE"
    "ifre 2009";

std::string RandomText(std::mt19937& random, int minLength, int maxLength) {
  static const std::string letters =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .-_@\xFE\xFD\xF0\xE7\xF6\xFC";
  std::uniform_int_distribution<int> length(minLength, maxLength);
  std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
  std::string text(static_cast<std::size_t>(length(random)), ' ');
  for (char& c : text) c = letters[pick(random)];
  return text;
}

// Records shaped like the ones people keep: short titles and secrets, a
// group, an address, dates and the default captions.
void FillRecords(quilor::RecordTable& table, int count) {
  using namespace quilor::Field;
  std::mt19937 random(20090315);
  for (int i = 0; i < count; ++i) {
    table.append();
    table.setText(RecordNumber, "20090315103000123" + std::to_string(1000 + i % 9000).substr(0, 4));
    table.setText(Title, RandomText(random, 4, 30));
    table.setText(UserName, RandomText(random, 6, 24));
    table.setText(Password, RandomText(random, 8, 20));
    if (i % 4 == 0) table.setText(Password2, RandomText(random, 4, 12));
    table.setText(Description, RandomText(random, 0, 60));
    table.setText(WebAddress, "https://www." + RandomText(random, 5, 20) + ".com.tr/");
    table.setText(Group, RandomText(random, 3, 12));
    table.setNumber(CreatedDate, 39887 + i % 3000);
    table.setNumber(PasswordChangedDate, 39887 + i % 3000);
    table.setNumber(PasswordChangedTime, (i % 86400) / 86400.0);
    table.setNumber(Password2ChangedDate, 0);
    table.setNumber(Password2ChangedTime, 0);
    if (i % 3 == 0) table.setText(AutoFillScript, "{KULLANICIADI}{TAB}{SIFRE}{ENTER}");
    table.setBoolean(ShowInTray, i % 5 == 0);
    table.setText(Password2Caption,
                  "\xDE"
                  "ifre 2");
    table.setText(PasswordCaption,
                  "\xDE"
                  "ifre");
    table.setText(UserNameCaption,
                  "Kullan\xFD"
                  "c\xFD Ad\xFD");
    table.post();
  }
}

// A data file of count records in folder.
std::string DataFileOf(const quilor::test::TempFolder& folder, int count) {
  const std::string path = folder.file("data.xtr");
  quilor::RecordTable table;
  FillRecords(table, count);
  quilor::SaveRecords(table, path, quilor::MasterKey(kMasterPassword));
  return path;
}

void BM_LoadRecords(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const unsigned threads = static_cast<unsigned>(state.range(1));
  const quilor::test::TempFolder folder;
  const std::string path = DataFileOf(folder, count);
  quilor::SetWorkerThreads(threads);
  quilor::RecordTable table;
  for (auto _ : state) {
    quilor::LoadRecords(table, path, quilor::MasterKey(kMasterPassword), {});
    benchmark::DoNotOptimize(table.recordCount());
  }
  quilor::SetWorkerThreads(0);
  state.SetLabel(threads == 0 ? "all cores" : "one thread");
}

// The part of a load that is no cipher work: parse and rewrite.
void BM_ReadDataFile(benchmark::State& state) {
  const quilor::test::TempFolder folder;
  const std::string path = DataFileOf(folder, static_cast<int>(state.range(0)));
  quilor::RecordTable table;
  for (auto _ : state) {
    quilor::ReadDataFile(table, path);
    benchmark::DoNotOptimize(table.recordCount());
  }
}

void BM_SessionSaveOneRecord(benchmark::State& state) {
  const quilor::test::TempFolder folder;
  const std::string path = DataFileOf(folder, static_cast<int>(state.range(0)));
  quilor::Session session(path);
  session.logIn(kMasterPassword);
  int round = 0;
  for (auto _ : state) {
    quilor::RecordTable& table = session.records();
    table.first();
    table.edit();
    table.setText(quilor::Field::Description, "round " + std::to_string(++round));
    table.post();
    session.save({{table.text(quilor::Field::RecordNumber)}, {}});
  }
}

// Runs "quilor-cli export path" to its end, the master password on its
// standard input, the records it prints thrown away.
void RunCliExport(const std::string& path, const std::string& passwordFile) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, passwordFile.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  std::string program = QUILOR_CLI_PATH;
  std::string command = "export";
  std::string file = path;
  char* argv[] = {program.data(), command.data(), file.data(), nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, QUILOR_CLI_PATH, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (spawned != 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    throw std::runtime_error("quilor-cli export failed");
  }
}

void BM_CliExport(benchmark::State& state) {
  const quilor::test::TempFolder folder;
  const std::string path = DataFileOf(folder, static_cast<int>(state.range(0)));
  const std::string passwordFile = folder.file("password");
  std::ofstream(passwordFile) << "Ana \xC5\x9F"
                                 "ifre 2009\n";  // the master password in UTF-8
  for (auto _ : state) RunCliExport(path, passwordFile);
}

void BM_Floor_OpenSslKeySetUps(benchmark::State& state) {
  const int setUps = 3 * static_cast<int>(state.range(0));
  BF_KEY key;
  for (auto _ : state) {
    for (int i = 0; i < setUps; ++i) {
      BF_set_key(&key, static_cast<int>(kMasterPassword.size()),
                 reinterpret_cast<const unsigned char*>(kMasterPassword.data()));
      benchmark::DoNotOptimize(key);
      benchmark::ClobberMemory();
    }
  }
  state.SetLabel("3 x records");
}

constexpr int kCounts[] = {1749, 10000, 50000};

void FloorArgs(benchmark::internal::Benchmark* b) {
  for (int count : kCounts) b->Arg(count);
}

void LoadArgs(benchmark::internal::Benchmark* b) {
  for (int count : kCounts) {
    b->Args({count, 1});
    b->Args({count, 0});
  }
}

BENCHMARK(BM_Floor_OpenSslKeySetUps)
    ->Apply(FloorArgs)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadDataFile)
    ->Apply(FloorArgs)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadRecords)
    ->Apply(LoadArgs)
    ->ArgNames({"records", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_CliExport)
    ->Apply(FloorArgs)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_SessionSaveOneRecord)
    ->Apply(FloorArgs)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
