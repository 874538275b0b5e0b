#pragma once

#include <QByteArray>

namespace quilor {

// What the version service told: the newest release and where to get it.
// Values are the bytes after the first "=" of their line, untrimmed; a
// missing line leaves its value empty.
struct VersionAnswer {
  QByteArray newestRelease;
  QByteArray downloadLink;
};

// Reads the service's answer: lines of name "=" value, separated by CR LF,
// CR, LF or the tag "<br>" (lower case only). Names match without regard to
// case, the first line of a name wins, and a zero byte ends the text.
VersionAnswer ParseVersionAnswer(const QByteArray& body);

}  // namespace quilor
