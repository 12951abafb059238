#pragma once
// Notes what would have gone to the desktop (documents, addresses, programs) instead of
// starting anything. Constructing it installs it; destroying it puts the previous back.
#include <QStringList>

#include "platform/OsServices.h"

class RecordingOsServices : public OsServices {
public:
    RecordingOsServices() { previous_ = install(this); }
    ~RecordingOsServices() override { install(previous_); }
    RecordingOsServices(const RecordingOsServices&) = delete;
    RecordingOsServices& operator=(const RecordingOsServices&) = delete;

    bool openDocument(const QString& pathOrUrl) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;

    QStringList opened;
    QStringList started;
    // The desktop finds no handler: openDocument notes the request and returns false.
    bool refuseOpening = false;

private:
    OsServices* previous_ = nullptr;
};
