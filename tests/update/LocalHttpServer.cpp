#include "LocalHttpServer.h"

#include <QTcpSocket>

LocalHttpServer::LocalHttpServer()
{
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket,
                             [this, socket] { serve(socket); });
        }
    });
}

QString LocalHttpServer::address() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
}

void LocalHttpServer::respond(const QString& path, ScriptedResponse response)
{
    responses_[path] = std::move(response);
}

void LocalHttpServer::serve(QTcpSocket* socket)
{
    // The request stays in the socket's buffer until its head is complete.
    const QByteArray request = socket->peek(socket->bytesAvailable());
    const qsizetype headEnd = request.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return;
    socket->readAll();
    const QList<QByteArray> lines = request.left(headEnd).split('\n');
    const QString path = QString::fromLatin1(lines.value(0).split(' ').value(1));
    for (const QByteArray& line : lines)
        if (line.toLower().startsWith("user-agent:"))
            lastUserAgent_ = line.mid(11).trimmed();

    const auto found = responses_.find(path);
    const ScriptedResponse response = found != responses_.end()
                                          ? found->second
                                          : ScriptedResponse{.status = 404, .body = "not here"};
    if (response.neverAnswer)
        return;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Scripted\r\n";
    if (!response.withoutLength)
        head += "Content-Length: " +
                QByteArray::number(response.announcedLength.value_or(response.body.size())) +
                "\r\n";
    head += "Content-Type: application/octet-stream\r\nConnection: close\r\n\r\n";
    socket->write(head + response.body);
    socket->disconnectFromHost();
}

QString UnreachableAddress()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1").arg(port);
}
