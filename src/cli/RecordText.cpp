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
  return TextOf(record, Field::Title) + "\t" + TextOf(record, Field::Group) + "\t" +
         TextOf(record, Field::WebAddress) + "\n";
}

std::string ShowText(const Record& record) {
  std::string out;
  AppendLine(out, text::kCaptionRecordNo, TextOf(record, Field::RecordNumber));
  AppendLine(out, text::kCaptionTitle, TextOf(record, Field::Title));
  AppendLine(out, text::kCaptionGroup, TextOf(record, Field::Group));
  AppendLine(out, text::kCaptionDescription, TextOf(record, Field::Description));
  AppendLine(out, text::kCaptionWebAddress, TextOf(record, Field::WebAddress));
  AppendLine(out, text::kCaptionSpecialCode1, TextOf(record, Field::Code1));
  AppendLine(out, text::kCaptionSpecialCode2, TextOf(record, Field::Code2));
  AppendLine(out, CaptionOf(record, Field::UserNameCaption, text::kCaptionUserName),
             TextOf(record, Field::UserName));
  AppendLine(out, CaptionOf(record, Field::PasswordCaption, text::kCaptionPassword),
             TextOf(record, Field::Password));
  AppendLine(out, CaptionOf(record, Field::Password2Caption, text::kCaptionPassword2),
             TextOf(record, Field::Password2));
  AppendLine(out, text::kCaptionScript, TextOf(record, Field::AutoFillScript));
  AppendLine(out, text::kCaptionTray,
             record.values[Field::ShowInTray].flag ? text::kYes : text::kNo);
  AppendLine(out, text::kCaptionRecordDate, DateText(record, Field::CreatedDate));
  AppendLine(out, text::kCaptionPasswordChanged,
             DateTimeText(record, Field::PasswordChangedDate, Field::PasswordChangedTime));
  AppendLine(out, text::kCaptionPassword2Changed,
             DateTimeText(record, Field::Password2ChangedDate, Field::Password2ChangedTime));
  return out;
}

}  // namespace quilor::cli
