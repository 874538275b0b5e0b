#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QUrl>
#include <utility>

namespace quilor::test {

// What the server answers on one path.
struct HttpAnswer {
  int status = 200;
  QByteArray reason = "OK";
  QList<std::pair<QByteArray, QByteArray>> headers;
  QByteArray body;
  // Takes the request and never answers: a service that hangs.
  bool silent = false;
};

// A request as it arrived. Header names are lower case.
struct SeenRequest {
  QByteArray method;
  QByteArray target;
  QHash<QByteArray, QByteArray> headers;
};

// A small HTTP/1.1 server on 127.0.0.1 inside the test, served by the
// test's own event loop. Paths without an answer get 404.
class LocalHttpServer : public QObject {
  Q_OBJECT

 public:
  LocalHttpServer();

  bool listening() const { return server_.isListening(); }
  // http://127.0.0.1:<port><path>
  QString address(const QString& path) const;
  void answer(const QByteArray& path, const HttpAnswer& answer) { answers_[path] = answer; }

  QList<SeenRequest> requests;

 private:
  void serve(QTcpSocket* socket);

  QTcpServer server_;
  QHash<QByteArray, HttpAnswer> answers_;
};

// A port on 127.0.0.1 that nothing listens on: connections are refused.
quint16 ClosedPort();

}  // namespace quilor::test
