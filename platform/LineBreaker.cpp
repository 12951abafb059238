#include "platform/LineBreaker.h"

#include "platform/CharAdvances.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace {

// Letters of the Latin table (Polish ones included) and , . ; : make words between which
// alone Qt's layout breaks: digits would open breaks after the punctuation ("a,1").
bool IsPlainWordChar(QChar c)
{
    const char16_t code = c.unicode();
    if (code < 0x80)
        return c.isLetter() || code == u',' || code == u'.' || code == u';' || code == u':';
    return code >= 0xC0 && code < CharAdvances::kTableEnd && c.isLetter();
}

// Qt's layout rescans the rest of a word for every line it breaks inside it, which is
// quadratic in the word's length. So a paragraph is laid out through a window a few
// lines long: every line of the window but its last is the line the whole paragraph
// would give (a line's end depends only on its own text and the word that does not fit
// after it, both inside the window), and the next window starts at that last line.
// In a font that adds nothing between characters, a line that starts with a word wider
// than the line is broken here directly, as Qt breaks it: letter by letter while the
// advances (in Qt's 1/64 pixel units) and the last letter's overhang past its advance
// fit, the first letter always. And in a long paragraph a line of plain text is found
// from the advances alone, since laying out megabytes costs about a second.
class ParagraphBreaker {
public:
    ParagraphBreaker(const QFont& font, int widthPx)
        : font_(font)
        , widthPx_(widthPx)
        , advances_(font)
    {
        option_.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        // Enough characters for several lines even of the narrowest glyphs.
        const qreal narrowest =
            std::max<qreal>(1.0, QFontMetricsF(font).horizontalAdvance(QLatin1Char('i')));
        minimumWindow_ = std::max<qsizetype>(64, qsizetype(4 * std::ceil(widthPx / narrowest)));
        addsNothing_ = !font.kerning() && font.letterSpacing() == 0 && font.wordSpacing() == 0 &&
                       font.capitalization() == QFont::MixedCase;
    }

    void wrap(const QString& paragraph, QStringList& out)
    {
        if (paragraph.isEmpty()) {
            out << QString();
            return;
        }
        const bool plain = addsNothing_ && paragraph.size() >= kPlainParagraph &&
                           advances_.of(QLatin1Char(' ')).overhang == 0;
        qsizetype start = 0;
        qsizetype window = minimumWindow_;
        while (start < paragraph.size()) {
            qsizetype cut = longWordCut(paragraph, start);
            if (cut == 0 && plain)
                cut = plainLine(paragraph, start);
            if (cut > 0) {
                out << paragraph.mid(start, cut);
                start += cut;
                continue;
            }
            qsizetype end = std::min(paragraph.size(), start + window);
            // A widened window may cut the long word that widened it.
            if (end < paragraph.size() && window == minimumWindow_)
                end = lastWordStart(paragraph, start, end);
            if (end < paragraph.size() && paragraph.at(end).isLowSurrogate())
                --end;
            const bool last = end == paragraph.size();
            const QList<qsizetype> starts =
                lineStarts(QStringView(paragraph).sliced(start, end - start));
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
    // Shorter paragraphs, every memo a person types, are laid out by Qt alone, in 2 ms at
    // most; plain lines make longer ones several times faster (16K characters: 2 ms to
    // 0.4 ms, measuring their pairs of characters included).
    static constexpr qsizetype kPlainParagraph = 16 * 1024;
    // Longer words are left to Qt's layout, so that no line reads far beyond its end.
    static constexpr qsizetype kLongestPlainWord = 64;

    // The length of the line at `start` when it and the word after it are plain words
    // (IsPlainWordChar) between blanks, as Qt's layout breaks it: after the blanks that
    // follow the last word that fits, its last glyph's overhang included, the first word
    // always. 0 when undecided here: other characters, blanks at the line's start or the
    // paragraph's end or wider than the line, pairs of characters that shaping joins, a
    // first word that does not fit, or a word that fits only without its overhang (Qt
    // then counts the overhang or not after the font's least bearing).
    qsizetype plainLine(const QString& paragraph, qsizetype start)
    {
        const qint64 width = qint64(widthPx_) * 64;
        const qint64 blank = advances_.of(QLatin1Char(' ')).width;
        const qsizetype size = paragraph.size();
        if (paragraph.at(start) == u' ')
            return 0;
        qint64 taken = 0;  // the words on the line and the blanks between them
        qsizetype at = start;
        for (;;) {
            qsizetype word = at;
            for (; word < size && paragraph.at(word) == u' '; ++word)
                if (!advances_.apart(paragraph.at(word - 1).unicode(), u' '))
                    return 0;
            const qint64 blanks = (word - at) * blank;
            if (word == size || blanks > width)
                return 0;
            qint64 advance = 0;
            qsizetype end = word;
            for (; end < size && paragraph.at(end) != u' '; ++end) {
                const QChar c = paragraph.at(end);
                if (!IsPlainWordChar(c) || end - word == kLongestPlainWord ||
                    (end > start && !advances_.apart(paragraph.at(end - 1).unicode(), c.unicode())))
                    return 0;
                advance += advances_.of(c).width;
                if (at == start && advance > width)
                    return 0;
            }
            const qint64 reach = taken + blanks + advance;
            if (at != start && reach > width)
                return word - start;
            if (reach + advances_.of(paragraph.at(end - 1)).overhang > width)
                return 0;
            taken = reach;
            at = end;
            if (at == size)
                return size - start;
        }
    }

    // The length of the line at `start` when it starts with a run of letters and digits
    // (no break opportunity within) wider than the line; 0 otherwise.
    qsizetype longWordCut(const QString& paragraph, qsizetype start)
    {
        if (!addsNothing_)  // pairs of letters then measure apart from their advances
            return 0;
        const qint64 width = qint64(widthPx_) * 64;
        qint64 sum = 0;
        qsizetype fits = 0;
        for (qsizetype i = start; i < paragraph.size(); ++i) {
            const QChar c = paragraph.at(i);
            if (!c.isLetterOrNumber() || c.isSurrogate())
                return 0;
            const CharAdvances::Advance a = advances_.of(c);
            sum += a.width;
            if (fits == i - start && (fits == 0 || sum + a.overhang <= width))
                fits = i - start + 1;
            if (sum > width)
                return fits;
        }
        return 0;
    }

    // The start of the last word that begins after `start` and by `end`, so that a
    // window ending there holds the word after each of its lines but the last whole;
    // `end` when there is none.
    static qsizetype lastWordStart(const QString& paragraph, qsizetype start, qsizetype end)
    {
        for (qsizetype at = end; at > start; --at)
            if (paragraph.at(at - 1) == u' ' && paragraph.at(at) != u' ')
                return at;
        return end;
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
    bool addsNothing_ = false;  // no kerning, spacing or capitalisation
    CharAdvances advances_;
};

}  // namespace

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
    ParagraphBreaker breaker(font, widthPx);
    QStringList lines;
    for (const QString& paragraph : paragraphs)
        breaker.wrap(paragraph, lines);
    return lines;
}
