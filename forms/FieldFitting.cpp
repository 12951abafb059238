#include "forms/FieldFitting.h"

#include "platform/ComboBox.h"
#include "platform/Edit.h"
#include "platform/Fonts.h"
#include "platform/Memo.h"

#include <QFontMetrics>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <tuple>

namespace {

constexpr int kFieldFontPx = 11;
constexpr int kSmallestFontPx = 6;

// The largest pixel size from `largest` down for which `fits` holds; the smallest size
// when none does.
int largestFitting(int largest, const std::function<bool(int px)>& fits)
{
    for (int px = largest; px > kSmallestFontPx; --px)
        if (fits(px))
            return px;
    return kSmallestFontPx;
}

QSize boxSize(const LayoutComponent& c)
{
    return toPicture(c.rect).toRect().size();
}

int probedTextAreaHeight(const LayoutComponent& c, bool frame)
{
    if (c.kind == ComponentKind::Combo) {
        ComboBox probe(c.editable ? ComboBox::Style::Editable : ComboBox::Style::ListOnly);
        probe.setFrame(frame);
        probe.resize(boxSize(c));
        return probe.textAreaHeight();
    }
    Edit probe;
    probe.setFrame(frame);
    probe.resize(boxSize(c));
    return probe.textAreaHeight();
}

// A probe widget costs far more than the rest of a fit, and the forms repeat a few box
// sizes many times, so each kind of box is probed once per size.
int textAreaHeight(const LayoutComponent& c, bool frame)
{
    const bool combo = c.kind == ComponentKind::Combo;
    const QSize size = boxSize(c);
    const auto key =
        std::make_tuple(combo, combo && c.editable, frame, size.width(), size.height());
    static std::map<decltype(key), int> probed;
    const auto known = probed.find(key);
    if (known != probed.end())
        return known->second;
    const int height = probedTextAreaHeight(c, frame);
    probed.emplace(key, height);
    return height;
}

ScreenFit fitField(const LayoutComponent& c)
{
    const auto sizeFor = [&](bool frame) {
        const int area = textAreaHeight(c, frame);
        return largestFitting(
            kFieldFontPx, [&](int px) { return QFontMetrics(DialogFont(px)).height() <= area; });
    };
    ScreenFit fit;
    int px = sizeFor(true);
    // A frame only where it leaves the text its size and at least one character's width.
    const int framedWidth = boxSize(c).width() - 2 * 2 - 2 * 2;
    if (px < kFieldFontPx || framedWidth < QFontMetrics(DialogFont(px)).averageCharWidth()) {
        fit.frame = false;
        px = sizeFor(false);
    }
    fit.font = DialogFont(px);
    return fit;
}

QFont printedFont(const LayoutComponent& c, int px)
{
    QFont f(c.font.name);
    f.setPixelSize(px);
    f.setBold(c.font.bold);
    f.setItalic(c.font.italic);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// The printed font's pixel size in page units.
int printedUnits(const LayoutComponent& c)
{
    return PrintedFontUnits(c.font.size > 0 ? c.font.size : 10);
}

// The pitch of a memo's lines: the line's height and its leading, as a plain text edit
// stacks them.
qreal lineHeight(const QFont& font)
{
    QTextLayout layout(QStringLiteral("Ąg"), font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    return line.height() + std::max<qreal>(0, line.leading());
}

ScreenFit fitMemo(const LayoutComponent& c)
{
    const int printUnits = printedUnits(c);
    const int largest = std::max(kSmallestFontPx, int(std::lround(printUnits * kPictureScale)));
    const QSize box = boxSize(c);
    const int lines = std::max(1, c.lineLimit);
    Memo probe;
    const auto sizeFor = [&](bool frame) {
        probe.setFrameShape(frame ? QFrame::StyledPanel : QFrame::NoFrame);
        probe.ensurePolished();
        // The document's margin above and below, and the pixel Qt keeps free before it
        // counts the last line as seen without scrolling.
        const int chrome = 2 * probe.frameWidth() + 2 * int(probe.document()->documentMargin()) +
                           1 + (c.wrap ? 0 : Memo::barThickness());
        return largestFitting(largest, [&](int px) {
            return lines * std::ceil(lineHeight(printedFont(c, px))) + chrome <= box.height();
        });
    };
    ScreenFit fit;
    int px = sizeFor(true);
    if (px < largest) {
        fit.frame = false;
        px = sizeFor(false);
    }
    fit.font = printedFont(c, px);
    if (c.wrap) {
        // A line of w pixels at px prints w * printUnits / px page units wide.
        const int printed = int(c.rect.width() * px / printUnits);
        fit.wrapWidth = std::min(printed, probe.naturalWrapWidth(box.width()));
    }
    return fit;
}

// Page units are 210 mm / 885 wide; a point is 25.4 / 72 mm.
int labelPixels(int points)
{
    return std::max(1, int(points * (25.4 / 72.0) * (885.0 / 210.0) * kPictureScale + 0.5));
}

QFont labelFont(const LayoutComponent& c, int px)
{
    QFont f(c.font.name);
    f.setPixelSize(px);
    f.setBold(c.font.bold);
    f.setItalic(c.font.italic);
    f.setUnderline(c.font.underline);
    return f;
}

ScreenFit fitLabel(const LayoutComponent& c)
{
    const int width = boxSize(c).width();
    const int largest = c.screenHeight > 0 ? c.screenHeight : labelPixels(c.font.size);
    const int labelPx = largestFitting(largest, [&](int px) {
        const QFontMetrics metrics(labelFont(c, px));
        for (const QString& line : c.caption.split(QLatin1Char('\n')))
            if (metrics.horizontalAdvance(line) > width)
                return false;
        return true;
    });
    ScreenFit fit;
    fit.font = labelFont(c, labelPx);
    fit.frame = false;
    return fit;
}

// Width in pixels the field's text needs: its typing limit of average characters, or a
// combo box's longest item beside its arrow.
int neededWidth(const LayoutComponent& c, const ScreenFit& fit)
{
    const QFontMetrics metrics(fit.font);
    const int chrome = (fit.frame ? 2 * 2 : 0) + 2 * 2;
    if (c.kind == ComponentKind::Combo) {
        int longest = 0;
        for (const QString& item : c.items)
            longest = std::max(longest, metrics.horizontalAdvance(item));
        return longest + chrome + boxSize(c).height();
    }
    return c.maxLength * metrics.averageCharWidth() + chrome;
}

}  // namespace

QFont PrintedFont(const LayoutComponent& c)
{
    return printedFont(c, printedUnits(c));
}

int LetterBoxWidth(const QFont& font, bool frame)
{
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QChar letter : QStringLiteral("ayeęi"))
        widest = std::max(widest, metrics.horizontalAdvance(letter));
    // The letters, the text's margins, the frame and the caret.
    return kLetterBoxLetters * widest + 2 * 2 + (frame ? 2 * 2 : 0) + 1;
}

QString LetterBoxToolTip(const QString& word)
{
    return QStringLiteral("Końcówka słowa „%1”").arg(word.section(QLatin1Char(' '), -1));
}

ScreenFit FitOnScreen(const LayoutComponent& c)
{
    switch (c.kind) {
    case ComponentKind::Label:
        return fitLabel(c);
    case ComponentKind::Memo:
        return fitMemo(c);
    default:
        return fitField(c);
    }
}

QRect ScreenRect(const LayoutComponent& c, const QList<const LayoutComponent*>& page,
                 const ScreenFit& fit)
{
    QRect rect = toPicture(c.rect).toRect();
    if (c.kind != ComponentKind::Edit && c.kind != ComponentKind::Combo)
        return rect;
    const int needed = neededWidth(c, fit);
    if (needed <= rect.width())
        return rect;
    // Up to the page's right edge, or 2 px short of a neighbour. The blank is a few pixels
    // wider than the page (the picture's scale is the height's): that strip is margin
    // outside the printed frame, and no field reaches into it.
    int room = int(toPicture(PageRect{0, 0, kPageWidth, kPageHeight}).right());
    for (const LayoutComponent* other : page) {
        if (other == &c)
            continue;
        const QRect r = toPicture(other->rect).toRect();
        if (r.bottom() < rect.top() || r.top() > rect.bottom() || r.left() <= rect.left())
            continue;
        room = std::min(room, r.left() - 2);
    }
    rect.setWidth(std::max(rect.width(), std::min(needed, room - rect.left())));
    return rect;
}

void ApplyScreenFit(QWidget* widget, const ScreenFit& fit, const QRect& rect)
{
    // A widget showing the fit's font already keeps it as it is: setting it anew would make
    // a combo box build its drop-down list at once, the dearest part of a form's window.
    if (widget->font() != fit.font)
        widget->setFont(fit.font);
    if (auto* edit = qobject_cast<Edit*>(widget)) {
        edit->setFrame(fit.frame);
    } else if (auto* combo = qobject_cast<ComboBox*>(widget)) {
        combo->setFrame(fit.frame);
    } else if (auto* memo = qobject_cast<Memo*>(widget)) {
        memo->setFrameShape(fit.frame ? QFrame::StyledPanel : QFrame::NoFrame);
        memo->setWrapWidth(fit.wrapWidth);
    }
    widget->setGeometry(rect);
}
