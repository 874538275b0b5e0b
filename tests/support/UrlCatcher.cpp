#include "UrlCatcher.h"

#include <QDesktopServices>

namespace quilor::test {

namespace {
constexpr const char* kSchemes[] = {"http", "https", "file", "smb", "mailto"};
}

UrlCatcher::UrlCatcher() {
  for (const char* scheme : kSchemes) QDesktopServices::setUrlHandler(scheme, this, "open");
}

UrlCatcher::~UrlCatcher() {
  for (const char* scheme : kSchemes) QDesktopServices::unsetUrlHandler(scheme);
}

void UrlCatcher::open(const QUrl& url) { opened << url; }

}  // namespace quilor::test
