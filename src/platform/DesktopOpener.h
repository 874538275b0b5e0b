#pragma once

#include <QString>
#include <functional>

namespace quilor {

// The text the desktop is handed for an address: the address exactly as
// written, except that one beginning with "www." (any letter case) gets
// "http://" in front. The desktop's opener would take a bare "www.…" for a
// file name and open nothing; any other text is the user's to choose.
QString AddressForDesktop(const QString& address);

// Hands AddressForDesktop(address) to the desktop's default handler
// (xdg-open), which picks a browser, a mail program or whatever the user
// set. When there is no opener, or it finds nothing that opens the address,
// report is called later, from the event loop, with the message to show.
void OpenWithDesktop(const QString& address, const std::function<void(const QString&)>& report);

}  // namespace quilor
