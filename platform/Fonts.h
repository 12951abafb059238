#pragma once
// The layouts name Windows fonts. These substitutions map them onto the metric-compatible
// Liberation families (fontconfig alone would pick the wider DejaVu Sans for "MS Sans Serif").
// Needs no application object; calling it twice is harmless.
void InstallFontSubstitutions();
