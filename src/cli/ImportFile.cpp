#include "ImportFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>

#include "CliTexts.h"
#include "DeferredSignals.h"
#include "ExitCodes.h"
#include "ImportLock.h"
#include "Json.h"
#include "MergeCommands.h"
#include "ProtectedRecords.h"
#include "StaleTemporaries.h"
#include "TempFolder.h"
#include "WholeFile.h"

namespace quilor::cli {

namespace {

[[noreturn]] void Unwritable(const std::string& path, const std::string& detail) {
  throw CliError(kExitFile, path + ": " + text::kFileUnwritable + " (" + detail + ")");
}

std::string FolderOf(const std::string& path) {
  const std::string parent = std::filesystem::path(path).parent_path().string();
  return parent.empty() ? "." : parent;
}

// The data file does not tell an empty text from a null one.
bool SameValue(const FieldView& a, const FieldView& b, FieldKind kind) {
  if (kind == FieldKind::Text) return a.text == b.text;
  if (a.isNull != b.isNull) return false;
  return kind == FieldKind::Boolean ? a.flag == b.flag : a.number == b.number;
}

// Reads the staged file as the program will and compares it with what was
// meant; the reader drops blanks around values and quotation marks around
// them, which would change a value without a word.
void CheckReadsBack(RecordTable& written, const std::vector<ImportedRecord>& records,
                    const std::string& staged, const MasterKey& key) {
  RecordTable back;
  LoadRecords(back, staged, key, LoadSteps{});
  if (back.recordCount() != written.recordCount()) {
    throw JsonError(text::kNotReadBack, records.front().offsets.front());
  }
  std::size_t index = 0;
  for (written.first(), back.first(); !written.eof(); written.next(), back.next(), ++index) {
    for (int field = 0; field < kFieldCount; ++field) {
      if (!SameValue(written.current().values[field], back.current().values[field],
                     kFields[field].kind)) {
        throw JsonError(text::kRecord + std::to_string(index + 1) + ", " +
                            std::string(kFields[field].name) + ": " + text::kNotReadBack,
                        records[index].offsets[field]);
      }
    }
  }
}

// Moves the staged file to path in one step. Without replace, the kernel
// refuses to overwrite, so a file that appeared meanwhile is safe too.
void Publish(const std::string& staged, const std::string& path, bool replace) {
  int result = 0;
  if (replace) {
    result = std::rename(staged.c_str(), path.c_str());
  } else {
    result = ::renameat2(AT_FDCWD, staged.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE);
    if (result != 0 && errno == EINVAL) result = ::link(staged.c_str(), path.c_str());
  }
  if (result != 0) {
    if (errno == EEXIST) throw CliError(kExitFile, path + ": " + text::kFileExists);
    Unwritable(path, std::strerror(errno));
  }
  // The new name must survive a crash as the content already does.
  const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
}

}  // namespace

void CheckMayCreate(const std::string& path, bool replace) {
  struct stat info {};
  if (!replace && ::lstat(path.c_str(), &info) == 0) {
    throw CliError(kExitFile, path + ": " + text::kFileExists);
  }
}

void ImportRecords(const std::vector<ImportedRecord>& records, const std::string& path,
                   const MasterKey& key, bool replace) {
  CheckMayCreate(path, replace);
  RecordTable table;
  AppendRecords(table, records);
  // Every imported secret is one the user hands in now.
  std::vector<int> entered;
  for (table.first(); !table.eof(); table.next()) entered.push_back(table.recordId());
  // A data file that is a link stays one: the new file takes the place of
  // the file it points to, staged beside that file.
  std::string target;
  try {
    target = ResolveLinks(path);
  } catch (const std::exception& e) {
    Unwritable(path, e.what());
  }
  // Made before the staging folder, so that it goes after it: a Ctrl-C
  // during the import ends the process only once the folder is removed.
  const DeferredSignals deferred;
  TempFolder scratch(StagingFolderTemplate(target));
  const std::string staged = scratch.file("data.xtr");
  try {
    SaveRecords(table, staged, key, entered);
    CheckReadsBack(table, records, staged, key);
  } catch (const JsonError&) {
    throw;
  } catch (const std::exception& e) {
    Unwritable(path, e.what());
  }
  if (deferred.arrived()) throw CliError(kExitFile, path + ": " + text::kInterrupted);
  Publish(staged, target, replace);
}

CliError AtPlace(const std::string& path, std::string_view text, std::size_t offset,
                 const std::string& problem) {
  const TextPosition where = PositionOf(text, offset);
  return CliError(kExitBadInput, path + ":" + std::to_string(where.line) + ":" +
                                     std::to_string(where.column) + ": " + problem);
}

void FinishImport(const ImportInput& input, const std::string& sourceFile,
                  const Arguments& arguments) {
  struct stat info {};
  if (arguments.merge && ::lstat(arguments.dataFile.c_str(), &info) == 0) {
    MergeImport(input, sourceFile, arguments);
    return;
  }
  CheckMayCreate(arguments.dataFile, arguments.force);
  const HeldLock lock = LockForImport(arguments.dataFile);
  const MasterPassword masterPassword(true);
  try {
    ImportRecords(input.records, arguments.dataFile, masterPassword.key(), arguments.force);
  } catch (const JsonError& error) {
    throw AtPlace(sourceFile, input.text, error.offset(), error.what());
  }
}

}  // namespace quilor::cli
