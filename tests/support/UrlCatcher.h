#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

namespace quilor::test {

// Takes the addresses a dialog hands to the desktop, instead of a browser,
// a file manager or a mail program, for as long as it lives.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  UrlCatcher();
  ~UrlCatcher() override;

  QList<QUrl> opened;

 public slots:
  void open(const QUrl& url);
};

}  // namespace quilor::test
