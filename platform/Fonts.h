#pragma once
#include <QFont>
#include <QStringList>

// The layouts name Windows fonts. These substitutions map them onto the metric-compatible
// Liberation families (fontconfig alone would pick the wider DejaVu Sans for "MS Sans Serif").
// Needs no application object; calling it twice is harmless.
void InstallFontSubstitutions();

// The classic Windows dialog face the windows and forms are laid out for, at `pixels`
// pixels (11 is the dialogs' size).
QFont DialogFont(int pixels = 11);

// The families those substitutions lead to: every window and every printed page needs them.
QStringList PageFontFamilies();
// Of `families`, those the system's font configuration does not have (needs the application
// object).
QStringList MissingFontFamilies(const QStringList& families);

// A printed font's size in page units: pixels of a 96-per-inch reference device, rounded
// to whole units (12 pt → 16). The renderer prints in these; the forms scale them to the
// screen so that a memo shows the very lines that print.
int PrintedFontUnits(int points);
