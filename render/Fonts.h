#pragma once
// Fonts of the printed pages. Page units are pixels of a 96-per-inch reference device,
// so a size in points becomes size × 96 / 72 units (12 pt → 16).

#include <QFont>
#include <QString>

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
};

// The size the page canvases give a font of `points` points; sizes of 0 or less,
// which a hand-edited calibration row may hold, fall back to the canvas default.
int EffectiveFontSize(int points);

// Points → page units, rounded to the nearest unit as the reference device does.
int PointsToPageUnits(int points);

// A font in page units: face, size in points (after EffectiveFontSize) and style.
QFont MakePageFont(const QString& face, int points, const FontStyle& style);

// The ascent of a text cell in page units: the font's ascent rounded up to a whole unit
// (12 pt Times New Roman → 15). A text's baseline lies this far below its box's top.
int TextAscent(const QFont& font);

// The height of a line of text in page units as the box formula needs it:
// TextAscent + ceil(descent) (12 pt Times New Roman → 19).
int TextHeight(const QFont& font);

// The advance width of `text` in page units, rounded to the nearest unit.
int TextWidth(const QFont& font, const QString& text);

// The face and size of a freshly opened page canvas.
inline constexpr const char* kDefaultFontFace = "MS Sans Serif";
inline constexpr int kDefaultFontSize = 8;
