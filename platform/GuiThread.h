#pragma once
// Runs work on the GUI thread and waits for it. Worker threads (the update check, the
// download) must not touch widgets; they, and the dialog service, hand such work over so.

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <optional>
#include <type_traits>
#include <utility>

inline bool OnGuiThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

// Runs `f` on the GUI thread and returns its result; from the GUI thread it simply calls
// it. The calling worker waits, so the GUI thread must never wait for that worker.
template <class F> auto CallOnGuiThread(F&& f) -> std::invoke_result_t<F>
{
    using R = std::invoke_result_t<F>;
    if (OnGuiThread())
        return f();
    if constexpr (std::is_void_v<R>) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::forward<F>(f),
                                  Qt::BlockingQueuedConnection);
    } else {
        std::optional<R> result;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [&] { result.emplace(f()); }, Qt::BlockingQueuedConnection);
        return std::move(*result);
    }
}
