#pragma once

#include <QString>
#include <array>
#include <string>

#include "Fields.h"

namespace quilor {

// The editor's texts by field index; only the fields in kEditedTextFields are used.
using RecordTexts = std::array<QString, kFieldCount>;

// The text fields the editor writes, in the order it writes them.
inline constexpr std::array<int, 13> kEditedTextFields{Field::Title,
                                                       Field::UserName,
                                                       Field::Password,
                                                       Field::Password2,
                                                       Field::Description,
                                                       Field::WebAddress,
                                                       Field::Code1,
                                                       Field::Code2,
                                                       Field::Group,
                                                       Field::AutoFillScript,
                                                       Field::Password2Caption,
                                                       Field::PasswordCaption,
                                                       Field::UserNameCaption};

// Blanks at either end of a value stored as plain text are dropped when the
// data file is read. They go before the save, in texts, so that the editor
// shows what the file will keep. The protected fields keep every blank.
void TrimPlainFields(RecordTexts& texts);

struct CheckedRecord {
  // Empty when the record may be written; otherwise the one message to show.
  QString refusal;
  // The edited text fields as Windows-1254 bytes, when there is no refusal.
  std::array<std::string, kFieldCount> bytes;
};

// The checks before a record is written, first failure wins: a title, a
// password, every character representable in Windows-1254, no plain value
// enclosed in a matching pair of quotes (the file would drop them), and
// secrets whose protected form fits the field. names: how the messages name
// each field (the secrets by their per-record captions).
CheckedRecord CheckRecordTexts(const RecordTexts& texts, const RecordTexts& names);

}  // namespace quilor
