#include "main/UpdateCheckServer.h"

#include <QString>
#include <QtGlobal>

namespace {

QUrl OnUpdateServer(const char* path)
{
    QString server = qEnvironmentVariable(kUpdateServerVariable);
    if (server.isEmpty())
        server = QString::fromLatin1(kDefaultUpdateServer);
    while (server.endsWith(u'/'))
        server.chop(1);
    return QUrl(server + QString::fromLatin1(path));
}

}  // namespace

QUrl VersionRecordUrl()
{
    return OnUpdateServer(kVersionRecordPath);
}

QUrl InstallerUrl()
{
    return OnUpdateServer(kInstallerPath);
}
