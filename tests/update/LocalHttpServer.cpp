#include "LocalHttpServer.h"

#include <QTcpSocket>

namespace quilor::test {

namespace {

SeenRequest ParseHead(const QByteArray& head) {
  const QList<QByteArray> lines = head.split('\n');
  SeenRequest request;
  const QList<QByteArray> words = lines.value(0).trimmed().split(' ');
  request.method = words.value(0);
  request.target = words.value(1);
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const qsizetype colon = lines[i].indexOf(':');
    if (colon < 0) continue;
    request.headers[lines[i].left(colon).trimmed().toLower()] = lines[i].mid(colon + 1).trimmed();
  }
  return request;
}

QByteArray Response(const HttpAnswer& answer) {
  QByteArray response = "HTTP/1.1 " + QByteArray::number(answer.status) + ' ' + answer.reason +
                        "\r\nContent-Length: " + QByteArray::number(answer.body.size()) +
                        "\r\nConnection: close\r\n";
  for (const auto& [name, value] : answer.headers) response += name + ": " + value + "\r\n";
  return response + "\r\n" + answer.body;
}

}  // namespace

LocalHttpServer::LocalHttpServer() {
  connect(&server_, &QTcpServer::newConnection, this, [this] {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
      connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
      connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
  });
  server_.listen(QHostAddress::LocalHost);
}

QString LocalHttpServer::address(const QString& path) const {
  return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
}

void LocalHttpServer::serve(QTcpSocket* socket) {
  if (socket->property("served").toBool()) return;
  QByteArray head = socket->property("head").toByteArray() + socket->readAll();
  socket->setProperty("head", head);
  const qsizetype end = head.indexOf("\r\n\r\n");
  if (end < 0) return;
  socket->setProperty("served", true);

  requests << ParseHead(head.left(end));
  const QByteArray path = requests.last().target.split('?').value(0);
  const HttpAnswer answer = answers_.value(path, HttpAnswer{404, "Not Found", {}, "yok", false});
  if (answer.silent) return;
  socket->write(Response(answer));
  socket->disconnectFromHost();
}

quint16 ClosedPort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost);
  const quint16 port = probe.serverPort();
  probe.close();
  return port;
}

}  // namespace quilor::test
