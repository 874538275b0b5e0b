#include "SampleDataFile.h"

#include "Cp1254.h"
#include "DataFile.h"
#include "ProtectedRecords.h"
#include "RecordTable.h"

namespace quilor::test {

namespace {

void AddRecord(RecordTable& table, const char* number, const char* title, const char* user,
               const char* password) {
  table.append();
  table.setText(Field::RecordNumber, number);
  table.setText(Field::Title, ToCp1254(QString::fromUtf8(title)).bytes);
  table.setText(Field::UserName, ToCp1254(QString::fromUtf8(user)).bytes);
  table.setText(Field::Password, ToCp1254(QString::fromUtf8(password)).bytes);
  table.setText(Field::Password2, "");
  table.post();
}

}  // namespace

void WriteSampleDataFile(const std::string& path, std::string_view masterPassword) {
  RecordTable table;
  AddRecord(table, "202401021030150000001", "Şirket e-postası", "ayşe", "gök*yüzü");
  AddRecord(table, "202401021030150000002", "İnternet bankası", "ilker", "Çığ-42");
  AddRecord(table, "202401021030150000003", "Ev modemi", "admin", "ı-İ-i-I");
  SaveRecords(table, path, MasterKey(masterPassword));
  RecordTable scratch;
  ReadDataFile(scratch, path);
}

}  // namespace quilor::test
