#include "platform/Fonts.h"

#include <QFont>

#include <cmath>

void InstallFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
}

int PrintedFontUnits(int points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}
