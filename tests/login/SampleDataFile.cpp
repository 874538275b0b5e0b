#include "SampleDataFile.h"

#include "Cp1254.h"
#include "DataFile.h"
#include "ProtectedRecords.h"
#include "RecordTable.h"

namespace quilor::testing {

namespace {

void AddRecord(RecordTable& table, const char* number, const char* title, const char* user,
               const char* password) {
  table.append();
  table.setText(field::KAYITNO, number);
  table.setText(field::TANIMI, ToCp1254(QString::fromUtf8(title)).bytes);
  table.setText(field::KULLANICIADI, ToCp1254(QString::fromUtf8(user)).bytes);
  table.setText(field::SIFRE, ToCp1254(QString::fromUtf8(password)).bytes);
  table.setText(field::SIFRE2, "");
  table.post();
}

}  // namespace

void WriteSampleDataFile(const std::string& path, std::string_view masterPassword) {
  RecordTable table;
  table.activate();
  AddRecord(table, "202401021030150000001", "Şirket e-postası", "ayşe", "gök*yüzü");
  AddRecord(table, "202401021030150000002", "İnternet bankası", "ilker", "Çığ-42");
  AddRecord(table, "202401021030150000003", "Ev modemi", "admin", "ı-İ-i-I");
  SaveRecords(table, path, masterPassword);
  RecordTable scratch;
  ReadDataFile(scratch, path);
}

}  // namespace quilor::testing
