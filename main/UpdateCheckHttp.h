#pragma once
// A blocking HTTP GET for the update worker threads. It runs its own event loop on the
// calling thread, so the GUI thread must not call it. A transfer that stalls longer than
// kUpdateStallTimeoutMs is cut off; one whose thread is asked to stop
// (QThread::requestInterruption) ends as Stopped.
#include <QByteArrayView>
#include <QUrl>

#include <functional>
#include <optional>

inline constexpr int kUpdateStallTimeoutMs = 30000;

struct HttpHead {
    int status = 0;
    std::optional<qint64> contentLength;  // when the server gave one
};

enum class HttpOutcome {
    Unreachable,  // no response: unknown host, refused or dropped connection, time-out
    Stopped,      // a handler asked to stop
    Failed,       // the response broke off after its headers
    Complete,     // the whole body arrived
};

// `onHead` sees the response headers once; `onData` every piece of the body in order.
// Either stops the transfer by returning false.
HttpOutcome HttpGet(const QUrl& url, const std::function<bool(const HttpHead&)>& onHead,
                    const std::function<bool(QByteArrayView)>& onData);
