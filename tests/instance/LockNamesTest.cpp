// Which copies count as the same session and the same data file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "LockNames.h"
#include "ScratchFolder.h"

namespace quilor {
namespace {

using test::ScratchFolder;
namespace fs = std::filesystem;

struct Display {
  const char* x11;
  const char* wayland;
};

std::string NameOf(const Display& d) { return SessionLockName(d.x11, d.wayland); }

TEST(SessionLockName, OneNamePerDesktopSession) {
  const std::vector<std::vector<Display>> sessions = {
      {{":0", ""}, {":0.0", ""}, {":0.1", ""}, {"unix:0", ""}, {"unix:0.0", "wayland-1"}},
      {{":1", ""}},
      {{":10", ""}},
      {{"localhost:10.0", ""}, {"localhost:10", ""}},
      {{"", ""}, {"", "wayland-0"}},
      {{"", "wayland-1"}},
  };
  std::vector<std::string> seen;
  for (const auto& session : sessions) {
    const std::string name = NameOf(session.front());
    for (const Display& d : session) {
      EXPECT_EQ(NameOf(d), name) << "'" << d.x11 << "' '" << d.wayland << "'";
    }
    for (const std::string& other : seen) EXPECT_NE(name, other) << session.front().x11;
    seen.push_back(name);
  }
}

// Runs the test from inside a folder, so relative paths mean something.
class InFolder {
 public:
  explicit InFolder(const std::string& folder) : before_(fs::current_path()) {
    fs::current_path(folder);
  }
  ~InFolder() { fs::current_path(before_); }

 private:
  fs::path before_;
};

TEST(DataFileLockName, EveryPathToTheSameFileGivesOneNameBeforeAndAfterTheFileExists) {
  ScratchFolder scratch;
  fs::create_directories(scratch.path("a"));
  fs::create_directories(scratch.path("b"));
  fs::create_directory_symlink(scratch.path("a"), scratch.path("link"));
  const InFolder inside(scratch.path());

  const std::vector<std::string> samePaths = {
      scratch.path("a/data.xtr"),
      "a/data.xtr",
      "./a/./data.xtr",
      "b/../a/data.xtr",
      "link/data.xtr",
      "a//data.xtr",
      scratch.path("link/../a/data.xtr"),
  };
  const std::vector<std::string> otherFiles = {"a/other.xtr", "b/data.xtr", "data.xtr",
                                               "a/data.xtr.bak"};

  const std::string missing = DataFileLockName("a/data.xtr");
  std::ofstream(scratch.path("a/data.xtr")) << "[RecNo1]\n";
  fs::create_symlink(scratch.path("a/data.xtr"), scratch.path("alias.xtr"));
  EXPECT_EQ(DataFileLockName("a/data.xtr"), missing) << "the name changed when the file appeared";

  for (const std::string& path : samePaths) EXPECT_EQ(DataFileLockName(path), missing) << path;
  EXPECT_EQ(DataFileLockName("alias.xtr"), missing) << "a link to the data file";
  for (const std::string& path : otherFiles) EXPECT_NE(DataFileLockName(path), missing) << path;
}

}  // namespace
}  // namespace quilor
