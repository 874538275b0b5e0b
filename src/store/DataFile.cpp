// The data file: an INI text with one section per record, read and written
// by the INI rules as the Windows profile functions apply them.
#include "DataFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <bitset>
#include <stdexcept>
#include <string>
#include <string_view>

#include "Cp1254.h"
#include "DecimalText.h"
#include "FileEncoding.h"
#include "StoreTexts.h"
#include "WholeFile.h"

namespace quilor {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// UTF-8, shown to the user after the file's path.
constexpr const char* kNoRecordsInFile = "dosyada okunabilen bir kayıt yok; dosya değiştirilmedi";
constexpr std::string_view kSectionPrefix = "RecNo";

// Blanks as the profile functions see them, Ctrl-Z (an old end-of-file mark)
// included.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// A value enclosed in one pair of matching quotation marks loses them.
std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

bool ReadBoolean(std::string_view value) {
  if (const auto number = ParseDecimal(value)) return *number != 0;
  return EqualsIgnoringAsciiCase(value, "true");
}

// Sets one field from its text in the file. A value that does not convert
// leaves the field null and the read goes on: one damaged value must not
// cost the user the rest of the file.
void SetFieldFromText(RecordTable& table, int field, std::string_view value) {
  switch (kFields[field].kind) {
    case FieldKind::Text:
      table.setText(field, value);
      break;
    case FieldKind::Date:
    case FieldKind::Time:
      if (const auto number = ParseDecimal(value)) table.setNumber(field, *number);
      break;
    case FieldKind::Boolean:
      table.setBoolean(field, ReadBoolean(value));
      break;
  }
}

// Lines end at LF (a CR before it is a blank and trimmed away); a file
// without any LF is split at CR instead.
class LineReader {
 public:
  explicit LineReader(std::string_view text)
      : rest_(text), separator_(text.find('\n') == std::string_view::npos ? '\r' : '\n') {}

  bool next(std::string_view& line) {
    if (done_) return false;
    const auto end = rest_.find(separator_);
    if (end == std::string_view::npos) {
      line = rest_;
      done_ = true;
    } else {
      line = rest_.substr(0, end);
      rest_.remove_prefix(end + 1);
    }
    return true;
  }

 private:
  std::string_view rest_;
  char separator_;
  bool done_ = false;
};

// A section header opens with "[" and has its closing "]" somewhere after
// it, as the profile reader takes it. A "[" without "]" is neither a header
// nor, without "=", a key: a damaged line must not start a record that has
// no password and so locks the user out.
bool IsSectionHeader(std::string_view line) {
  return line.front() == '[' && line.find(']', 1) != std::string_view::npos;
}

// The fewest bytes one record takes in the file as written: its header and
// every key, each with an empty value.
constexpr std::size_t kSmallestSectionBytes = [] {
  std::size_t bytes = std::string_view("[RecNo1]").size() + kLineEnd.size();
  for (const auto& field : kFields) bytes += field.name.size() + 1 + kLineEnd.size();
  return bytes;
}();

// More records than this cannot be written within the read limit, whatever
// they hold.
constexpr std::size_t kMostRecords =
    static_cast<std::size_t>(kMaxReadBytes) / kSmallestSectionBytes;

[[noreturn]] void RefuseRewrite(const std::string& path) {
  throw std::runtime_error(path + ": " + store_texts::kRewriteTooLarge);
}

std::size_t SectionCount(std::string_view text) {
  std::size_t count = 0;
  std::string_view line;
  LineReader lines(text);
  while (lines.next(line)) {
    line = Trim(line);
    if (!line.empty() && IsSectionHeader(line)) ++count;
  }
  return count;
}

// A file of more sections than kMostRecords (a few bytes each, by the
// hundred thousand) is refused before it costs a record each. Every header
// holds a "[", so counting those settles it at once for any real file.
bool HasTooManySections(std::string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '[')) > kMostRecords &&
         SectionCount(text) > kMostRecords;
}

// The field a key names. A file the program wrote holds the keys in field
// order, so the one after the previous key is tried first.
int FieldOfKey(std::string_view key, int previousField) {
  const int next = previousField + 1;
  if (next < kFieldCount && EqualsIgnoringAsciiCase(key, kFields[next].name)) return next;
  return FieldIndexByName(key);
}

// Fills the table from the file's text in one pass. Every header starts a
// record, whatever its name, also one that repeats an earlier name, so that
// no record is lost to a repeated header. Within a record the first line of
// a key decides its value, as the profile reader returns the first match;
// keys before the first header belong to no record.
void FillTable(RecordTable& table, std::string_view text) {
  bool inRecord = false;
  std::bitset<kFieldCount> keySeen;
  int previousField = -1;
  std::string_view line;
  LineReader lines(text);
  while (lines.next(line)) {
    line = Trim(line);
    if (line.empty()) continue;
    if (IsSectionHeader(line)) {
      if (inRecord) table.post();
      table.append();
      inRecord = true;
      keySeen.reset();
      continue;
    }
    const auto equals = line.find('=');
    if (!inRecord || equals == std::string_view::npos) continue;
    const int field = FieldOfKey(Trim(line.substr(0, equals)), previousField);
    previousField = field;
    if (field < 0 || keySeen[field]) continue;
    keySeen[field] = true;
    const std::string_view value = Unquote(Trim(line.substr(equals + 1)));
    if (!value.empty()) SetFieldFromText(table, field, value);
  }
  if (inRecord) table.post();
}

