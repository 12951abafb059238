#include "main/UpdateCheckHost.h"

namespace {
UpdateHost* registeredHost = nullptr;
}

void SetUpdateHost(UpdateHost* host)
{
    registeredHost = host;
}

UpdateHost* CurrentUpdateHost()
{
    return registeredHost;
}
