#include "platform/InputFilter.h"

#include "store/Cp1250.h"

#include <algorithm>

bool IsCp1250Text(const QString& text)
{
    return IsCp1250Representable(text.toStdString());
}

std::optional<FilteredEdit> FilterUserEdit(const QString& before, const QString& after,
                                           int typingLimit)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix
           && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const QString inserted = after.mid(prefix, after.size() - prefix - suffix);
    const qsizetype removed = before.size() - prefix - suffix;

    if (inserted.isEmpty())
        return FilteredEdit{after, int(prefix)};
    if (!IsCp1250Text(inserted))
        return std::nullopt;

    // Every Windows-1250 character is one byte and one UTF-16 unit, so characters count bytes.
    const qsizetype limit = typingLimit > 0 ? std::min(typingLimit, kMaxValueBytes) : kMaxValueBytes;
    const qsizetype allowedLength = std::max(limit, before.size());
    if (after.size() <= allowedLength)
        return FilteredEdit{after, int(prefix + inserted.size())};

    const qsizetype keep = std::max<qsizetype>(0, inserted.size() - (after.size() - allowedLength));
    if (keep == 0 && removed == 0)
        return std::nullopt;
    return FilteredEdit{after.left(prefix) + inserted.left(keep) + after.right(suffix),
                        int(prefix + keep)};
}
