#include "main/MakerAddresses.h"

#include <QByteArray>
#include <QtGlobal>

namespace {

QString FromEnvironment(const char* name, const char* fallback)
{
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? QString::fromUtf8(fallback) : QString::fromUtf8(value);
}

}  // namespace

QString ContactPageUrl()
{
    return FromEnvironment("VLM_CONTACT_URL", "https://www.example.invalid/kontakt");
}

QString MakerSiteUrl()
{
    return FromEnvironment("VLM_SITE_URL", "https://www.example.invalid/velmorandia");
}

QString SupportMailAddress()
{
    return FromEnvironment("VLM_SUPPORT_MAIL", "pomoc@example.invalid");
}
