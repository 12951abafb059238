#include "platform/InputFilter.h"

#include "platform/DialogService.h"
#include "store/Cp1250.h"

#include <QRegularExpression>

#include <algorithm>

bool IsCp1250Text(const QString& text)
{
    return IsCp1250Representable(text.toStdString());
}

Cp1250Split SplitCp1250(const QString& text)
{
    Cp1250Split split;
    for (qsizetype i = 0; i < text.size();) {
        // A character beyond the first 65,536 takes two UTF-16 units and stays whole.
        const qsizetype units =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                             : 1;
        const QString character = text.mid(i, units);
        if (IsCp1250Text(character))
            split.kept += character;
        else if (!split.refused.contains(character))
            split.refused += character;
        i += units;
    }
    return split;
}

QString JoinLines(const QString& text)
{
    static const QRegularExpression anyBreak(QStringLiteral("\r\n|\r|\n|\u2028|\u2029"));
    return QString(text).replace(anyBreak, QStringLiteral(" "));
}

QString RefusedCharactersMessage(const QString& refused)
{
    return QStringLiteral("Pominięto znaki, których nie można zapisać: ") + refused;
}

void TellRefusedCharacters(const QString& refused)
{
    if (refused.isEmpty())
        return;
    DialogService::instance().message(RefusedCharactersMessage(refused),
                                      QStringLiteral("Pominięte znaki"), MsgIcon::Warning,
                                      MsgButtons::Ok);
}

FilteredEdit FilterUserEdit(const QString& before, const QString& after, int typingLimit)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const QString typed = after.mid(prefix, after.size() - prefix - suffix);
    const qsizetype removed = before.size() - prefix - suffix;

    if (typed.isEmpty())
        return FilteredEdit{after, int(prefix), {}};
    const Cp1250Split split = SplitCp1250(JoinLines(typed));
    const QString& inserted = split.kept;
    if (inserted.isEmpty())
        return FilteredEdit{std::nullopt, int(prefix), split.refused};

    // Every Windows-1250 character is one byte and one UTF-16 unit, so characters count bytes.
    const qsizetype limit =
        typingLimit > 0 ? std::min(typingLimit, kMaxValueBytes) : kMaxValueBytes;
    const qsizetype allowedLength = std::max(limit, before.size());
    const qsizetype length = prefix + inserted.size() + suffix;
    const qsizetype keep =
        std::max<qsizetype>(0, inserted.size() - std::max<qsizetype>(0, length - allowedLength));
    if (keep == 0 && removed == 0)
        return FilteredEdit{std::nullopt, int(prefix), split.refused};
    return FilteredEdit{after.left(prefix) + inserted.left(keep) + after.right(suffix),
                        int(prefix + keep), split.refused};
}
