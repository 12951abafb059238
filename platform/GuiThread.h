#pragma once
// Widgets are touched on the GUI thread only. Worker threads (the update check, the
// download) and the dialog service hand such work, and the workers their exceptions, over
// with these. A worker never outlives what it uses: its owner stops it with
// StopWorkerThread, which does not return before the thread has ended.

#include <QCoreApplication>
#include <QThread>

#include <functional>
#include <optional>
#include <type_traits>

inline bool OnGuiThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

// Thrown in a worker that was asked to stop while it waited for the GUI thread; the work
// handed over has not run and will not run.
struct WorkerStopped {};

// Runs `work` on the GUI thread and waits until it has run; an exception it throws is
// thrown again here. A worker asked to stop before the GUI thread took the work up gets
// WorkerStopped instead.
void RunOnGuiThreadAndWait(std::function<void()> work);

// Runs `f` on the GUI thread and returns its result; from the GUI thread it simply calls
// it. The calling worker waits; see RunOnGuiThreadAndWait.
template <class F>
auto CallOnGuiThread(F&& f) -> std::invoke_result_t<F>
{
    using R = std::invoke_result_t<F>;
    if (OnGuiThread())
        return f();
    if constexpr (std::is_void_v<R>) {
        RunOnGuiThreadAndWait([&] { f(); });
    } else {
        std::optional<R> result;
        RunOnGuiThreadAndWait([&] { result.emplace(f()); });
        return std::move(*result);
    }
}

// Runs `work` on the GUI thread later, from its event loop; the caller does not wait.
void PostToGuiThread(std::function<void()> work);

// Shows the exception being handled in the standard error box, on the GUI thread.
// Call it from a catch block of the worker thread.
void ReportWorkerException();

// Starts `work` on a new thread. An exception escaping it is shown on the GUI thread
// (WorkerStopped ends it quietly). The QThread object deletes itself, on the GUI thread,
// once the thread has ended.
QThread* StartWorkerThread(std::function<void()> work);

// From the GUI thread: asks the worker to stop (QThread::isInterruptionRequested), frees it
// from a wait for the GUI thread, and waits until it has ended, however long that takes.
void StopWorkerThread(QThread& thread);
