#include "platform/Application.h"

#include "platform/DialogService.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

Application::Application(int& argc, char** argv)
    : Application(argc, argv, std::make_unique<FontConfigurationReader>())
{
}

Application::Application(int& argc, char** argv, std::unique_ptr<FontConfigurationReader> fonts)
    : QApplication(argc, argv)
    , fontConfiguration_(std::move(fonts))
{
    InstallFontSubstitutions();
    // The standard dialogs speak Polish like the rest of the program ("Tak", "Nie", "Anuluj").
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
}

void Application::awaitFontConfiguration()
{
    fontConfiguration_->wait();
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
    showExceptionText(e ? QString::fromUtf8(e->what()) : QString());
}

void Application::showExceptionText(const QString& text)
{
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
