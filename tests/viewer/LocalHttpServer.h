// A small HTTP server on 127.0.0.1 for the browser tests: it records every
// request line and answers each path with a page that names it. The path
// "/slow" is never answered, so that a load stays in progress.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

class LocalHttpServer : public QTcpServer {
 public:
  LocalHttpServer() {
    listen(QHostAddress(QStringLiteral("127.0.0.1")), 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      }
    });
  }
  QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }

  // "GET /path?query", in the order received (favicon requests left out).
  QStringList requests;

  bool received(const QString& prefix) const {
    for (const QString& r : requests)
      if (r.startsWith(prefix)) return true;
    return false;
  }
  int count(const QString& request) const { return int(requests.count(request)); }

 private:
  void read(QTcpSocket* socket) {
    QByteArray& buffer = buffers_[socket];
    buffer += socket->readAll();
    const int end = buffer.indexOf("\r\n\r\n");
    if (end < 0) return;
    const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).split(' ');
    buffers_.remove(socket);
    if (requestLine.size() < 2) return;
    const QString target = QString::fromLatin1(requestLine[1]);
    if (target == QLatin1String("/favicon.ico")) {
      socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
      socket->disconnectFromHost();
      return;
    }
    requests.append(QString::fromLatin1(requestLine[0]) + ' ' + target);
    if (target == QLatin1String("/slow")) return;  // left waiting
    const QByteArray body = "<html><head><title>" + target.toHtmlEscaped().toUtf8() +
                            "</title></head><body><p>" + target.toHtmlEscaped().toUtf8() +
                            "</p></body></html>";
    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                  QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
  }
  QHash<QTcpSocket*, QByteArray> buffers_;
};
