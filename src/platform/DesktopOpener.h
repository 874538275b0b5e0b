#pragma once

#include <QString>

namespace quilor {

// The text the desktop is handed for an address: the address exactly as
// written, except that one beginning with "www." (any letter case) gets
// "http://" in front. The desktop's opener would take a bare "www.…" for a
// file name and open nothing; any other text is the user's to choose.
QString AddressForDesktop(const QString& address);

// Hands AddressForDesktop(address) to the desktop's default handler
// (xdg-open), which picks a browser, a mail program or whatever the user
// set. Whether it managed is the desktop's to show, not ours.
void OpenWithDesktop(const QString& address);

}  // namespace quilor
