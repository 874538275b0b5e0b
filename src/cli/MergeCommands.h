#pragma once

#include <string>

#include "Arguments.h"
#include "HeldSecrets.h"

namespace quilor::cli {

// import --merge, import-csv --merge: adds the records read from sourceFile
// to the existing data file under its lock. The master password is asked
// once and checked against the file before anything is written; each added
// record gets a new record number; a record whose title, user name,
// password and web address are there already is left out and listed.
void MergeImport(const ImportInput& input, const std::string& sourceFile,
                 const Arguments& arguments);

// merge FILE OTHER: brings OTHER's records into FILE by record number
// (MergeByRecordNumber) and lists every record the two hold differently.
// Both must open with the one master password asked. OTHER is left alone.
int MergeFiles(const Arguments& arguments);

}  // namespace quilor::cli
