// quilor-cli import against a data file that a running program holds: the
// import is refused with its own status and the file stays as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "CliRunner.h"
#include "LockFolder.h"
#include "LockNames.h"

namespace quilor::cli::test {
namespace {

const std::string kFixtures = QUILOR_CLI_FIXTURES;

// Holds the data file's lock as the program does while it runs.
std::optional<HeldLock> HoldAsTheProgram(const std::string& dataFile) {
  return LockFolder::Open().tryLock(DataFileLockName(dataFile));
}

TEST(ImportLockTest, AnImportIntoAFileTheProgramHoldsIsRefusedAndChangesNothing) {
  ScratchDir dir;
  const std::string records = kFixtures + "/sample.json";
  const std::string existing = dir.path("data.xtr");
  WriteBytes(existing, ReadBytes(kFixtures + "/sample.xtr"));
  const std::string missing = dir.path("new.xtr");
  std::filesystem::create_directory(dir.path("sub"));

  struct Case {
    std::vector<std::string> arguments;
    std::string heldFile;
  };
  const std::vector<Case> cases = {
      {{"import", "--force", existing, records}, existing},
      {{"import", missing, records}, missing},
      {{"import", "--force", dir.path("./sub/../data.xtr"), records}, existing},
      {{"import", "--force", dir.path("sub/../new.xtr"), records}, missing},
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

}  // namespace
}  // namespace quilor::cli::test
