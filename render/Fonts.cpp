#include "render/Fonts.h"

#include "platform/Fonts.h"

#include <QFontMetricsF>

#include <cmath>

int EffectiveFontSize(int points)
{
    return points > 0 ? points : kDefaultFontSize;
}

int PointsToPageUnits(int points)
{
    return PrintedFontUnits(EffectiveFontSize(points));
}

QFont MakePageFont(const QString& face, int points, const FontStyle& style)
{
    // The calibration sets name Windows faces; they must measure as the Liberation fonts
    // whoever made the application object.
    static const bool substituted = (InstallFontSubstitutions(), true);
    (void)substituted;
    QFont font(face);
    // Measured and drawn at every scale the same way: no grid fitting to device pixels.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPixelSize(PointsToPageUnits(points));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    font.setStrikeOut(style.strike);
    font.setKerning(false);
    return font;
}

int TextAscent(const QFont& font)
{
    return static_cast<int>(std::ceil(QFontMetricsF(font).ascent()));
}

int TextHeight(const QFont& font)
{
    return TextAscent(font) + static_cast<int>(std::ceil(QFontMetricsF(font).descent()));
}

int TextWidth(const QFont& font, const QString& text)
{
    return static_cast<int>(std::lround(QFontMetricsF(font).horizontalAdvance(text)));
}
