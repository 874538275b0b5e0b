#include "SampleRecords.h"

#include <QDate>
#include <array>
#include <stdexcept>

#include "Cp1254.h"
#include "Fields.h"
#include "ProtectedRecords.h"

namespace quilor::test {

namespace {

std::string Bytes(const QString& text) {
  Cp1254Result result = ToCp1254(text);
  if (result.unmappable) throw std::invalid_argument("sample text outside Windows-1254");
  return result.bytes;
}

void SetDate(RecordTable& table, int field, double value) {
  if (value > 0) table.setNumber(field, value);
}

}  // namespace

double Days(int year, int month, int day) {
  return double(QDate(1899, 12, 30).daysTo(QDate(year, month, day)));
}

void AppendSample(RecordTable& table, const SampleRecord& r) {
  table.append();
  table.setText(Field::RecordNumber, r.recordNumber);
  table.setText(Field::Title, Bytes(r.title));
  table.setText(Field::UserName, Bytes(r.userName));
  table.setText(Field::Password, Bytes(r.password));
  table.setText(Field::Password2, Bytes(r.password2));
  table.setText(Field::Description, Bytes(r.description));
  table.setText(Field::WebAddress, Bytes(r.webAddress));
  table.setText(Field::Code1, Bytes(r.specialCode1));
  table.setText(Field::Code2, Bytes(r.specialCode2));
  table.setText(Field::Group, Bytes(r.group));
  SetDate(table, Field::CreatedDate, r.recordDate);
  SetDate(table, Field::PasswordChangedDate, r.password1Date);
  if (r.password1Date > 0) table.setNumber(Field::PasswordChangedTime, r.password1Time);
  SetDate(table, Field::Password2ChangedDate, r.password2Date);
  if (r.password2Date > 0) table.setNumber(Field::Password2ChangedTime, r.password2Time);
  table.setBoolean(Field::ShowInTray, r.onTrayMenu);
  table.post();
}

void AppendGeneratedRecords(RecordTable& table, int count) {
  static const std::array<QString, 12> kTitles{
      "Ziraat Bankası",     "Gmail",      "Türk Telekom", "e-Devlet",
      "İş Bankası",         "Şirket VPN", "Dropbox",      "Çiçek Sepeti",
      "Öğrenci Otomasyonu", "Garanti",    "GitHub",       "Ağ Yazıcısı"};
  static const std::array<QString, 5> kGroups{"Banka", "E-posta", "İş", "Kişisel", "Alışveriş"};
  // The address that goes with each title; some records have none.
  static const std::array<QString, 12> kAddresses{"https://www.ziraatbank.com.tr",
                                                  "https://mail.google.com",
                                                  "www.turktelekom.com.tr",
                                                  "https://www.turkiye.gov.tr",
                                                  "www.isbank.com.tr",
                                                  "vpn.sirket.com.tr",
                                                  "https://www.dropbox.com",
                                                  "",
                                                  "mailto:ogrenci-isleri@universite.edu.tr",
                                                  "https://www.garanti.com.tr",
                                                  "https://github.com",
                                                  ""};
  const double start = Days(2021, 1, 4);
  for (int i = 0; i < count; ++i) {
    SampleRecord r;
    r.recordNumber = QStringLiteral("2024%1%2")
                         .arg(i, 13, 10, QLatin1Char('0'))
                         .arg(i % 1000, 4, 10, QLatin1Char('0'))
                         .toStdString();
    r.title = kTitles[std::size_t(i) % kTitles.size()] + QStringLiteral(" %1").arg(i + 1);
    r.group = kGroups[std::size_t(i / 3) % kGroups.size()];
    r.description = QStringLiteral("Hesap açıklaması %1, şifre yılda bir değişir").arg(i % 97);
    r.webAddress = kAddresses[std::size_t(i) % kTitles.size()];
    r.userName = QStringLiteral("kullanıcı%1@ornek.com.tr").arg(i);
    r.password = QStringLiteral("Gizli-Şifre-%1!çğ").arg(i * 7919 % 100003);
    r.password2 = i % 4 == 0 ? QString() : QStringLiteral("İkinci-%1").arg(i);
    r.specialCode1 = QStringLiteral("KOD%1").arg(i % 500, 3, 10, QLatin1Char('0'));
    r.specialCode2 = i % 3 == 0 ? QStringLiteral("PIN %1").arg(1000 + i % 9000) : QString();
    r.recordDate = start + i % 1200;
    r.password1Date = i % 5 == 0 ? 0 : start + i % 1100 + 30;
    r.password1Time = double(i % 86400) / 86400.0;
    r.password2Date = i % 2 == 0 ? 0 : start + i % 900 + 60;
    r.password2Time = 0.5;
    r.onTrayMenu = i % 10 == 0;
    AppendSample(table, r);
  }
}

void SaveSample(RecordTable& table, const std::string& path, const std::string& masterPassword) {
  SaveRecords(table, path, MasterKey(masterPassword));
}

}  // namespace quilor::test
