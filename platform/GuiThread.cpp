#include "platform/GuiThread.h"

#include "platform/Application.h"

#include <QMetaObject>

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>

namespace {

// One hand-over from a worker to the GUI thread. The GUI thread takes it up only while
// the worker still waits for it.
struct GuiCall {
    enum class State { Waiting, Running, Done, Abandoned };
    std::function<void()> work;
    State state = State::Waiting;
    std::exception_ptr error;
};

// Guards the state of every GuiCall; notified whenever one ends or a worker is stopped.
std::mutex callsMutex;
std::condition_variable callsChanged;

void Run(const std::shared_ptr<GuiCall>& call)
{
    {
        std::lock_guard lock(callsMutex);
        if (call->state == GuiCall::State::Abandoned)
            return;
        call->state = GuiCall::State::Running;
    }
    try {
        call->work();
    } catch (...) {
        call->error = std::current_exception();
    }
    {
        std::lock_guard lock(callsMutex);
        call->state = GuiCall::State::Done;
    }
    callsChanged.notify_all();
}

}  // namespace

void RunOnGuiThreadAndWait(std::function<void()> work)
{
    auto call = std::make_shared<GuiCall>();
    call->work = std::move(work);
    PostToGuiThread([call] { Run(call); });

    QThread* self = QThread::currentThread();
    std::unique_lock lock(callsMutex);
    callsChanged.wait(lock, [&] {
        return call->state == GuiCall::State::Done ||
               (call->state == GuiCall::State::Waiting && self->isInterruptionRequested());
    });
    if (call->state != GuiCall::State::Done) {
        call->state = GuiCall::State::Abandoned;
        throw WorkerStopped();
    }
    lock.unlock();
    if (call->error)
        std::rethrow_exception(call->error);
}

void PostToGuiThread(std::function<void()> work)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}

void ReportWorkerException()
{
    PostToGuiThread([error = std::current_exception()] {
        try {
            std::rethrow_exception(error);
        } catch (...) {
            Application::instance()->showCurrentException();
        }
    });
}

QThread* StartWorkerThread(std::function<void()> work)
{
    QThread* thread = QThread::create([work = std::move(work)] {
        try {
            work();
        } catch (const WorkerStopped&) {
        } catch (...) {
            ReportWorkerException();
        }
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
    return thread;
}

void StopWorkerThread(QThread& thread)
{
    thread.requestInterruption();
    {
        // Taken so that a worker between its check and its wait cannot miss the notice.
        std::lock_guard lock(callsMutex);
    }
    callsChanged.notify_all();
    thread.wait();
}
