#include "main/UpdateCheckVersion.h"

#include <cstdint>
#include <tuple>

namespace {

int LittleEndianField(const QByteArray& bytes, int offset)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4 && offset + i < bytes.size(); ++i)
        value |= std::uint32_t(std::uint8_t(bytes[offset + i])) << (8 * i);
    return static_cast<std::int32_t>(value);
}

}  // namespace

ProgramVersion VersionRecordFromBytes(const QByteArray& bytes)
{
    return {LittleEndianField(bytes, 0), LittleEndianField(bytes, 4), LittleEndianField(bytes, 8)};
}

bool IsNewerVersion(const ProgramVersion& candidate, const ProgramVersion& current)
{
    return std::tie(candidate.major, candidate.minor, candidate.build) >
           std::tie(current.major, current.minor, current.build);
}

QString VersionText(const ProgramVersion& version)
{
    return QStringLiteral("%1.%2.%3").arg(version.major).arg(version.minor).arg(version.build);
}
