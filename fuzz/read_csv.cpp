// quilor-cli import-csv reads CSV written by other programs. Whatever the
// bytes, RecordsFromCsv must give records, a CsvError that points inside the
// text, or a refusal; never a crash, a hang or a read out of bounds. Records
// that are accepted go into a table, and the CSV written back from that
// table must be read again with the same number of records.
#include <QDateTime>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "Csv.h"
#include "ExitCodes.h"
#include "RecordCsv.h"
#include "RecordTable.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const QDateTime now(QDate(2026, 1, 2), QTime(3, 4, 5));
  quilor::cli::CsvRecords read;
  try {
    read = quilor::cli::RecordsFromCsv(text, {size % 2 == 0, size % 3 == 0}, now);
  } catch (const quilor::cli::CsvError& error) {
    Require(error.offset() <= size);
    return 0;
  } catch (const quilor::cli::CliError&) {
    return 0;
  }
  quilor::RecordTable table;
  quilor::cli::AppendRecords(table, read.records);
  const std::string written = quilor::cli::RecordsToCsv(table);
  Require(quilor::cli::RecordsFromCsv(written, {}, now).records.size() == read.records.size());
  return 0;
}
