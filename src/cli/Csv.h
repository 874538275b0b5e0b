#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quilor::cli {

// One record of a CSV text: its fields without their quotes, and where
// each field begins in the text, for messages.
struct CsvRow {
  std::vector<std::string> fields;
  std::vector<std::size_t> offsets;
};

// A CSV text that breaks the format, at the offset where it goes wrong.
class CsvError : public std::runtime_error {
 public:
  CsvError(const std::string& message, std::size_t offset)
      : std::runtime_error(message), offset_(offset) {}
  std::size_t offset() const { return offset_; }

 private:
  std::size_t offset_;
};

// Reads comma-separated records as RFC 4180 has them, as other programs
// write them: fields in double quotes may hold commas, line breaks and
// doubled quotes; records end in CRLF or a bare LF; a UTF-8 byte-order mark
// is skipped; blank lines are skipped. Throws CsvError for a quote inside an
// unquoted field, text after a closing quote, or a quote left open.
std::vector<CsvRow> ParseCsv(std::string_view text);

// Appends one record with every field quoted and CRLF at its end.
void AppendCsvRow(std::string& out, const std::vector<std::string>& fields);

}  // namespace quilor::cli
