#include "forms/dialogs/StudentChecks.h"

#include <QChar>

QString CapitaliseFirstLetter(const QString& text)
{
    if (text.isEmpty())
        return text;
    const char32_t first = text.at(0).isHighSurrogate() && text.size() > 1
                               ? QChar::surrogateToUcs4(text.at(0), text.at(1))
                               : char32_t(text.at(0).unicode());
    const qsizetype width = QChar::requiresSurrogates(first) ? 2 : 1;
    const char32_t upper = QChar::toUpper(first);
    return QString::fromUcs4(&upper, 1) + text.mid(width);
}

qsizetype FirstInvalidPeselChar(const QString& pesel)
{
    for (qsizetype i = 0; i < pesel.size(); ++i) {
        const char16_t c = pesel.at(i).unicode();
        const bool allowed =
            (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
        if (!allowed)
            return i;
    }
    return -1;
}

QStringList BirthYearItems(int currentYear)
{
    QStringList years;
    for (int year = currentYear - 25; year <= currentYear - 5; ++year)
        years << QStringLiteral("%1 r.").arg(year);
    return years;
}
