#pragma once
// The advances of one font's characters taken one by one, in the 1/64 pixel units of Qt's
// layout, measured as first needed: what the line breaker adds up instead of laying long
// text out.

#include <QChar>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>

#include <array>
#include <vector>

class CharAdvances {
public:
    struct Advance {
        qint64 width = -1;    // -1: not measured yet
        qint64 overhang = 0;  // how far the glyph reaches past its advance
    };

    // Characters below this are kept in a table, and only they can be paired.
    static constexpr char16_t kTableEnd = 0x180;  // Latin, Polish letters included

    explicit CharAdvances(const QFont& font);

    Advance of(QChar c)
    {
        const char16_t code = c.unicode();
        return code < kTableEnd && table_[code].width >= 0 ? table_[code] : measure(code);
    }

    // True when `first` followed by `second` measures as their two advances: no ligature,
    // kerning or other shaping joins them. Both below kTableEnd.
    bool apart(char16_t first, char16_t second)
    {
        if (pairs_.empty())  // only long texts pair their characters
            pairs_.resize(std::size_t(kTableEnd) * kTableEnd);
        const qint8 known = pairs_[std::size_t(first) * kTableEnd + second];
        return known == 0 ? measureApart(first, second) : known > 0;
    }

private:
    Advance measure(char16_t code);
    bool measureApart(char16_t first, char16_t second);

    QFontMetricsF metrics_;
    std::array<Advance, kTableEnd> table_;
    QHash<char16_t, Advance> other_;
    std::vector<qint8> pairs_;  // first * kTableEnd + second: 0 not measured, 1 apart, -1 joined
};
