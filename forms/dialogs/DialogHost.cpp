#include "forms/dialogs/DialogHost.h"

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
