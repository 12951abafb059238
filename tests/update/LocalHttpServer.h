#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for the update tests. It runs on the test's (GUI)
// thread, answers each path with a scripted response and closes the connection after it.
#include <QByteArray>
#include <QString>
#include <QTcpServer>

#include <map>
#include <optional>

struct ScriptedResponse {
    int status = 200;
    QByteArray body{};
    // The Content-Length header; the body's size when not given.
    std::optional<qint64> announcedLength{};
    // No Content-Length header at all: the end of the connection ends the body.
    bool withoutLength = false;
    // The request is read and never answered.
    bool neverAnswer = false;
};

class LocalHttpServer {
public:
    LocalHttpServer();
    // "http://127.0.0.1:<port>"
    QString address() const;
    void respond(const QString& path, ScriptedResponse response);
    // The User-Agent of the last request.
    QByteArray lastUserAgent() const { return lastUserAgent_; }

private:
    void serve(QTcpSocket* socket);

    QTcpServer server_;
    std::map<QString, ScriptedResponse> responses_;
    QByteArray lastUserAgent_;
};

// An address on 127.0.0.1 where nothing listens.
QString UnreachableAddress();
