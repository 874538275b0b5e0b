#pragma once

#include "Arguments.h"

namespace quilor::cli {

// export-csv: every record of the data file as CSV on standard output.
int ExportCsv(const Arguments& arguments);

// import-csv: a new data file from another password manager's CSV export.
// Unknown columns and, with --truncate, every value that was cut are
// reported on standard error; the file is written as import writes it.
int ImportCsv(const Arguments& arguments);

}  // namespace quilor::cli
