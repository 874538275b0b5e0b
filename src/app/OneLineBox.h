#pragma once

#include <QString>

class QLineEdit;

namespace quilor {

// The text as one line: every line break (CR LF, CR or LF) becomes one blank.
QString AsOneLine(const QString& text);

// Makes box take whatever reaches it (typed, pasted, dropped or set) as one
// line, as AsOneLine does. A line edit keeps a pasted line break, which no
// single-line value can hold.
void KeepOnOneLine(QLineEdit* box);

}  // namespace quilor
