#pragma once
// Widgets are touched on the GUI thread only. Worker threads (the update check, the
// download) and the dialog service hand such work, and the workers their exceptions, over
// with these.

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <functional>
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

// Runs `work` on the GUI thread later, from its event loop; the caller does not wait.
void PostToGuiThread(std::function<void()> work);

// Shows the exception being handled in the standard error box, on the GUI thread.
// Call it from a catch block of the worker thread.
void ReportWorkerException();
