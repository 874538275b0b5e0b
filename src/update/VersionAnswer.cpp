#include "VersionAnswer.h"

#include <QList>

namespace quilor {

namespace {

// Splits at CR LF, CR or LF.
QList<QByteArray> SplitLines(const QByteArray& text) {
  QList<QByteArray> lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    lines << text.mid(start, i - start);
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines << text.mid(start);
  return lines;
}

// The value of the first line named name; empty when no line is.
QByteArray ValueOf(const QList<QByteArray>& lines, const char* name) {
  for (const QByteArray& line : lines) {
    const qsizetype equals = line.indexOf('=');
    if (equals >= 0 && line.left(equals).compare(name, Qt::CaseInsensitive) == 0) {
      return line.mid(equals + 1);
    }
  }
  return {};
}

}  // namespace

VersionAnswer ParseVersionAnswer(const QByteArray& body) {
  const qsizetype zero = body.indexOf('\0');
  QByteArray text = zero >= 0 ? body.left(zero) : body;
  // The tag separates lines like a line break; "<BR>" is ordinary text.
  text.replace("<br>", "\n");
  const QList<QByteArray> lines = SplitLines(text);
  return {ValueOf(lines, "SURUM"), ValueOf(lines, "DOWNLOADLINK")};
}

}  // namespace quilor
