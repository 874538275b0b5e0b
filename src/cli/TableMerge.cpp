#include "TableMerge.h"

#include <set>

#include "CliTexts.h"
#include "RecordAdding.h"
#include "RecordDigests.h"
#include "TextConversion.h"

namespace quilor::cli {

namespace {

void AppendCopy(RecordTable& table, const Record& record) {
  table.append();
  for (int field = 0; field < kFieldCount; ++field) table.setValue(field, record.values[field]);
  table.post();
}

// The title with the conflict mark after it, cut so that the mark fits.
std::string ConflictTitle(const std::string& title) {
  const std::string mark = Utf8ToCp1254(text::kConflictMark).bytes;
  const std::size_t room = static_cast<std::size_t>(kFields[Field::Title].maxBytes) - mark.size();
  return title.substr(0, room) + mark;
}

// A record's values without its number, to find a conflict copy that an
// earlier merge of the same file added already.
RecordDigest ContentDigest(Record record, const std::string& title) {
  record.values.makeNull(Field::RecordNumber);
  record.values.setText(Field::Title, title);
  return DigestOf(record);
}

}  // namespace

MergeReport MergeByRecordNumber(RecordTable& table, RecordTable& other, const QDateTime& now) {
  NewRecordNumbers numbers(table, now);
  std::set<RecordDigest> contents;
  for (table.first(); !table.eof(); table.next()) {
    contents.insert(ContentDigest(table.current(), table.text(Field::Title)));
  }
  MergeReport report;
  for (other.first(); !other.eof(); other.next()) {
    const Record& theirs = other.current();
    const std::string number(theirs.values[Field::RecordNumber].text);
    if (!table.locate(number)) {
      AppendCopy(table, theirs);
      report.written.push_back(number);
      ++report.added;
      continue;
    }
    const std::string copyTitle = ConflictTitle(std::string(theirs.values[Field::Title].text));
    if (DigestOf(table.current()) == DigestOf(theirs) ||
        contents.count(ContentDigest(theirs, copyTitle)) > 0) {
      ++report.same;
      continue;
    }
    const std::string title = table.text(Field::Title);
    AppendCopy(table, theirs);
    table.edit();
    report.written.push_back(numbers.next());
    table.setText(Field::RecordNumber, report.written.back());
    table.setText(Field::Title, copyTitle);
    table.post();
    report.conflicts.emplace_back(title, table.text(Field::Title));
  }
  return report;
}

}  // namespace quilor::cli
