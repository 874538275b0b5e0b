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

// Dates are read, not written: the export keeps to the columns every
// password manager reads.
const std::vector<CsvColumn>& DateColumns() {
  static const std::vector<CsvColumn> columns = {
      {Field::CreatedDate, "Created", {"created"}},
      {Field::PasswordChangedDate, "Last Modified", {"last modified"}},
  };
  return columns;
}

std::optional<int> FieldOfHeader(const std::string& name) {
  const std::string wanted = LowerTrimmed(name);
  for (const auto* columns : {&Columns(), &DateColumns()}) {
    for (const CsvColumn& column : *columns) {
      for (std::string_view readName : column.readNames) {
        if (readName == wanted) return column.field;
      }
    }
  }
  return std::nullopt;
}

// A date as KeePassXC writes it ("2024-05-01T09:30:00Z"), or without the
// time; a zone or offset is turned into local time.
std::optional<QDateTime> ReadDate(const std::string& text) {
  const QString trimmed = QString::fromUtf8(text).trimmed();
  QDateTime moment = QDateTime::fromString(trimmed, Qt::ISODateWithMs);
  if (!moment.isValid())
    moment = QDateTime::fromString(trimmed, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
  if (!moment.isValid()) moment = QDateTime(QDate::fromString(trimmed, Qt::ISODate), QTime(0, 0));
  if (!moment.isValid()) return std::nullopt;
  return moment.toLocalTime();
}

// The lines of a value joined into one by " / "; blank lines go.
std::string JoinedLines(const std::string& value) {
  std::string joined;
  std::size_t start = 0;
  while (start <= value.size()) {
    const std::size_t end = std::min(value.find_first_of("\r\n", start), value.size());
    const std::string line = value.substr(start, end - start);
    if (line.find_first_not_of(" \t") != std::string::npos) {
      joined += (joined.empty() ? "" : " / ") + line;
    }
    // CR LF is one line end.
    start = end + (value.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return joined;
}

// Which field each column of the header fills; -1 for columns not taken.
struct ColumnMap {
  std::vector<int> fieldOfColumn;
  std::vector<std::string> headerNames;
  std::vector<std::string> unknown;
};

// KeePassXC writes "TOTP", "Icon", "Created" and "Last Modified" beside the
// columns our own export writes; our export writes none of them.
bool WrittenByKeePassXc(const ColumnMap& map) {
  static const std::vector<std::string_view> marks = {"totp", "icon", "created", "last modified"};
  return std::any_of(map.headerNames.begin(), map.headerNames.end(), [](const std::string& name) {
    return std::find(marks.begin(), marks.end(), LowerTrimmed(name)) != marks.end();
  });
}

// KeePassXC writes its root group in front of every group ("Root/E-posta",
// or "Root" alone for the entries at the top). When every row starts with the
// same name and some row goes deeper, that name says nothing: it goes. Only
// in KeePassXC's files: a group of our own export is read back as written.
void DropSharedRootGroup(std::vector<CsvRow>& rows, std::size_t groupColumn) {
  if (rows.size() < 2) return;
  std::string root;
  bool deeper = false;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    if (groupColumn >= rows[i].fields.size()) return;
    const std::string& group = rows[i].fields[groupColumn];
    const std::string first = group.substr(0, group.find('/'));
    if (first.empty() || (i > 1 && first != root)) return;
    root = first;
    deeper = deeper || group.size() > first.size();
  }
  if (!deeper) return;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    std::string& group = rows[i].fields[groupColumn];
    group.erase(0, std::min(group.size(), root.size() + 1));
  }
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
  RecordReader(std::string_view csv, const CsvReadOptions& options)
      : csv_(csv), options_(options) {}

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
      if (kFields[field].kind == FieldKind::Date) {
        readDate(record, field, row.fields[i], place);
        continue;
      }
      std::optional<std::string> bytes = valueBytes(row.fields[i], field, place);
      if (!bytes) {
        fits = false;
        continue;
      }
      if (!bytes->empty()) empty = false;
      record.values.setText(field, *bytes);
      record.offsets[field] = row.offsets[i];
    }
    if (!fits || empty) {
      rowDates_.clear();
      return std::nullopt;
    }
    unreadDates.insert(unreadDates.end(), rowDates_.begin(), rowDates_.end());
    rowDates_.clear();
    return record;
  }

  std::vector<std::string> refused;
  std::vector<std::string> cut;
  std::vector<std::string> joined;
  std::vector<std::string> unreadDates;
  bool refusedForLengthOnly = true;
  bool refusedForLineBreak = false;

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
    if (bytes.find_first_of("\r\n") != std::string::npos) {
      if (!options_.joinLines) {
        refusedForLineBreak = true;
        return refuse(place + text::kLineBreak);
      }
      bytes = JoinedLines(bytes);
      joined.push_back(text::kCsvJoined + place.substr(0, place.size() - 2));
    }
    const std::size_t limit = LimitOf(field);
    if (bytes.size() > limit) {
      if (!options_.truncate) {
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

  // An unreadable date is left out and said so: the record is worth more
  // than its date.
  void readDate(ImportedRecord& record, int field, const std::string& value,
                const std::string& place) {
    if (value.find_first_not_of(" \t") == std::string::npos) return;
    const std::optional<QDateTime> moment = ReadDate(value);
    if (!moment) {
      rowDates_.push_back(place + text::kCsvDateUnread + value);
      return;
    }
    record.values.setNumber(field, DayNumber(moment->date()));
    const int timeField = TimeFieldOfDate(field);
    if (timeField < 0) return;
    record.values.setNumber(timeField, TimeOfDayNumber(moment->time()));
  }

  std::nullopt_t refuse(const std::string& problem) {
    refused.push_back(problem);
    refusedForLengthOnly = false;
    return std::nullopt;
  }

  std::string_view csv_;
  CsvReadOptions options_;
  // The unread dates of the row being read, told only when it makes a record.
  std::vector<std::string> rowDates_;
  std::size_t line_ = 1;
  std::size_t lineCounted_ = 0;
};

std::string RefusalMessage(const CsvRecords& read) {
  std::string message = text::kCsvRefused;
  for (const std::string& problem : read.refused) message += "\n  " + problem;
  if (read.truncateWouldHelp) message += std::string("\n") + text::kCsvTruncateHint;
  if (read.joinLinesWouldHelp) message += std::string("\n") + text::kCsvJoinLinesHint;
  return message;
}

void StampNewRecord(ImportedRecord& record, const QDateTime& created) {
  record.values.setText(
      Field::RecordNumber,
      MakeRecordNumber(created, static_cast<int>(QRandomGenerator::system()->bounded(1000)))
          .toStdString());
  if (!record.values[Field::CreatedDate].isNull) return;
  record.values.setNumber(Field::CreatedDate, DayNumber(created.date()));
}

}  // namespace

