#include "tests/support/RecordingOsServices.h"

bool RecordingOsServices::openDocument(const QString& pathOrUrl)
{
    opened << pathOrUrl;
    return !refuseOpening;
}

bool RecordingOsServices::startProgram(const QString& program, const QStringList&)
{
    started << program;
    return true;
}
