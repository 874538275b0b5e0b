#pragma once

#include <QString>
#include <filesystem>
#include <iterator>
#include <string>

#include "Cp1254.h"
#include "Files.h"

namespace quilor::test {

inline std::string Fixture(const std::string& name) {
  return ReadBytes(std::string(QUILOR_FIXTURES) + "/" + name);
}

// Windows-1254 bytes of a UTF-8 literal, as the store holds text.
inline std::string Cp(const char* utf8) { return ToCp1254(QString::fromUtf8(utf8)).bytes; }

// Names of the entries of a folder, to see that no stray file was left.
inline std::size_t EntryCount(const std::filesystem::path& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                std::filesystem::directory_iterator()));
}

}  // namespace quilor::test

#include <vector>

#include "RecordTable.h"

namespace quilor::test {

// Every value of every record in table order, and the current record, so a
// test can say "the table is as it was".
struct TableSnapshot {
  std::vector<std::vector<std::string>> records;
  int currentRecordId = 0;
  bool operator==(const TableSnapshot&) const = default;
};

inline TableSnapshot Snapshot(RecordTable& table) {
  TableSnapshot snapshot;
  if (table.isEmpty()) return snapshot;
  snapshot.currentRecordId = table.recordId();
  const auto mark = table.remember();
  for (table.first(); !table.eof(); table.next()) {
    std::vector<std::string> values;
    for (int field = 0; field < kFieldCount; ++field) {
      const auto v = table.current().values[field];
      values.push_back(v.isNull ? "<null>"
                                : std::string(v.text) + "|" + std::to_string(v.number) + "|" +
                                      (v.flag ? "true" : "false"));
    }
    snapshot.records.push_back(std::move(values));
  }
  table.returnTo(mark);
  return snapshot;
}

// Appends a record with a title and its three secrets (Windows-1254 bytes).
inline void AppendRecord(RecordTable& table, const std::string& title, const std::string& user,
                         const std::string& password, const std::string& password2) {
  table.append();
  table.setText(Field::Title, title);
  table.setText(Field::UserName, user);
  table.setText(Field::Password, password);
  table.setText(Field::Password2, password2);
  table.setNumber(Field::CreatedDate, 39887);
  table.setBoolean(Field::ShowInTray, true);
  table.post();
}

}  // namespace quilor::test
