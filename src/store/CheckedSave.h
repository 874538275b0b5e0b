#pragma once

#include <stdexcept>
#include <string>

#include "FileSnapshot.h"
#include "MasterKey.h"
#include "ProtectedRecords.h"
#include "RecordDigests.h"
#include "TableChange.h"

namespace quilor {

// What the table was last read from: the file as it stood, and each
// record as it was.
struct LastRead {
  FileSnapshot file;
  RecordDigests records;
};

// LoadRecords, noting in lastRead what was read. A file that changed
// between the load and the note (the load's own normalising rewrite, or a
// sync engine putting a new version in place) is loaded again, so that the
// note is of the file the table came from. steps.refreshViews runs once, at
// the end.
void LoadRecordsNoting(RecordTable& table, const std::string& path, const MasterKey& key,
                       const LoadSteps& steps, LastRead& lastRead);

enum class SaveOutcome {
  // The file was as last read and now holds the table.
  Written,
  // The file had changed elsewhere; the user's change was made again on its
  // new content, which was written and is now the table.
  WrittenWithChangesFromElsewhere,
  // A record the user changed was changed elsewhere too: nothing written.
  ChangedOnBothSides,
  // The file changed and no longer opens with the master password it was
  // read with: nothing written.
  NoLongerOpens,
};

// The master key the table was read under and the one to write under; they
// differ only while the master password is being changed.
struct SaveKeys {
  const MasterKey& read;
  const MasterKey& write;
};

// Raised by SaveWithoutBlindWrite when a record it wrote does not come back
// from the new file as it went in (the reader drops blanks and quotation
// marks around values). what() is the UTF-8 message for the user; title
// is the record's title in UTF-8. The old file is left as it was.
class NotReadBackError : public std::runtime_error {
 public:
  NotReadBackError(const std::string& path, std::string title);
  const std::string& title() const { return title_; }

 private:
  std::string title_;
};

// SaveRecords that never writes blindly over a file changed since it was
// last read. table holds the user's change already; change names it, so
// that it can be made again on the file's new content. The secrets of the
// written records are the ones the user typed in and are held to their
// limits (SecretTooLongError).
//
// The new file is written completely beside the old one and read back
// under keys.write before it takes the old one's place in one rename: every
// written record must come back as it went in (NotReadBackError), and the
// old file must still be the one just compared; a file that changed during
// the write is looked at again as above. That read-back is the save's only
// one: once the rename is done, table holds what it gave and lastRead notes
// the new file. A save that writes nothing leaves both as they were.
// lastCheck, when given, runs last before the rename; what it throws stops
// the save and is passed on.
SaveOutcome SaveWithoutBlindWrite(RecordTable& table, const std::string& path, const SaveKeys& keys,
                                  const TableChange& change, LastRead& lastRead,
                                  const BeforeReplace& lastCheck = {});

}  // namespace quilor
