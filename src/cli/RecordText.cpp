#include "RecordText.h"

#include <QDate>
#include <QTime>

#include "CliTexts.h"
#include "DateTimeNumber.h"
#include "TextConversion.h"

namespace quilor::cli {

namespace {

std::string TextOf(const Record& record, int field) {
  return Cp1254ToUtf8(record.values[field].text);
}

// The record's own caption for a secret, or the program's default one.
std::string CaptionOf(const Record& record, int captionField, const char* fallback) {
  const std::string own = TextOf(record, captionField);
  return own.empty() ? fallback : own;
}

std::string DateText(const Record& record, int dateField) {
  const auto day = ShownDay(record.values[dateField].number);
  if (!day) return {};
  return QDate(1899, 12, 30).addDays(*day).toString(Qt::ISODate).toStdString();
}

std::string DateTimeText(const Record& record, int dateField, int timeField) {
  const std::string date = DateText(record, dateField);
  if (date.empty()) return date;
  const int ms = TimeOfDayMilliseconds(record.values[timeField].number);
  return date + " " + QTime::fromMSecsSinceStartOfDay(ms).toString(Qt::ISODate).toStdString();
}

void AppendLine(std::string& out, const std::string& caption, const std::string& value) {
  out.append(caption).append(":");
  if (!value.empty()) out.append(" ").append(value);
  out.append("\n");
}

}  // namespace

std::string ListLine(const Record& record) {
  return TextOf(record, field::TANIMI) + "\t" + TextOf(record, field::GRUBU) + "\t" +
         TextOf(record, field::WEBADRES) + "\n";
}

std::string ShowText(const Record& record) {
  std::string out;
  AppendLine(out, text::kCaptionRecordNo, TextOf(record, field::KAYITNO));
  AppendLine(out, text::kCaptionTitle, TextOf(record, field::TANIMI));
  AppendLine(out, text::kCaptionGroup, TextOf(record, field::GRUBU));
  AppendLine(out, text::kCaptionDescription, TextOf(record, field::ACIKLAMA));
  AppendLine(out, text::kCaptionWebAddress, TextOf(record, field::WEBADRES));
  AppendLine(out, text::kCaptionSpecialCode1, TextOf(record, field::OZELKODU1));
  AppendLine(out, text::kCaptionSpecialCode2, TextOf(record, field::OZELKODU2));
  AppendLine(out, CaptionOf(record, field::KULLANICIADITANIM, text::kCaptionUserName),
             TextOf(record, field::KULLANICIADI));
  AppendLine(out, CaptionOf(record, field::SIFRE1TANIM, text::kCaptionPassword),
             TextOf(record, field::SIFRE));
  AppendLine(out, CaptionOf(record, field::SIFRE2TANIM, text::kCaptionPassword2),
             TextOf(record, field::SIFRE2));
  AppendLine(out, text::kCaptionScript, TextOf(record, field::OTOMATIKDOLDURSCRIPT));
  AppendLine(out, text::kCaptionTray,
             record.values[field::SISTEMTRAY].flag ? text::kYes : text::kNo);
  AppendLine(out, text::kCaptionRecordDate, DateText(record, field::KAYITTARIHI));
  AppendLine(out, text::kCaptionPasswordChanged,
             DateTimeText(record, field::SIFREDEGISTIRMETARIH, field::SIFREDEGISTIRMESAATI));
  AppendLine(out, text::kCaptionPassword2Changed,
             DateTimeText(record, field::SIFRE2DEGISTIRMETARIHI, field::SIFRE2DEGISTIRMESAATI));
  return out;
}

}  // namespace quilor::cli
