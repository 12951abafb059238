#include "main/UpdateCheckHttp.h"

#include "main/UpdateCheckServer.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QThread>
#include <QTimer>

#include <memory>

namespace {
constexpr int kInterruptionPollMs = 100;
}

HttpOutcome HttpGet(const QUrl& url, const std::function<bool(const HttpHead&)>& onHead,
                    const std::function<bool(QByteArrayView)>& onData)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray(kUpdateUserAgent));
    // Without compression the Content-Length counts exactly the bytes handed to onData.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setTransferTimeout(kUpdateStallTimeoutMs);
    const std::unique_ptr<QNetworkReply> reply(manager.get(request));

    bool headSeen = false;
    bool stopped = false;
    auto stop = [&] {
        stopped = true;
        reply->abort();
    };
    // False when there is no response yet or the transfer has been stopped.
    auto takeHead = [&] {
        if (headSeen)
            return !stopped;
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (!status.isValid())
            return false;
        headSeen = true;
        HttpHead head{status.toInt(), std::nullopt};
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid())
            head.contentLength = length.toLongLong();
        if (!onHead(head))
            stop();
        return !stopped;
    };
    auto takeData = [&] {
        const QByteArray piece = reply->readAll();
        if (!piece.isEmpty() && !onData(piece))
            stop();
    };

    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        if (takeHead())
            takeData();
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer interruptionPoll;
    QObject::connect(&interruptionPoll, &QTimer::timeout, &loop, [&] {
        if (QThread::currentThread()->isInterruptionRequested() && !stopped)
            stop();
    });
    interruptionPoll.start(kInterruptionPollMs);
    if (!reply->isFinished())
        loop.exec();

    if (stopped)
        return HttpOutcome::Stopped;
    if (!takeHead())
        return stopped ? HttpOutcome::Stopped : HttpOutcome::Unreachable;
    takeData();
    if (stopped)
        return HttpOutcome::Stopped;
    return reply->error() == QNetworkReply::NoError ? HttpOutcome::Complete : HttpOutcome::Failed;
}
