#include "RecordCsv.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <algorithm>
#include <cctype>
#include <optional>

#include "CliTexts.h"
#include "Csv.h"
#include "CsvTexts.h"
#include "DataFile.h"
#include "ExitCodes.h"
#include "ProtectedRecords.h"
#include "RecordStamps.h"
#include "TextConversion.h"

namespace quilor::cli {

namespace {

struct CsvColumn {
  int field;
  const char* writtenName;
  std::vector<std::string_view> readNames;  // lower case
};

const std::vector<CsvColumn>& Columns() {
  static const std::vector<CsvColumn> columns = {
      {Field::Group, "Group", {"group", "grup"}},
      {Field::Title, "Title", {"title", "name"}},
      {Field::UserName, "Username", {"username", "login"}},
      {Field::Password, "Password", {"password"}},
      {Field::WebAddress, "URL", {"url", "web"}},
      {Field::Description, "Notes", {"notes"}},
  };
  return columns;
}

std::string LowerTrimmed(const std::string& name) {
  const auto first = name.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = name.find_last_not_of(" \t");
  std::string lower = name.substr(first, last - first + 1);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::optional<int> FieldOfHeader(const std::string& name) {
  const std::string wanted = LowerTrimmed(name);
  for (const CsvColumn& column : Columns()) {
    for (std::string_view readName : column.readNames) {
      if (readName == wanted) return column.field;
    }
  }
  return std::nullopt;
}

void CheckUtf8(std::string_view csv) {
  QStringDecoder decoder(QStringDecoder::Utf8);
  std::size_t at = 0;
  // Decoded line by line, so that the message can point near the fault.
  while (at < csv.size()) {
    const std::size_t end = std::min(csv.find('\n', at), csv.size());
    const QByteArrayView line(csv.data() + at, static_cast<qsizetype>(end - at));
    [[maybe_unused]] const QString decoded = decoder.decode(line);
    if (decoder.hasError()) throw CsvError(text::kCsvBadUtf8, at);
    at = end + 1;
  }
}

// Which field each column of the header fills; -1 for columns not taken.
struct ColumnMap {
  std::vector<int> fieldOfColumn;
  std::vector<std::string> headerNames;
  std::vector<std::string> unknown;
};

ColumnMap MapHeader(const CsvRow& header) {
  ColumnMap map;
  map.headerNames = header.fields;
  bool anyKnown = false;
  for (std::size_t i = 0; i < header.fields.size(); ++i) {
    const std::optional<int> field = FieldOfHeader(header.fields[i]);
    if (field) {
      for (std::size_t j = 0; j < i; ++j) {
        if (map.fieldOfColumn[j] == *field) {
          throw CsvError(text::kCsvSameColumnTwice + header.fields[j] + ", " + header.fields[i],
                         header.offsets[i]);
        }
      }
      anyKnown = true;
    } else if (!header.fields[i].empty()) {
      map.unknown.push_back(header.fields[i]);
    }
    map.fieldOfColumn.push_back(field.value_or(-1));
  }
  if (!anyKnown) throw CsvError(text::kCsvNoKnownColumn, header.offsets.front());
  return map;
}

std::size_t LimitOf(int field) {
  return IsProtectedField(field) ? MaxSecretBytes(field)
                                 : static_cast<std::size_t>(kFields[field].maxBytes);
}

// Names a record and a column for a message: line 4 "Bankam", Notes.
std::string PlaceOf(std::size_t line, const std::string& title, const std::string& column) {
  std::string place = text::kCsvLine + std::to_string(line);
  if (!title.empty()) place += " \"" + title + "\"";
  return place + ", " + column + ": ";
}

class RecordReader {
 public:
  RecordReader(std::string_view csv, bool truncate) : csv_(csv), truncate_(truncate) {}

  // The record of one row; nothing when one of its values was refused or
  // when the row leaves every column that is taken empty.
  std::optional<ImportedRecord> read(const CsvRow& row, const ColumnMap& map) {
    const std::size_t line = lineOf(row.offsets[0]);
    if (row.fields.size() != map.fieldOfColumn.size()) {
      throw CsvError(text::kCsvFieldCount + std::to_string(row.fields.size()) + " / " +
                         std::to_string(map.fieldOfColumn.size()),
                     row.offsets[0]);
    }
    std::string title;
    for (std::size_t i = 0; i < row.fields.size(); ++i) {
      if (map.fieldOfColumn[i] == Field::Title) title = row.fields[i];
    }
    ImportedRecord record;
    record.offsets.fill(row.offsets[0]);
    bool fits = true;
    // Emptiness is judged after conversion, which drops a leading byte-order mark.
    bool empty = true;
    for (std::size_t i = 0; i < row.fields.size(); ++i) {
      const int field = map.fieldOfColumn[i];
      if (field < 0) continue;
      const std::string place = PlaceOf(line, title, map.headerNames[i]);
      std::optional<std::string> bytes = valueBytes(row.fields[i], field, place);
      if (!bytes) {
        fits = false;
        continue;
      }
      if (!bytes->empty()) empty = false;
      FieldValue& value = record.values.writable(field);
      value.isNull = false;
      value.text = std::move(*bytes);
      record.offsets[field] = row.offsets[i];
    }
    if (!fits || empty) return std::nullopt;
    return record;
  }

  std::vector<std::string> refused;
  std::vector<std::string> cut;
  bool refusedForLengthOnly = true;

 private:
  // Rows come in order, so the line count moves forward only.
  std::size_t lineOf(std::size_t offset) {
    line_ += static_cast<std::size_t>(
        std::count(csv_.begin() + static_cast<std::ptrdiff_t>(lineCounted_),
                   csv_.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
    lineCounted_ = offset;
    return line_;
  }

  std::optional<std::string> valueBytes(const std::string& value, int field,
                                        const std::string& place) {
    Utf8Conversion converted = Utf8ToCp1254(value);
    if (converted.unmappable) return refuse(place + text::kUnmappable + *converted.unmappable);
    std::string& bytes = converted.bytes;
    if (bytes.find('\0') != std::string::npos) return refuse(place + text::kZeroCharacter);
    if (bytes.find_first_of("\r\n") != std::string::npos) return refuse(place + text::kLineBreak);
    const std::size_t limit = LimitOf(field);
    if (bytes.size() > limit) {
      if (!truncate_) {
        refused.push_back(place + text::kTooLongBefore + std::to_string(limit) +
                          text::kTooLongMiddle + std::to_string(bytes.size()) +
                          text::kTooLongAfter);
        return std::nullopt;
      }
      cut.push_back(text::kCsvCut + place + std::to_string(bytes.size()) + text::kCsvCutArrow +
                    std::to_string(limit) + text::kCsvCutEnd);
      bytes.resize(limit);
    }
    // Secrets are stored in their protected form, which keeps every byte.
    if (!IsProtectedField(field) && !ReadsBackUnchanged(bytes)) {
      return refuse(place + text::kNotReadBack);
    }
    return std::move(bytes);
  }

  std::nullopt_t refuse(const std::string& problem) {
    refused.push_back(problem);
    refusedForLengthOnly = false;
    return std::nullopt;
  }

  std::string_view csv_;
  bool truncate_;
  std::size_t line_ = 1;
  std::size_t lineCounted_ = 0;
};

std::string RefusalMessage(const RecordReader& reader) {
  std::string message = text::kCsvRefused;
  for (const std::string& problem : reader.refused) message += "\n  " + problem;
  if (reader.refusedForLengthOnly) message += std::string("\n") + text::kCsvTruncateHint;
  return message;
}

void StampNewRecord(ImportedRecord& record, const QDateTime& created) {
  FieldValue& number = record.values.writable(Field::RecordNumber);
  number.isNull = false;
  number.text =
      MakeRecordNumber(created, static_cast<int>(QRandomGenerator::system()->bounded(1000)))
          .toStdString();
  FieldValue& date = record.values.writable(Field::CreatedDate);
  date.isNull = false;
  date.number = DayNumber(created.date());
}

}  // namespace

CsvRecords RecordsFromCsv(std::string_view csv, bool truncate, const QDateTime& now) {
  CheckUtf8(csv);
  const std::vector<CsvRow> rows = ParseCsv(csv);
  if (rows.empty()) throw CsvError(text::kCsvNoHeader, 0);
  const ColumnMap map = MapHeader(rows.front());
  RecordReader reader(csv, truncate);
  CsvRecords result;
  result.unknownColumns = map.unknown;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    std::optional<ImportedRecord> record = reader.read(rows[i], map);
    if (!record) continue;
    StampNewRecord(*record, now.addMSecs(static_cast<qint64>(i)));
    result.records.push_back(std::move(*record));
  }
  if (!reader.refused.empty()) throw CliError(kExitBadInput, RefusalMessage(reader));
  result.cutValues = reader.cut;
  return result;
}

std::string RecordsToCsv(RecordTable& table) {
  std::string out;
  std::vector<std::string> row;
  for (const CsvColumn& column : Columns()) row.emplace_back(column.writtenName);
  AppendCsvRow(out, row);
  for (table.first(); !table.eof(); table.next()) {
    row.clear();
    for (const CsvColumn& column : Columns()) {
      row.push_back(Cp1254ToUtf8(table.current().values[column.field].text));
    }
    AppendCsvRow(out, row);
  }
  return out;
}

}  // namespace quilor::cli
