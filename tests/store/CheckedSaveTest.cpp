// A save that never writes blindly over a data file another machine changed:
// the other machine's version is made in a folder of its own and renamed over
// the file between this side's read and its save, as a sync engine does.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "CheckedSave.h"
#include "ConflictCopies.h"
#include "FileSteps.h"
#include "StoreTestSupport.h"

namespace quilor {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

void AppendTitled(RecordTable& table, const std::string& number, const std::string& title) {
  table.append();
  table.setText(Field::RecordNumber, number);
  table.setText(Field::Title, title);
  table.setText(Field::UserName, "kullanici");
  table.setText(Field::Password, "sifre-" + number);
  table.post();
}

void Retitle(RecordTable& table, const std::string& number, const std::string& title) {
  ASSERT_TRUE(table.locate(number));
  table.edit();
  table.setText(Field::Title, title);
  table.post();
}

void Delete(RecordTable& table, const std::string& number) {
  ASSERT_TRUE(table.locate(number));
  table.deleteCurrent();
}

// The titles a file holds under a password, sorted, to compare as a set.
std::vector<std::string> TitlesIn(const std::string& path, const std::string& password) {
  RecordTable table;
  LoadRecords(table, path, MasterKey(password), LoadSteps{});
  std::vector<std::string> titles;
  for (table.first(); !table.eof(); table.next()) titles.push_back(table.text(Field::Title));
  std::sort(titles.begin(), titles.end());
  return titles;
}

struct Case {
  const char* name;
  // What the other machine does to its copy, and whether it changes the
  // master password to "baska" as it saves.
  std::function<void(RecordTable&)> elsewhere;
  bool rekeyElsewhere;
  // What the user does here, and the change it names.
  std::function<void(RecordTable&)> here;
  TableChange change;
  bool rekeyHere;
  SaveOutcome outcome;
  // The titles the file holds afterwards; empty when it must be left as the
  // other machine wrote it, byte for byte.
  std::vector<std::string> titlesAfter;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class SaveWithoutBlindWriteTest : public testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    RecordTable table;
    AppendTitled(table, "1", "Banka");
    AppendTitled(table, "2", "Posta");
    AppendTitled(table, "3", "VPN");
    SaveRecords(table, path_, master_);
  }

  TempFolder folder_;
  TempFolder otherMachine_;
  std::string path_ = folder_.file("data.xtr");
  MasterKey master_{"ana"};
};

TEST_P(SaveWithoutBlindWriteTest, TakesInChangesFromElsewhereOrWritesNothing) {
  const Case& c = GetParam();
  RecordTable here;
  LastRead lastRead;
  LoadRecordsNoting(here, path_, master_, LoadSteps{}, lastRead);

  if (c.elsewhere) {
    const std::string theirs = otherMachine_.file("data.xtr");
    std::filesystem::copy_file(path_, theirs);
    RecordTable there;
    LoadRecords(there, theirs, master_, LoadSteps{});
    c.elsewhere(there);
    SaveRecords(there, theirs, MasterKey(c.rekeyElsewhere ? "baska" : "ana"));
    // A table left empty takes the file away, as a sync engine then does here.
    if (std::filesystem::exists(theirs)) {
      std::filesystem::rename(theirs, path_);
    } else {
      std::filesystem::remove(path_);
    }
  }
  const std::string fileBefore = std::filesystem::exists(path_) ? ReadBytes(path_) : "";

  c.here(here);
  const std::string writePassword = c.rekeyHere ? "yeni" : "ana";
  const MasterKey writeKey(writePassword);
  EXPECT_EQ(SaveWithoutBlindWrite(here, path_, {master_, writeKey}, c.change, lastRead), c.outcome);

  if (c.titlesAfter.empty()) {
    EXPECT_EQ(ReadBytes(path_), fileBefore);
    return;
  }
  EXPECT_EQ(TitlesIn(path_, writePassword), c.titlesAfter);
  // What was written is what the table now holds.
  std::vector<std::string> tableTitles;
  for (here.first(); !here.eof(); here.next()) tableTitles.push_back(here.text(Field::Title));
  std::sort(tableTitles.begin(), tableTitles.end());
  EXPECT_EQ(tableTitles, c.titlesAfter);
}

