#include "platform/CharAdvances.h"

#include <QString>

#include <algorithm>

namespace {

qint64 Units(qreal pixels)
{
    return qRound64(pixels * 64);
}

}  // namespace

CharAdvances::CharAdvances(const QFont& font)
    : metrics_(font)
{
}

CharAdvances::Advance CharAdvances::measure(char16_t code)
{
    if (const auto found = other_.constFind(code); found != other_.constEnd())
        return *found;
    const QChar c(code);
    const Advance a{Units(metrics_.horizontalAdvance(c)),
                    Units(std::max<qreal>(0, -metrics_.rightBearing(c)))};
    if (code < kTableEnd)
        table_[code] = a;
    else
        other_.insert(code, a);
    return a;
}

bool CharAdvances::measureApart(char16_t first, char16_t second)
{
    const QChar pair[] = {QChar(first), QChar(second)};
    const bool apart = Units(metrics_.horizontalAdvance(QString(pair, 2))) ==
                       of(pair[0]).width + of(pair[1]).width;
    pairs_[std::size_t(first) * kTableEnd + second] = apart ? 1 : -1;
    return apart;
}
