// The version record as the server sends it, and which versions count as newer.
#include "main/UpdateCheckVersion.h"

#include <gtest/gtest.h>

namespace {

QByteArray LittleEndian(std::initializer_list<std::int32_t> fields)
{
    QByteArray bytes;
    for (std::int32_t field : fields)
        for (int i = 0; i < 4; ++i)
            bytes.append(char((std::uint32_t(field) >> (8 * i)) & 0xff));
    return bytes;
}

struct RecordCase {
    const char* name;
    QByteArray bytes;
    ProgramVersion expected;
};

TEST(VersionRecord, MissingBytesStayZero)
{
    const RecordCase cases[] = {
        {"whole record", LittleEndian({1, 2, 0}), {1, 2, 0}},
        {"nothing received", QByteArray(), {0, 0, 0}},
        {"only the major", LittleEndian({2}), {2, 0, 0}},
        {"major and minor", LittleEndian({3, 4}), {3, 4, 0}},
        {"half of the minor", LittleEndian({3, 0x0102}).left(6), {3, 0x0102, 0}},
        {"bytes after the record", LittleEndian({1, 1, 3, 99}), {1, 1, 3}},
        {"signed fields", LittleEndian({-1, 70000, -5}), {-1, 70000, -5}},
    };
    for (const RecordCase& c : cases) {
        const ProgramVersion record = VersionRecordFromBytes(c.bytes);
        EXPECT_EQ(record.major, c.expected.major) << c.name;
        EXPECT_EQ(record.minor, c.expected.minor) << c.name;
        EXPECT_EQ(record.build, c.expected.build) << c.name;
    }
}

TEST(VersionRecord, MajorThenMinorThenBuildDecide)
{
    const struct {
        ProgramVersion server;
        bool newer;
    } cases[] = {
        {{1, 1, 2}, false}, {{1, 1, 3}, true},   {{1, 2, 0}, true},
        {{2, 0, 0}, true},  {{1, 0, 9}, false},  {{0, 9, 99}, false},
        {{1, 1, 1}, false}, {{-1, 5, 5}, false}, {{0, 0, 0}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsNewerVersion(c.server, BuiltInVersion), c.newer)
            << qPrintable(VersionText(c.server));
}

TEST(VersionRecord, TextIsDottedDecimal)
{
    EXPECT_EQ(VersionText(BuiltInVersion), "1.1.2");
    EXPECT_EQ(VersionText({12, 0, -3}), "12.0.-3");
}

}  // namespace
