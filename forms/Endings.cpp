#include "forms/Endings.h"

#include <algorithm>
#include <cmath>

namespace {

// Every text an ending field is given: the sex endings and the joined letters.
const QString kEndingTexts[] = {QStringLiteral("a"), QStringLiteral("y"), QStringLiteral("e"),
                                QStringLiteral("ę")};

bool IsPrintedLabel(const LayoutComponent& c)
{
    return c.kind == ComponentKind::Label && c.name.contains(QStringLiteral("_DATA_LABEL"));
}

bool IsEndingField(const LayoutComponent& c)
{
    return (c.kind == ComponentKind::Edit || c.kind == ComponentKind::Combo) && c.isStored() &&
           c.rect.width() <= kEndingMaxWidth;
}

bool SameLine(const LayoutComponent& a, const LayoutComponent& b)
{
    return a.page == b.page && a.rect.y1 == b.rect.y1 && a.rect.y2 == b.rect.y2;
}

// The printed label on the field's line whose distance `gap(label)` lies in [0, reach] and is
// the smallest; -1 for none.
template <typename Gap>
int NearestLabel(const QList<LayoutComponent>& components, const LayoutComponent& field, int reach,
                 Gap gap)
{
    int found = -1;
    for (int i = 0; i < components.size(); ++i) {
        const LayoutComponent& label = components[i];
        const int distance = gap(label);
        if (IsPrintedLabel(label) && SameLine(label, field) && distance >= 0 && distance <= reach &&
            (found < 0 || distance < gap(components[found])))
            found = i;
    }
    return found;
}

void Shift(LayoutComponent& c, int dx)
{
    c.rect.x1 += dx;
    c.rect.x2 += dx;
    if (c.dots) {
        c.dots->x1 += dx;
        c.dots->x2 += dx;
    }
}

}  // namespace

std::vector<EndingPair> FindEndings(const QList<LayoutComponent>& components)
{
    std::vector<EndingPair> pairs;
    for (int e = 0; e < components.size(); ++e) {
        const LayoutComponent& ending = components[e];
        if (!IsEndingField(ending))
            continue;
        const int word =
            NearestLabel(components, ending, kEndingReach,
                         [&](const LayoutComponent& l) { return ending.rect.x1 - l.rect.x2; });
        if (word < 0)
            continue;
        const int follower =
            NearestLabel(components, ending, kFollowerReach,
                         [&](const LayoutComponent& l) { return l.rect.x1 - ending.rect.x2; });
        pairs.push_back({word, e, follower});
    }
    std::ranges::sort(pairs, [&](const EndingPair& a, const EndingPair& b) {
        const PageRect& ra = components[a.ending].rect;
        const PageRect& rb = components[b.ending].rect;
        return std::tuple(components[a.ending].page, ra.y1, ra.x1) <
               std::tuple(components[b.ending].page, rb.y1, rb.x1);
    });
    return pairs;
}

double TextStart(TextAlign align, double left, double right, double advance)
{
    switch (align) {
    case TextAlign::Right:
        return right - advance;
    case TextAlign::Center:
        return (left + right - advance) / 2;
    default:
        return left;
    }
}

double TextEnd(TextAlign align, double left, double right, double advance)
{
    return TextStart(align, left, right, advance) + advance;
}

void PlaceEndings(QList<LayoutComponent>& components, const TextWidthIn& width, EndingBoxes boxes)
{
    // In order along each line: a follower may be the next ending's word.
    for (const EndingPair& pair : FindEndings(components)) {
        LayoutComponent& word = components[pair.word];
        LayoutComponent& ending = components[pair.ending];
        const double wordEnd =
            TextEnd(word.font.align, word.rect.x1, word.rect.x2, width(word, word.caption));
        Shift(ending, static_cast<int>(std::lround(wordEnd)) - ending.rect.x1);
        // A left-aligned word's box ends with its text, no longer reaching over the field.
        if (word.font.align == TextAlign::Left)
            word.rect.x2 = std::min(word.rect.x2, static_cast<int>(std::ceil(wordEnd)));
        if (pair.follower < 0)
            continue;
        double widest = 0;
        for (const QString& text : kEndingTexts)
            widest = std::max(widest, width(ending, text));
        LayoutComponent& follower = components[pair.follower];
        const double start = ending.rect.x1 + widest + width(follower, QStringLiteral(" "));
        const double now = TextStart(follower.font.align, follower.rect.x1, follower.rect.x2,
                                     width(follower, follower.caption));
        Shift(follower, static_cast<int>(std::lround(start - now)));
        if (boxes == EndingBoxes::EndBeforeFollower)
            ending.rect.x2 =
                std::min(ending.rect.x2, ending.rect.x1 + static_cast<int>(std::ceil(widest)));
    }
}
