#include "RecordAdding.h"

#include <QRandomGenerator>

#include "RecordStamps.h"

namespace quilor::cli {

namespace {

// What makes two records the same login. Lengths first, so that no two
// different keys run together alike.
std::string LoginKey(const RecordValues& values) {
  std::string key;
  for (int field : {Field::Title, Field::UserName, Field::Password, Field::WebAddress}) {
    const std::string_view text = values[field].text;
    key.append(std::to_string(text.size())).append(":").append(text);
  }
  return key;
}

}  // namespace

NewRecordNumbers::NewRecordNumbers(RecordTable& table, const QDateTime& from) : moment_(from) {
  const RecordTable::Bookmark mark = table.remember();
  for (table.first(); !table.eof(); table.next()) taken_.insert(table.text(Field::RecordNumber));
  table.returnTo(mark);
}

std::string NewRecordNumbers::next() {
  for (;;) {
    std::string number =
        MakeRecordNumber(moment_, static_cast<int>(QRandomGenerator::system()->bounded(1000)))
            .toStdString();
    moment_ = moment_.addMSecs(1);
    if (taken_.insert(number).second) return number;
  }
}

AddedRecords AddNewRecords(RecordTable& table, const std::vector<ImportedRecord>& records,
                           const QDateTime& now) {
  std::unordered_set<std::string> logins;
  const RecordTable::Bookmark mark = table.remember();
  for (table.first(); !table.eof(); table.next()) logins.insert(LoginKey(table.current().values));
  table.returnTo(mark);

  NewRecordNumbers numbers(table, now);
  AddedRecords added;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (!logins.insert(LoginKey(records[i].values)).second) {
      added.duplicates.push_back(i);
      continue;
    }
    table.append();
    for (int field = 0; field < kFieldCount; ++field) {
      table.setValue(field, records[i].values[field]);
    }
    added.numbers.push_back(numbers.next());
    table.setText(Field::RecordNumber, added.numbers.back());
    table.post();
  }
  return added;
}

}  // namespace quilor::cli