void AppendRecordSection(std::string& out, std::size_t index, const Record& record,
                         const WrittenInstead& instead) {
  out.append("[").append(kSectionPrefix).append(std::to_string(index + 1)).append("]");
  out.append(kLineEnd);
  const auto values = record.values.all();
  for (int field = 0; field < kFieldCount; ++field) {
    out.append(kFields[field].name).append("=");
    const std::size_t valueStart = out.size();
    const std::string* replacement = instead ? instead(index, field) : nullptr;
    if (replacement != nullptr) {
      out.append(*replacement);
    } else {
      AppendFieldText(out, values[static_cast<std::size_t>(field)], kFields[field].kind);
    }
    // A line feed would split the value into lines of its own on the next
    // read: refuse it rather than store what cannot be read back. A lone CR
    // stays inside its line.
    if (out.find('\n', valueStart) != std::string::npos) {
      const std::string title = FromCp1254(values[Field::Title].text).toStdString();
      throw std::invalid_argument("\"" + title + "\"" + store_texts::kRecordOf +
                                  store_texts::kFieldNames[std::size_t(field)] +
                                  store_texts::kLineBreakInField);
    }
    out.append(kLineEnd);
  }
}

[[noreturn]] void RefuseLineBreak(const std::string& path, const std::invalid_argument& refused) {
  throw std::runtime_error(store_texts::kCannotWrite + path + " (" + refused.what() + ")." +
                           store_texts::kLineBreakAdvice);
}

}  // namespace

bool ReadsBackUnchanged(std::string_view value) { return Unquote(Trim(value)) == value; }

std::string FieldToText(const FieldView& value, FieldKind kind) {
  std::string text;
  AppendFieldText(text, value, kind);
  return text;
}

namespace {

// The file's content for the table; none when it would be larger than the
// read limit, so that nothing is ever written that could not be read again.
std::optional<std::string> TextWithinReadLimit(RecordTable& table, const std::string& path,
                                               const WrittenInstead& instead) {
  constexpr auto kLimit = static_cast<std::size_t>(kMaxReadBytes);
  const RecordTable::Bookmark mark = table.remember();
  std::string content;
  content.reserve(std::min(table.recordCount() * 1024, kLimit));
  std::size_t index = 0;
  try {
    for (table.first(); !table.eof() && content.size() <= kLimit; table.next()) {
      AppendRecordSection(content, index++, table.current(), instead);
    }
  } catch (const std::invalid_argument& refused) {
    table.returnTo(mark);
    RefuseLineBreak(path, refused);
  }
  table.returnTo(mark);
  if (content.size() > kLimit) return std::nullopt;
  return content;
}

// True when the table written out gives bytesRead exactly. Compared one
// section at a time, so that a file already in its normalised form, as a
// file the program wrote is, costs no second copy of itself.
bool WritesBackAs(RecordTable& table, std::string_view bytesRead) {
  const RecordTable::Bookmark mark = table.remember();
  std::string section;
  std::size_t offset = 0;
  std::size_t index = 0;
  bool same = true;
  try {
    for (table.first(); same && !table.eof(); table.next()) {
      section.clear();
      AppendRecordSection(section, index++, table.current(), {});
      same = bytesRead.substr(offset).starts_with(section);
      offset += section.size();
    }
  } catch (const std::invalid_argument&) {
    // A value that cannot be written: the whole text refuses it, with a message.
    same = false;
  }
  table.returnTo(mark);
  return same && offset == bytesRead.size();
}

}  // namespace

std::string DataFileText(RecordTable& table, const std::string& path,
                         const WrittenInstead& instead) {
  auto content = TextWithinReadLimit(table, path, instead);
  if (!content) {
    throw std::runtime_error(store_texts::kCannotWrite + path + " (" + store_texts::kSaveTooLarge +
                             ")." + store_texts::kSaveTooLargeAdvice);
  }
  return std::move(*content);
}

void WriteDataFile(RecordTable& table, const std::string& path, const WrittenInstead& instead,
                   const BeforeReplace& check) {
  if (table.isEmpty()) {
    RemoveFile(path);
    return;
  }
  ReplaceWholeFile(path, DataFileText(table, path, instead), check);
}

std::optional<std::string> FillTableFromFile(RecordTable& table, const std::string& path) {
  table.removeAllRecords();
  auto bytes = ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  FillTableFromBytes(table, *bytes, path);
  return bytes;
}

void FillTableFromBytes(RecordTable& table, std::string bytes, const std::string& path) {
  table.removeAllRecords();
  const std::string text = DataFileTextInCp1254(std::move(bytes), path);
  if (HasTooManySections(text)) RefuseRewrite(path);
  FillTable(table, text);
  // Only an empty file means "no records"; one that holds something yet
  // gives none is not ours to delete or rewrite.
  if (table.isEmpty() && !std::all_of(text.begin(), text.end(), IsBlank)) {
    throw std::runtime_error(path + ": " + kNoRecordsInFile);
  }
  table.first();
}

std::optional<std::string> NormalisedFileText(RecordTable& table, const std::string& path,
                                              std::string_view bytesRead) {
  if (WritesBackAs(table, bytesRead)) return std::nullopt;
  auto normalised = TextWithinReadLimit(table, path, {});
  if (!normalised) RefuseRewrite(path);
  if (*normalised == bytesRead) return std::nullopt;
  return normalised;
}

void RestrictToOwner(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && (info.st_mode & 07777) != 0600) {
    ::chmod(path.c_str(), 0600);
  }
}

void ReadDataFile(RecordTable& table, const std::string& path) {
  const auto bytes = FillTableFromFile(table, path);
  if (!bytes) return;
  if (table.isEmpty()) {
    RemoveFile(path);
    return;
  }
  std::optional<std::string> normalised;
  try {
    normalised = NormalisedFileText(table, path, *bytes);
  } catch (...) {
    table.removeAllRecords();
    throw;
  }
  if (normalised) {
    ReplaceWholeFile(path, *normalised);
  } else {
    RestrictToOwner(path);
  }
}

}  // namespace quilor
