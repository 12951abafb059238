#include "platform/OsServices.h"

#include <QDesktopServices>
#include <QProcess>

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

QUrl DesktopUrl(const QString& pathOrUrl)
{
    const QUrl url(pathOrUrl, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(pathOrUrl);
}

bool OsServices::openDocument(const QString& pathOrUrl)
{
    return QDesktopServices::openUrl(DesktopUrl(pathOrUrl));
}

bool OsServices::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

QDateTime OsServices::utcNow() const
{
    return QDateTime::currentDateTimeUtc();
}
