#include "RecordText.h"

#include <QDate>
#include <QTime>

#include "CliTexts.h"
#include "DateTimeNumber.h"
#include "SecureWipe.h"
#include "TextConversion.h"
#include "VisibleText.h"

namespace quilor::cli {

namespace {

std::string TextOf(const Record& record, int field, const TextStyle& style) {
  std::string text = Cp1254ToUtf8(record.values[field].text);
  if (!style.visibleControls) return text;
  std::string visible = WithVisibleControls(text);
  WipeText(text);
  return visible;
}

// The record's own caption for a secret, or the program's default one.
std::string CaptionOf(const Record& record, int captionField, const char* fallback,
                      const TextStyle& style) {
  const std::string own = TextOf(record, captionField, style);
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

void AppendLine(std::string& out, const std::string& caption, std::string value) {
  out.append(caption).append(":");
  if (!value.empty()) out.append(" ").append(value);
  out.append("\n");
  WipeText(value);
}

// A password in clear only when asked for; otherwise a note, and only when
// there is one, so that an empty password still shows as empty.
void AppendPasswordLine(std::string& out, const Record& record, int field, int captionField,
                        const char* fallback, const TextStyle& style) {
  const std::string caption = CaptionOf(record, captionField, fallback, style);
  if (style.showSecrets) {
    AppendLine(out, caption, TextOf(record, field, style));
  } else {
    AppendLine(out, caption, record.values[field].text.empty() ? "" : text::kSecretHidden);
  }
}

}  // namespace

std::string ListLine(const Record& record, const TextStyle& style) {
  return TextOf(record, Field::Title, style) + "\t" + TextOf(record, Field::Group, style) + "\t" +
         TextOf(record, Field::WebAddress, style) + "\n";
}

std::string ShowText(const Record& record, const TextStyle& style) {
  // Room for the longest record, escapes included, so that growing never
  // leaves a copy of a secret behind in a released buffer.
  std::string out;
  out.reserve(16384);
  auto line = [&](const char* caption, int field) {
    AppendLine(out, caption, TextOf(record, field, style));
  };
  line(text::kCaptionRecordNo, Field::RecordNumber);
  line(text::kCaptionTitle, Field::Title);
  line(text::kCaptionGroup, Field::Group);
  line(text::kCaptionDescription, Field::Description);
  line(text::kCaptionWebAddress, Field::WebAddress);
  line(text::kCaptionSpecialCode1, Field::Code1);
  line(text::kCaptionSpecialCode2, Field::Code2);
  AppendLine(out, CaptionOf(record, Field::UserNameCaption, text::kCaptionUserName, style),
             TextOf(record, Field::UserName, style));
  AppendPasswordLine(out, record, Field::Password, Field::PasswordCaption, text::kCaptionPassword,
                     style);
  AppendPasswordLine(out, record, Field::Password2, Field::Password2Caption,
                     text::kCaptionPassword2, style);
  line(text::kCaptionScript, Field::AutoFillScript);
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
