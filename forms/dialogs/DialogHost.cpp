#include "forms/dialogs/DialogHost.h"

#include "platform/DialogService.h"

namespace {
DialogHost* installedHost = nullptr;
}

DialogHost* DialogHost::current()
{
    return installedHost;
}

DialogHost* DialogHost::install(DialogHost* host)
{
    DialogHost* previous = installedHost;
    installedHost = host;
    return previous;
}

ErrorStream& DialogErrorStream()
{
    static ErrorStream own;
    return installedHost ? installedHost->errorStream() : own;
}

void ShowDataError(const QString& sentence)
{
    DialogService::instance().message(sentence + QString::fromStdString(DialogErrorStream().str()),
                                      QStringLiteral("Błąd"), MsgIcon::Error, MsgButtons::Ok);
}
