#include "main/GuiThread.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <exception>

#include "platform/Application.h"

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
