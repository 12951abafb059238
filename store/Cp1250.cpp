#include "store/Cp1250.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace {

// Unicode code points of the bytes 0x80 to 0xFF; the bytes below 0x80 are ASCII.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

using ReverseTable = std::array<std::pair<char16_t, unsigned char>, 128>;

const ReverseTable& Reverse()
{
    static const ReverseTable table = [] {
        ReverseTable t{};
        for (int i = 0; i < 128; ++i)
            t[i] = {kHighHalf[i], static_cast<unsigned char>(0x80 + i)};
        std::sort(t.begin(), t.end());
        return t;
    }();
    return table;
}

// Next code point of the UTF-8 text at `pos`, advancing `pos`; -1 for a malformed sequence
// (one byte consumed) and for an over-long form, a surrogate or a value beyond U+10FFFF
// (the whole sequence consumed). An over-long form must never yield ASCII: C0 A7 would
// become an apostrophe after the statement was quoted.
long NextCodePoint(std::string_view s, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(s[pos]);
    int extra = 0;
    long cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        ++pos;
        return -1;
    }
    if (pos + extra >= s.size()) {
        ++pos;
        return -1;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto c = static_cast<unsigned char>(s[pos + i]);
        if ((c & 0xC0) != 0x80) {
            ++pos;
            return -1;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    pos += extra + 1;
    static constexpr long kShortest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kShortest[extra] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        return -1;
    return cp;
}

// The Windows-1250 byte of a code point, or -1 when the code page has none.
int ByteOf(long cp)
{
    if (cp < 0)
        return -1;
    if (cp < 0x80)
        return static_cast<int>(cp);
    if (cp > 0xFFFF)
        return -1;
    const auto& t = Reverse();
    auto it = std::lower_bound(t.begin(), t.end(),
                               std::pair<char16_t, unsigned char>{static_cast<char16_t>(cp), 0});
    return (it != t.end() && it->first == cp) ? it->second : -1;
}

void AppendUtf8(std::string& out, char16_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string Utf8ToCp1250(std::string_view utf8)
{
    std::string out;
    AppendCp1250(utf8, out);
    return out;
}

void AppendCp1250(std::string_view utf8, std::string& out)
{
    out.reserve(out.size() + utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const int b = ByteOf(NextCodePoint(utf8, pos));
        out += b < 0 ? '?' : static_cast<char>(b);
    }
}

std::string Cp1250ToUtf8(std::string_view cp1250)
{
    std::string out;
    out.reserve(cp1250.size() + cp1250.size() / 4);
    for (char c : cp1250) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else
            AppendUtf8(out, kHighHalf[b - 0x80]);
    }
    return out;
}

bool IsCp1250Representable(std::string_view utf8)
{
    for (std::size_t pos = 0; pos < utf8.size();)
        if (ByteOf(NextCodePoint(utf8, pos)) < 0)
            return false;
    return true;
}

std::size_t Cp1250Length(std::string_view utf8)
{
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++n)
        NextCodePoint(utf8, pos);
    return n;
}