CsvRecords ReadCsvRecords(std::string_view csv, const CsvReadOptions& options,
                          const QDateTime& now) {
  CheckUtf8(csv);
  std::vector<CsvRow> rows = ParseCsv(csv);
  if (rows.empty()) throw CsvError(text::kCsvNoHeader, 0);
  const ColumnMap map = MapHeader(rows.front());
  for (std::size_t i = 0; i < map.fieldOfColumn.size() && WrittenByKeePassXc(map); ++i) {
    if (map.fieldOfColumn[i] == Field::Group) DropSharedRootGroup(rows, i);
  }
  RecordReader reader(csv, options);
  CsvRecords result;
  result.unknownColumns = map.unknown;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    std::optional<ImportedRecord> record = reader.read(rows[i], map);
    if (!record) continue;
    StampNewRecord(*record, now.addMSecs(static_cast<qint64>(i)));
    result.records.push_back(std::move(*record));
  }
  result.refused = std::move(reader.refused);
  result.truncateWouldHelp = !result.refused.empty() && reader.refusedForLengthOnly;
  result.joinLinesWouldHelp = reader.refusedForLineBreak;
  result.cutValues = std::move(reader.cut);
  result.joinedValues = std::move(reader.joined);
  result.unreadDates = std::move(reader.unreadDates);
  return result;
}

CsvRecords RecordsFromCsv(std::string_view csv, const CsvReadOptions& options,
                          const QDateTime& now) {
  CsvRecords read = ReadCsvRecords(csv, options, now);
  if (!read.refused.empty()) throw CliError(kExitBadInput, RefusalMessage(read));
  return read;
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
