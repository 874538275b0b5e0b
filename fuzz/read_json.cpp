// quilor-cli import reads JSON that may come from anywhere. Whatever the
// bytes, ParseJson and RecordsFromJson must give records or a JsonError that
// points inside the text; never a crash, a hang or a read out of bounds.
// Records that are accepted go into a table, and the JSON written back from
// that table must be accepted again with the same number of records. The
// record-by-record reader the import uses must agree on what it accepts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "Json.h"
#include "RecordJson.h"
#include "RecordTable.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

// The number of records the import reads from text; -1 when it refuses it.
long ReadByRecord(std::string_view text) {
  try {
    return static_cast<long>(quilor::cli::RecordsFromJsonText(text).size());
  } catch (const quilor::cli::JsonError& error) {
    Require(error.offset() <= text.size());
    return -1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::size_t accepted = 0;
  quilor::RecordTable table;
  try {
    const auto records = quilor::cli::RecordsFromJson(quilor::cli::ParseJson(text));
    accepted = records.size();
    quilor::cli::AppendRecords(table, records);
  } catch (const quilor::cli::JsonError& error) {
    Require(error.offset() <= size);
    Require(ReadByRecord(text) == -1);
    return 0;
  }
  Require(ReadByRecord(text) == static_cast<long>(accepted));
  Require(table.recordCount() == accepted);
  std::string written;
  quilor::cli::WriteRecordsAsJson(table, [&](std::string_view piece) { written.append(piece); });
  Require(quilor::cli::RecordsFromJson(quilor::cli::ParseJson(written)).size() == accepted);
  return 0;
}
