#pragma once
// The operating system's services the program uses, replaceable in tests: opening a file
// or web address with the desktop's handler, starting a program and the UTC clock.
// (Handing a file to the mail program is the store's MailSender, store/Logs.h.)

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <QUrl>

// What the desktop is asked to open: a text with a scheme of two letters or more
// ("https:", "mailto:", "file:") is an address, anything else a local path.
QUrl DesktopUrl(const QString& pathOrUrl);

class OsServices {
public:
    virtual ~OsServices();

    // The installed services, else the system's.
    static OsServices& instance();
    // Makes `services` the ones instance() returns (null = the system's); returns the
    // previous installed ones.
    static OsServices* install(OsServices* services);

    // A web or mail address (with a scheme) or a local path; true when a handler took it.
    virtual bool openDocument(const QString& pathOrUrl);
    // Starts `program` detached; true when it started.
    virtual bool startProgram(const QString& program, const QStringList& arguments);
    virtual QDateTime utcNow() const;
};
