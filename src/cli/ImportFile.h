#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Arguments.h"
#include "ExitCodes.h"
#include "HeldSecrets.h"
#include "RecordJson.h"

namespace quilor::cli {

// Writes a new data file at path holding records, protected under
// key exactly as the program saves its table. The file is first
// written in a scratch folder beside path and read back: only when every
// value comes back as it went in does it take its place at path, in one
// rename, so a refused or failed import leaves path as it was. An existing
// file is replaced only when replace is set. Throws CliError, or JsonError
// at the record whose value the data file would change.
void ImportRecords(const std::vector<ImportedRecord>& records, const std::string& path,
                   const MasterKey& key, bool replace);

// Throws CliError (file status) when path exists and replace is not set.
void CheckMayCreate(const std::string& path, bool replace);

// A refusal of the value at offset in a source file's text, given as
// "path:line:column: problem".
CliError AtPlace(const std::string& path, std::string_view text, std::size_t offset,
                 const std::string& problem);

// What every import does once it has read its records from sourceFile: the
// data file may be created and no program or other import holds it, the new
// master password is asked twice, and the records are written. A value the
// data file would change is refused at its place in the source. With
// --merge and an existing data file, the records are added to it instead
// (MergeImport).
void FinishImport(const ImportInput& input, const std::string& sourceFile,
                  const Arguments& arguments);

}  // namespace quilor::cli
