#include "TitleMatch.h"

#include "SearchFold.h"
#include "TextConversion.h"
#include "VisibleText.h"

namespace quilor::cli {

namespace {

template <typename Test>
std::vector<const Record*> RecordsWhere(RecordTable& table, Test test) {
  std::vector<const Record*> records;
  for (table.first(); !table.eof(); table.next()) {
    if (test(table.current())) records.push_back(&table.current());
  }
  return records;
}

}  // namespace

std::vector<const Record*> RecordsTitled(RecordTable& table, const std::string& wanted) {
  const Utf8Conversion converted = Utf8ToCp1254(wanted);
  // A character no record can hold matches nothing.
  if (converted.unmappable) return {};
  const std::string& bytes = converted.bytes;
  auto value = [](const Record& record, int field) { return record.values[field].text; };

  auto byNumber = RecordsWhere(table, [&](const Record& r) {
    return !bytes.empty() && value(r, Field::RecordNumber) == bytes;
  });
  if (!byNumber.empty()) return byNumber;
  auto exact =
      RecordsWhere(table, [&](const Record& r) { return value(r, Field::Title) == bytes; });
  if (exact.size() == 1) return exact;
  const std::string folded = FoldText(bytes);
  return RecordsWhere(table,
                      [&](const Record& r) { return FoldText(value(r, Field::Title)) == folded; });
}

std::string ChoiceLine(const Record& record) {
  auto shown = [&](int field) {
    return WithVisibleControls(Cp1254ToUtf8(record.values[field].text));
  };
  return shown(Field::RecordNumber) + "\t" + shown(Field::Title) + "\t" + shown(Field::Group);
}

}  // namespace quilor::cli