const auto kNothing = [](RecordTable&) {};

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveWithoutBlindWriteTest,
    testing::Values(Case{"FileUnchanged",
                         nullptr,
                         false,
                         [](RecordTable& t) { Retitle(t, "1", "Banka2"); },
                         {{"1"}, {}},
                         false,
                         SaveOutcome::Written,
                         {"Banka2", "Posta", "VPN"}},
                    Case{"OtherRecordEditedThere",
                         [](RecordTable& t) { Retitle(t, "2", "Posta2"); },
                         false,
                         [](RecordTable& t) { Retitle(t, "1", "Banka2"); },
                         {{"1"}, {}},
                         false,
                         SaveOutcome::WrittenWithChangesFromElsewhere,
                         {"Banka2", "Posta2", "VPN"}},
                    Case{"RecordAddedOnBothSides",
                         [](RecordTable& t) { AppendTitled(t, "8", "Oyun"); },
                         false,
                         [](RecordTable& t) { AppendTitled(t, "9", "Market"); },
                         {{"9"}, {}},
                         false,
                         SaveOutcome::WrittenWithChangesFromElsewhere,
                         {"Banka", "Market", "Oyun", "Posta", "VPN"}},
                    Case{"DeletedHereAddedThere",
                         [](RecordTable& t) { AppendTitled(t, "8", "Oyun"); },
                         false,
                         [](RecordTable& t) { Delete(t, "3"); },
                         {{}, {"3"}},
                         false,
                         SaveOutcome::WrittenWithChangesFromElsewhere,
                         {"Banka", "Oyun", "Posta"}},
                    Case{"DeletedOnBothSides",
                         [](RecordTable& t) { Delete(t, "3"); },
                         false,
                         [](RecordTable& t) { Delete(t, "3"); },
                         {{}, {"3"}},
                         false,
                         SaveOutcome::WrittenWithChangesFromElsewhere,
                         {"Banka", "Posta"}},
                    Case{"SameEditOnBothSides",
                         [](RecordTable& t) { Retitle(t, "1", "Banka2"); },
                         false,
                         [](RecordTable& t) { Retitle(t, "1", "Banka2"); },
                         {{"1"}, {}},
                         false,
                         SaveOutcome::WrittenWithChangesFromElsewhere,
                         {"Banka2", "Posta", "VPN"}},
                    Case{"SameRecordEditedOnBothSides",
                         [](RecordTable& t) { Retitle(t, "1", "Orada"); },
                         false,
                         [](RecordTable& t) { Retitle(t, "1", "Burada"); },
                         {{"1"}, {}},
                         false,
                         SaveOutcome::ChangedOnBothSides,
                         {}},
                    Case{"EditedHereDeletedThere",
                         [](RecordTable& t) { Delete(t, "1"); },
                         false,
                         [](RecordTable& t) { Retitle(t, "1", "Burada"); },
                         {{"1"}, {}},
                         false,
                         SaveOutcome::ChangedOnBothSides,
                         {}},
                    Case{"DeletedHereEditedThere",
                         [](RecordTable& t) { Retitle(t, "1", "Orada"); },
                         false,
                         [](RecordTable& t) { Delete(t, "1"); },
                         {{}, {"1"}},
                         false,
                         SaveOutcome::ChangedOnBothSides,
                         {}},
                    Case{"MasterPasswordChangedThere",
                         [](RecordTable& t) { Retitle(t, "2", "Posta2"); },
                         true,
                         [](RecordTable& t) { Retitle(t, "1", "Banka2"); },
                         {{"1"}, {}},
                         false,
                         SaveOutcome::NoLongerOpens,
                         {}},
                    Case{"MasterPasswordChangedHereRecordAddedThere",
                         [](RecordTable& t) { AppendTitled(t, "8", "Oyun"); },
                         false,
                         kNothing,
                         {},
                         true,
                         SaveOutcome::WrittenWithChangesFromElsewhere,
                         {"Banka", "Oyun", "Posta", "VPN"}},
                    Case{"FileDeletedThereRecordAddedHere",
                         [](RecordTable& t) {
                           while (!t.isEmpty()) {
                             t.first();
                             t.deleteCurrent();
                           }
                         },
                         false,
                         [](RecordTable& t) { AppendTitled(t, "9", "Market"); },
                         {{"9"}, {}},
                         false,
                         SaveOutcome::WrittenWithChangesFromElsewhere,
                         {"Market"}}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// A file that the load itself had to normalise is noted as it stands after
// that rewrite, so the next save does not take the program's own rewrite
// for a change made elsewhere.
TEST(LoadRecordsNoting, NotesTheFileAsTheLoadLeftIt) {
  TempFolder folder;
  const std::string path = folder.file("data.xtr");
  RecordTable table;
  AppendTitled(table, "1", "Banka");
  SaveRecords(table, path, MasterKey("ana"));
  std::string loose = ReadBytes(path);
  loose.insert(loose.find("ALAN2="), "bilinmeyen=anahtar\r\n");
  WriteBytes(path, loose);

  LastRead lastRead;
  int refreshed = 0;
  const MasterKey key("ana");
  LoadRecordsNoting(table, path, key, {nullptr, [&] { ++refreshed; }}, lastRead);
  EXPECT_NE(ReadBytes(path), loose);
  EXPECT_EQ(refreshed, 1);
  Retitle(table, "1", "Banka2");
  EXPECT_EQ(SaveWithoutBlindWrite(table, path, {key, key}, {{"1"}, {}}, lastRead),
            SaveOutcome::Written);
}

TEST(LoadRecordsNoting, WrongPasswordIsReportedOnce) {
  TempFolder folder;
  const std::string path = folder.file("data.xtr");
  RecordTable table;
  AppendTitled(table, "1", "Banka");
  SaveRecords(table, path, MasterKey("ana"));
  LastRead lastRead;
  int reported = 0;
  EXPECT_THROW(
      LoadRecordsNoting(table, path, MasterKey("yanlis"), {[&] { ++reported; }, nullptr}, lastRead),
      WrongMasterPassword);
  EXPECT_EQ(reported, 1);
}

// Puts another machine's version in place of the data file, by a rename as a
// sync engine does, the first time a write makes its new file durable: after
// the save looked at the file, before its new file takes the old one's place.
class VersionArrivesDuringWrite : public FileSteps {
 public:
  VersionArrivesDuringWrite(std::string version, std::string path)
      : version_(std::move(version)), path_(std::move(path)) {}
  int sync(int fd) override {
    const int result = FileSteps::sync(fd);
    if (!arrived_) {
      arrived_ = true;
      std::filesystem::rename(version_, path_);
    }
    return result;
  }

 private:
  std::string version_;
  std::string path_;
  bool arrived_ = false;
};

TEST(SaveWithoutBlindWrite, AVersionPutInPlaceDuringTheWriteIsNeverWrittenOver) {
  struct Case {
    const char* name;
    // The record the other machine retitles "Orada".
    const char* editedThere;
    SaveOutcome outcome;
    // The titles afterwards; empty when the file must be the other
    // machine's, byte for byte.
    std::vector<std::string> titlesAfter;
  };
  const Case cases[] = {
      {"OtherRecordEditedThere",
       "2",
       SaveOutcome::WrittenWithChangesFromElsewhere,
       {"Banka2", "Orada"}},
      {"SameRecordEditedThere", "1", SaveOutcome::ChangedOnBothSides, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    TempFolder otherMachine;
    const std::string path = folder.file("data.xtr");
    const MasterKey key("ana");
    RecordTable table;
    AppendTitled(table, "1", "Banka");
    AppendTitled(table, "2", "Posta");
    SaveRecords(table, path, key);
    RecordTable here;
    LastRead lastRead;
    LoadRecordsNoting(here, path, key, LoadSteps{}, lastRead);

    const std::string theirs = otherMachine.file("data.xtr");
    std::filesystem::copy_file(path, theirs);
    RecordTable there;
    LoadRecords(there, theirs, key, LoadSteps{});
    Retitle(there, c.editedThere, "Orada");
    SaveRecords(there, theirs, key);
    const std::string theirBytes = ReadBytes(theirs);

    Retitle(here, "1", "Banka2");
    VersionArrivesDuringWrite steps(theirs, path);
    const ScopedFileSteps useSteps(steps);
    EXPECT_EQ(SaveWithoutBlindWrite(here, path, {key, key}, {{"1"}, {}}, lastRead), c.outcome);

    // Nothing of the write that was stopped is left beside the file.
    EXPECT_EQ(test::EntryCount(folder.path()), 1u);
    if (c.titlesAfter.empty()) {
      EXPECT_EQ(ReadBytes(path), theirBytes);
      continue;
    }
    EXPECT_EQ(TitlesIn(path, "ana"), c.titlesAfter);
    // The note is of the file as the save left it: the next save needs no
    // second look.
    EXPECT_EQ(lastRead.file, SnapshotOf(path));
  }
}

// The new file is read back before it takes the old one's place. A written
// record that would not come back as it went in (the reader drops blanks
// around a value) is refused with the old file and the table kept. A damaged
// old record that was only read goes back cut, as every save writes it, and
// blocks no other change.
TEST(SaveWithoutBlindWrite, TheNewFileIsReadBackBeforeItTakesTheOldOnesPlace) {
  TempFolder folder;
  const std::string path = folder.file("data.xtr");
  const MasterKey key("ana");
  WriteBytes(path, "[RecNo1]\r\nALAN1=1\r\nALAN2=Eski\r\nALAN4=" +
                       ProtectValue(std::string(kPasswordMarker) + std::string(400, 'p'), "ana") +
                       "\r\n[RecNo2]\r\nALAN1=2\r\nALAN2=Posta\r\nALAN4=" +
                       ProtectValue(std::string(kPasswordMarker) + "kisa", "ana") + "\r\n");
  RecordTable table;
  LastRead lastRead;
  LoadRecordsNoting(table, path, key, LoadSteps{}, lastRead);
  const std::string before = ReadBytes(path);

  Retitle(table, "2", test::Cp(" Kişisel "));
  const test::TableSnapshot tableBefore = test::Snapshot(table);
  try {
    SaveWithoutBlindWrite(table, path, {key, key}, {{"2"}, {}}, lastRead);
    ADD_FAILURE() << "written";
  } catch (const NotReadBackError& error) {
    EXPECT_EQ(error.title(), " Kişisel ");
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
  }
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(test::Snapshot(table), tableBefore);
  EXPECT_EQ(test::EntryCount(folder.path()), 1u);

  Retitle(table, "2", "Posta2");
  EXPECT_EQ(SaveWithoutBlindWrite(table, path, {key, key}, {{"2"}, {}}, lastRead),
            SaveOutcome::Written);
  EXPECT_EQ(TitlesIn(path, "ana"), (std::vector<std::string>{"Eski", "Posta2"}));
}

// The caller's last check (the command-line tool stops on Ctrl-C there) sees
// the new file complete and read back; what it throws leaves the old file,
// the table and the note as they were, and nothing beside the file.
TEST(SaveWithoutBlindWrite, ALastCheckThatThrowsStopsTheSaveWithNothingWritten) {
  TempFolder folder;
  const std::string path = folder.file("data.xtr");
  const MasterKey key("ana");
  RecordTable table;
  AppendTitled(table, "1", "Banka");
  SaveRecords(table, path, key);
  LastRead lastRead;
  LoadRecordsNoting(table, path, key, LoadSteps{}, lastRead);
  const std::string before = ReadBytes(path);
  const FileSnapshot noted = lastRead.file;
  Retitle(table, "1", "Banka2");

  std::string seen;
  const BeforeReplace stop = [&](const std::string& newFile) {
    seen = ReadBytes(newFile);
    throw std::runtime_error("durduruldu");
  };
  EXPECT_THROW(SaveWithoutBlindWrite(table, path, {key, key}, {{"1"}, {}}, lastRead, stop),
               std::runtime_error);
  EXPECT_NE(seen.find("ALAN2=Banka2"), std::string::npos);
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(test::EntryCount(folder.path()), 1u);
  EXPECT_EQ(lastRead.file, noted);
  EXPECT_EQ(table.text(Field::Title), "Banka2");
}

TEST(ConflictCopiesOf, FindsTheCopiesOfSyncthingAndNextcloudOnly) {
  TempFolder folder;
  for (const char* name :
       {"data.xtr", "data.sync-conflict-20261210-213000-ABCDEF1.xtr",
        "data (conflicted copy 2026-12-10 213000).xtr", "data.sync-conflict-2026-x.xtr",
        "other.sync-conflict-20261210-213000-ABCDEF1.xtr", "data.xtr.sync-conflict-bak"}) {
    WriteBytes(folder.file(name), "x");
  }
  EXPECT_EQ(
      ConflictCopiesOf(folder.file("data.xtr")),
      (std::vector<std::string>{folder.file("data (conflicted copy 2026-12-10 213000).xtr"),
                                folder.file("data.sync-conflict-20261210-213000-ABCDEF1.xtr")}));
  EXPECT_TRUE(ConflictCopiesOf(folder.file("nowhere/data.xtr")).empty());

  // The data file a link into the synchronised folder, named otherwise there.
  TempFolder program;
  WriteBytes(folder.file("kasa.xtr"), "x");
  WriteBytes(folder.file("kasa.sync-conflict-20261210-213000-ABCDEF1.xtr"), "x");
  std::filesystem::create_symlink(folder.file("kasa.xtr"), program.file("data.xtr"));
  EXPECT_EQ(
      ConflictCopiesOf(program.file("data.xtr")),
      std::vector<std::string>{folder.file("kasa.sync-conflict-20261210-213000-ABCDEF1.xtr")});
}

}  // namespace
}  // namespace quilor
