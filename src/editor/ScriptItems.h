#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace quilor {

// The script menu's entries, in order: the record's placeholders, three
// waits, a separator ("-") and the key names.
inline constexpr int kScriptMenuEntryCount = 40;
const std::array<QString, kScriptMenuEntryCount>& ScriptMenuCaptions();
inline bool IsScriptMenuSeparator(const QString& caption) { return caption == QLatin1String("-"); }
// The first column holds the first 21 entries, the second the other 19.
inline constexpr int kScriptMenuFirstColumnSize = kScriptMenuEntryCount / 2 + 1;

struct ScriptInsertion {
  QString text;
  int caret = 0;
};

// The script after inserting "{caption}" at caret (the start of any
// selection, which stays after the inserted item), and the caret after it.
ScriptInsertion InsertScriptItem(const QString& script, int caret, const QString& caption);

// The script help, line by line; the last line is empty.
QStringList ScriptHelpLines();

}  // namespace quilor
