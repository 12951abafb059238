#pragma once
// The version record the update server publishes: three signed 32-bit little-endian
// integers major, minor, build (12 bytes), and its comparison with BuiltInVersion.
#include "main/Version.h"

#include <QByteArray>
#include <QString>

inline constexpr int kVersionRecordSize = 12;

// Reads the record from the first 12 bytes; a field whose bytes are missing stays 0
// (a partly received field keeps only the bytes that arrived).
ProgramVersion VersionRecordFromBytes(const QByteArray& bytes);

// Major decides first, then minor, then build.
bool IsNewerVersion(const ProgramVersion& candidate, const ProgramVersion& current);

// "1.1.2"
QString VersionText(const ProgramVersion& version);
