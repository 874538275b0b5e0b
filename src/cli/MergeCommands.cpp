#include "MergeCommands.h"

#include <QDateTime>
#include <cstdio>
#include <exception>
#include <vector>

#include "CliTexts.h"
#include "DeferredSignals.h"
#include "ExitCodes.h"
#include "ImportLock.h"
#include "InputFiles.h"
#include "Json.h"
#include "RecordAdding.h"
#include "SessionLogin.h"
#include "TableMerge.h"
#include "TextConversion.h"

namespace quilor::cli {

namespace {

void Report(const std::string& line) {
  std::fprintf(stderr, "%s: %s\n", text::kProgram, line.c_str());
}

// Writes the session's table, which holds change, through its checked
// save. Ctrl-C is held back meanwhile, so that the new file takes the old
// one's place whole or not at all and nothing of it is left beside the
// file; one that came in before that stops the save with nothing written.
void Save(Session& session, const TableChange& change) {
  const std::string& path = session.dataFilePath();
  SaveOutcome outcome{};
  {
    const DeferredSignals deferred;
    const BeforeReplace stopOnSignal = [&](const std::string&) {
      if (deferred.arrived()) throw CliError(kExitFile, path + ": " + text::kInterrupted);
    };
    try {
      outcome = session.save(change, stopOnSignal);
    } catch (const CliError&) {
      throw;
    } catch (const SecretTooLongError& e) {
      throw CliError(kExitBadInput, e.what());
    } catch (const NotReadBackError& e) {
      throw CliError(kExitBadInput,
                     path + ": " + text::kRecord + "\"" + e.title() + "\": " + text::kNotReadBack);
    } catch (const std::exception& e) {
      throw CliError(kExitFile, path + ": " + text::kFileUnwritable + " (" + e.what() + ")");
    }
  }
  switch (outcome) {
    case SaveOutcome::Written:
      return;
    case SaveOutcome::WrittenWithChangesFromElsewhere:
      Report(text::kTakenInChangesFromElsewhere);
      return;
    case SaveOutcome::ChangedOnBothSides:
    case SaveOutcome::NoLongerOpens:
      throw CliError(kExitFile, path + ": " + text::kChangedMeanwhile);
  }
}

std::string Quoted(std::string_view cp1254) {
  std::string quoted = "\"";
  quoted.append(Cp1254ToUtf8(cp1254)).append("\"");
  return quoted;
}

}  // namespace

void MergeImport(const ImportInput& input, const std::string& sourceFile,
                 const Arguments& arguments) {
  const HeldLock lock = LockForImport(arguments.dataFile);
  Session session(arguments.dataFile, Session::Access::KeepUntilSave);
  LogInAsked(session);

  const AddedRecords added =
      AddNewRecords(session.records(), input.records, QDateTime::currentDateTime());
  for (std::size_t index : added.duplicates) {
    const ImportedRecord& record = input.records[index];
    const TextPosition where = PositionOf(input.text, record.offsets[Field::Title]);
    Report(text::kDuplicateSkipped + sourceFile + ":" + std::to_string(where.line) + " " +
           Quoted(record.values[Field::Title].text));
  }
  if (added.numbers.empty()) {
    Report(text::kNothingAdded);
    return;
  }
  Save(session, {added.numbers, {}});
  Report(std::to_string(added.numbers.size()) + text::kAddedAfter);
}

int MergeFiles(const Arguments& arguments) {
  const HeldLock lock = LockForImport(arguments.dataFile);
  CheckReadableFile(arguments.dataFile);
  CheckReadableFile(arguments.otherFile);
  Session mine(arguments.dataFile, Session::Access::KeepUntilSave);
  Session theirs(arguments.otherFile, Session::Access::ReadOnly);
  {
    const AskedPassword password;
    LogIn(mine, password);
    try {
      LogIn(theirs, password);
    } catch (const CliError& error) {
      if (error.exitCode() != kExitWrongPassword) throw;
      throw CliError(kExitWrongPassword, arguments.otherFile + ": " + text::kOtherWrongPassword);
    }
  }

  const MergeReport report =
      MergeByRecordNumber(mine.records(), theirs.records(), QDateTime::currentDateTime());
  for (const auto& [title, copyTitle] : report.conflicts) {
    Report(text::kMergeConflict + Quoted(title) + text::kMergeConflictCopy + Quoted(copyTitle));
  }
  if (report.same > 0) Report(std::to_string(report.same) + text::kMergeSame);
  if (report.written.empty()) {
    Report(text::kNothingAdded);
    return kExitOk;
  }
  Save(mine, {report.written, {}});
  Report(std::to_string(report.written.size()) + text::kAddedAfter);
  Report(text::kMergeDone + arguments.otherFile);
  return kExitOk;
}

}  // namespace quilor::cli
