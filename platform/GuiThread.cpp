#include "platform/GuiThread.h"

#include "platform/Application.h"

#include <exception>

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
