#include "platform/Application.h"

#include "platform/DialogService.h"

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    InstallFontSubstitutions();
}

Application* Application::instance()
{
    return qobject_cast<Application*>(QCoreApplication::instance());
}

void Application::setTitle(const QString& title)
{
    // Kept to ourselves: as Qt's display name it would be appended to every window caption.
    title_ = title;
}

void Application::showException(const std::exception* e)
{
    const QString text = e ? QString::fromUtf8(e->what()) : QString();
    DialogService::instance().message(text, title_, MsgIcon::Error, MsgButtons::Ok);
}

void Application::showCurrentException()
{
    try {
        throw;
    } catch (const std::exception& e) {
        showException(&e);
    } catch (...) {
        showException(nullptr);
    }
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showCurrentException();
    }
    return false;
}

int Application::runMessageLoop()
{
    for (;;) {
        try {
            return exec();
        } catch (...) {
            showCurrentException();
        }
    }
}
