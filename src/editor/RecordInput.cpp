#include "RecordInput.h"

#include "Cp1254.h"
#include "EditorTexts.h"
#include "ProtectedRecords.h"

namespace quilor {

namespace {

namespace wording = editor_texts;

// The blanks the data file's reader trims, Ctrl-Z included.
bool IsFileBlank(QChar c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' ||
         c == QChar(0x1a);
}

QString TrimFileBlanks(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && IsFileBlank(text[begin])) ++begin;
  while (end > begin && IsFileBlank(text[end - 1])) --end;
  return text.mid(begin, end - begin);
}

bool EnclosedInQuotes(const QString& text) {
  return text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
         text.back() == text.front();
}

// The whole character at the first occurrence of unit: both halves of a
// surrogate pair, so that the message shows what the user typed.
QString CharacterAt(const QString& text, QChar unit) {
  const qsizetype at = text.indexOf(unit);
  if (unit.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
    return text.mid(at, 2);
  }
  return QString(unit);
}

}  // namespace

void TrimPlainFields(RecordTexts& texts) {
  for (int field : kEditedTextFields) {
    if (!IsProtectedField(field)) texts[field] = TrimFileBlanks(texts[field]);
  }
}

CheckedRecord CheckRecordTexts(const RecordTexts& texts, const RecordTexts& names) {
  CheckedRecord checked;
  if (texts[Field::Title].isEmpty()) {
    checked.refusal = wording::kEnterTitle;
    return checked;
  }
  if (texts[Field::Password].isEmpty()) {
    checked.refusal = wording::kEnterPassword;
    return checked;
  }
  for (int field : kEditedTextFields) {
    Cp1254Result converted = ToCp1254(texts[field]);
    if (converted.unmappable) {
      // A secret's character is never shown, not even in a message box.
      checked.refusal =
          IsProtectedField(field)
              ? wording::kUnusableSecretCharacter.arg(
                    names[field],
                    QString::number(CharacterPosition(texts[field], converted.unmappableIndex)))
              : wording::kUnusableCharacter.arg(names[field],
                                                CharacterAt(texts[field], *converted.unmappable));
      return checked;
    }
    checked.bytes[field] = std::move(converted.bytes);
  }
  for (int field : kEditedTextFields) {
    if (!IsProtectedField(field) && EnclosedInQuotes(texts[field])) {
      checked.refusal = wording::kEnclosedInQuotes.arg(names[field]);
      return checked;
    }
  }
  for (int field : kEditedTextFields) {
    if (IsProtectedField(field) && checked.bytes[field].size() > MaxSecretBytes(field)) {
      checked.refusal =
          wording::kSecretTooLong.arg(names[field]).arg(qulonglong(MaxSecretBytes(field)));
      return checked;
    }
  }
  return checked;
}

}  // namespace quilor
