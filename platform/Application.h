#pragma once
// The application object. An exception that escapes an event handler is shown in the
// standard error box (caption = application title, error icon, the exception's message)
// and the program goes on with the next event; Qt alone would abort.

#include "platform/FontConfigurationReader.h"
#include "platform/Fonts.h"

#include <QApplication>

#include <exception>
#include <memory>

class Application : public QApplication {
    Q_OBJECT
public:
    // Installs the font substitutions as well.
    Application(int& argc, char** argv);

    // Returns once the font configuration read beside Qt's start is there (see
    // FontConfigurationReader::wait); the main window calls it before its first text.
    void awaitFontConfiguration();

    void setTitle(const QString& title);
    QString title() const { return title_; }

    bool notify(QObject* receiver, QEvent* event) override;

    // Runs the message loop until the application quits; an exception that still reaches
    // the loop is shown like one from a handler and the loop is entered again.
    int runMessageLoop();

    // The standard error box for `e` (a null pointer shows an empty message).
    void showException(const std::exception* e);
    void showExceptionText(const QString& text);
    // The same for whatever is in flight; call only from a catch block.
    void showCurrentException();

    static Application* instance();

private:
    // The public constructor starts `fonts` before the application object is made, so that
    // the reading runs beside Qt's own start.
    Application(int& argc, char** argv, std::unique_ptr<FontConfigurationReader> fonts);

    // Joined before the application object goes.
    std::unique_ptr<FontConfigurationReader> fontConfiguration_;
    QString title_;
};
