#include "platform/Fonts.h"

#include <QFont>
#include <QFontDatabase>

#include <cmath>

namespace {

const QString kSans = QStringLiteral("Liberation Sans");
const QString kSerif = QStringLiteral("Liberation Serif");

}  // namespace

void InstallFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), kSans);
    QFont::insertSubstitution(QStringLiteral("Arial"), kSans);
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), kSerif);
}

QFont DialogFont(int pixels)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixels);
    return font;
}

QStringList PageFontFamilies()
{
    return {kSerif, kSans};
}

QStringList MissingFontFamilies(const QStringList& families)
{
    // The list of installed families, not hasFamily: that resolves the name through
    // fontconfig by loading the font, and a family only substituted is no match here.
    // A family that two foundries make is listed as "Family [Foundry]".
    QStringList installed;
    for (const QString& name : QFontDatabase::families())
        installed << name.section(QStringLiteral(" ["), 0, 0);
    QStringList missing;
    for (const QString& family : families)
        if (!installed.contains(family, Qt::CaseInsensitive))
            missing << family;
    return missing;
}

int PrintedFontUnits(int points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}
