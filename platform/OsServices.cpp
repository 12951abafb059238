#include "platform/OsServices.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include <utility>

namespace {
OsServices* installed = nullptr;
}

OsServices::~OsServices() = default;

OsServices& OsServices::instance()
{
    static OsServices system;
    return installed ? *installed : system;
}

OsServices* OsServices::install(OsServices* services)
{
    return std::exchange(installed, services);
}

bool OsServices::openDocument(const QString& pathOrUrl)
{
    // "C:" style or plain paths are files; anything with a scheme of two letters or more
    // is an address.
    const QUrl url(pathOrUrl);
    const bool address = url.isValid() && url.scheme().size() > 1;
    return QDesktopServices::openUrl(address ? url : QUrl::fromLocalFile(pathOrUrl));
}

bool OsServices::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

QDateTime OsServices::utcNow() const
{
    return QDateTime::currentDateTimeUtc();
}
