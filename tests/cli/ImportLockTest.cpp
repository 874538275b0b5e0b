// quilor-cli import against a data file that a running program holds: the
// import is refused with its own status and the file stays as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "LockFolder.h"
#include "LockNames.h"

namespace quilor::test {
namespace {

const std::string kFixtures = QUILOR_CLI_FIXTURES;

// Holds the data file's lock as the program does while it runs.
std::optional<HeldLock> HoldAsTheProgram(const std::string& dataFile) {
  return LockFolder::Open().tryLock(DataFileLockName(dataFile));
}

TEST(ImportLockTest, AnImportIntoAFileTheProgramHoldsIsRefusedAndChangesNothing) {
  TempFolder dir;
  const std::string records = kFixtures + "/sample.json";
  const std::string existing = dir.file("data.xtr");
  WriteBytes(existing, ReadBytes(kFixtures + "/sample.xtr"));
  const std::string missing = dir.file("new.xtr");
  std::filesystem::create_directory(dir.file("sub"));

  struct Case {
    std::vector<std::string> arguments;
    std::string heldFile;
  };
  const std::vector<Case> cases = {
      {{"import", "--force", existing, records}, existing},
      {{"import", missing, records}, missing},
      {{"import", "--force", dir.file("./sub/../data.xtr"), records}, existing},
      {{"import", "--force", dir.file("sub/../new.xtr"), records}, missing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments[c.arguments.size() - 2]);
    std::optional<HeldLock> program = HoldAsTheProgram(c.heldFile);
    ASSERT_TRUE(program.has_value());
    const std::string before = ReadBytes(existing);
    const bool missingThere = Exists(missing);

    const RunResult refused = RunCli(c.arguments, "pw\n");
    EXPECT_EQ(refused.exitCode, 5);
    EXPECT_EQ(refused.err, "quilor-cli: " + c.arguments[c.arguments.size() - 2] +
                               ": veri dosyası şu anda Quilor programında açık; programı "
                               "kapatıp yeniden deneyin\n");
    EXPECT_EQ(ReadBytes(existing), before);
    EXPECT_EQ(Exists(missing), missingThere);

    program.reset();
    EXPECT_EQ(RunCli(c.arguments, "pw\n").exitCode, 0) << "the program has ended";
  }
}

// Leftovers of a write killed midway (a temporary beside the file, a
// staging folder) go with the next import, and only once it holds the
// file's lock: while the program holds it, they may be the program's own
// save under way. Files that only look like them stay.
TEST(ImportLockTest, AnImportRemovesWhatKilledWritesLeftOnlyWhileItHoldsTheLock) {
  TempFolder dir;
  const std::string records = kFixtures + "/sample.json";
  const std::string dataFile = dir.file("data.xtr");
  WriteBytes(dataFile, ReadBytes(kFixtures + "/sample.xtr"));
  WriteBytes(dir.file("data.xtr.quilor-tmp-k1Ll3d"), "[RecNo1]\r\nALAN1=20");
  std::filesystem::create_directory(dir.file(".data.xtr.quilor-cli-St4g3d"));
  WriteBytes(dir.file(".data.xtr.quilor-cli-St4g3d/data.xtr"), "[RecNo1]\r\n");
  const std::vector<std::string> kept = {"data.xtr.backup", "data.xtr.quilor-tmp-kısa"};
  for (const std::string& name : kept) WriteBytes(dir.file(name), "kalmalı");
  const auto names = [&] {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      found.push_back(entry.path().filename().string());
    }
    std::sort(found.begin(), found.end());
    return found;
  };
  const std::vector<std::string> before = names();

  std::optional<HeldLock> program = HoldAsTheProgram(dataFile);
  ASSERT_TRUE(program.has_value());
  EXPECT_EQ(RunCli({"import", "--force", dataFile, records}, "pw\npw\n").exitCode, 5);
  EXPECT_EQ(names(), before);

  program.reset();
  const RunResult imported = RunCli({"import", "--force", dataFile, records}, "pw\npw\n");
  EXPECT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_EQ(names(),
            (std::vector<std::string>{"data.xtr", "data.xtr.backup", "data.xtr.quilor-tmp-kısa"}));
}

}  // namespace
}  // namespace quilor::test
