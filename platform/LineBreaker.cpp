#include "platform/LineBreaker.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <QTextOption>

#include <QHash>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Qt's layout rescans the rest of a word for every line it breaks inside it, which is
// quadratic in the word's length. So a paragraph is laid out through a window a few
// lines long: every line of the window but its last is the line the whole paragraph
// would give (a line's end depends only on its own text and the word that does not fit
// after it, both inside the window), and the next window starts at that last line.
// In a font without kerning, a line that starts with a word wider than the line is
// broken here directly, as Qt breaks it: letter by letter while the advances (in Qt's 1/64 pixel units) and the
// last letter's overhang past its advance fit, the first letter always.
class ParagraphBreaker {
public:
    ParagraphBreaker(const QFont& font, int widthPx)
        : font_(font)
        , widthPx_(widthPx)
    {
        option_.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        // Enough characters for several lines even of the narrowest glyphs.
        const qreal narrowest = std::max<qreal>(1.0, QFontMetricsF(font).horizontalAdvance(QLatin1Char('i')));
        minimumWindow_ = std::max<qsizetype>(64, qsizetype(4 * std::ceil(widthPx / narrowest)));
    }

    void wrap(const QString& paragraph, QStringList& out) const
    {
        if (paragraph.isEmpty()) {
            out << QString();
            return;
        }
        qsizetype start = 0;
        qsizetype window = minimumWindow_;
        while (start < paragraph.size()) {
            if (const qsizetype cut = longWordCut(paragraph, start); cut > 0) {
                out << paragraph.mid(start, cut);
                start += cut;
                continue;
            }
            qsizetype end = std::min(paragraph.size(), start + window);
            if (end < paragraph.size() && paragraph.at(end).isLowSurrogate())
                --end;
            const bool last = end == paragraph.size();
            const QList<qsizetype> starts = lineStarts(QStringView(paragraph).sliced(start, end - start));
            if (last) {
                for (qsizetype i = 0; i < starts.size(); ++i) {
                    const qsizetype to = i + 1 < starts.size() ? starts[i + 1] : end - start;
                    out << paragraph.mid(start + starts[i], to - starts[i]);
                }
                return;
            }
            if (starts.size() < 2) {  // one line fills the window: widen it
                window *= 2;
                continue;
            }
            for (qsizetype i = 0; i + 1 < starts.size(); ++i)
                out << paragraph.mid(start + starts[i], starts[i + 1] - starts[i]);
            start += starts.constLast();
            window = minimumWindow_;
        }
    }

private:
    struct Advance {
        qint64 width = -1;    // 1/64 pixel; -1: not measured yet
        qint64 overhang = 0;  // 1/64 pixel the glyph reaches past its advance
    };

    Advance advance(QChar c) const
    {
        const char16_t code = c.unicode();
        if (code < latin_.size() && latin_[code].width >= 0)
            return latin_[code];
        if (const auto found = other_.constFind(code); found != other_.constEnd())
            return *found;
        const QFontMetricsF metrics(font_);
        const Advance a{qRound64(metrics.horizontalAdvance(c) * 64),
                        qRound64(std::max<qreal>(0, -metrics.rightBearing(c)) * 64)};
        if (code < latin_.size())
            latin_[code] = a;
        else
            other_.insert(code, a);
        return a;
    }

    // The length of the line at `start` when it starts with a run of letters and digits
    // (no break opportunity within) wider than the line; 0 otherwise.
    qsizetype longWordCut(const QString& paragraph, qsizetype start) const
    {
        if (font_.kerning())  // pairs of letters then measure apart from their advances
            return 0;
        const qint64 width = qint64(widthPx_) * 64;
        qint64 sum = 0;
        qsizetype fits = 0;
        for (qsizetype i = start; i < paragraph.size(); ++i) {
            const QChar c = paragraph.at(i);
            if (!c.isLetterOrNumber() || c.isSurrogate())
                return 0;
            const Advance a = advance(c);
            sum += a.width;
            if (fits == i - start && (fits == 0 || sum + a.overhang <= width))
                fits = i - start + 1;
            if (sum > width)
                return fits;
        }
        return 0;
    }

    // Where each line of `text` starts when laid out at the width.
    QList<qsizetype> lineStarts(QStringView text) const
    {
        QList<qsizetype> starts;
        QTextLayout layout(text.toString(), font_);
        layout.setTextOption(option_);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(widthPx_);
            starts << line.textStart();
        }
        layout.endLayout();
        return starts;
    }

    QFont font_;
    int widthPx_;
    QTextOption option_;
    qsizetype minimumWindow_ = 64;
    // Advances as they are first needed: Latin letters (Polish ones included) in a table.
    mutable std::array<Advance, 0x180> latin_;
    mutable QHash<char16_t, Advance> other_;
};

} // namespace

QStringList BreakLines(const QString& text, const QFont& font, int widthPx)
{
    QStringList paragraphs;
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        paragraphs << text.mid(from, i - from);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        from = i + 1;
    }
    if (from < text.size())
        paragraphs << text.mid(from);
    if (widthPx <= 0)
        return paragraphs;
    const ParagraphBreaker breaker(font, widthPx);
    QStringList lines;
    for (const QString& paragraph : paragraphs)
        breaker.wrap(paragraph, lines);
    return lines;
}
