#pragma once
// The certificates file kept through the working copy: opening copies the chosen file
// over the working copy, saving copies the working copy back. Failures are shown to the
// user, written to the main window's error stream and logged.
#include <QString>

class TFGlowna;

// Replaces the working copy by a copy of the file at `path`.
bool bFunWczytajPlikSwiadectw(TFGlowna& window, const QString& path);
// Copies the working copy over the file named by the current path.
bool bFunZapiszIstniejacyPlikSwiadectw(TFGlowna& window);
// Asks for a file name, copies the working copy there and makes it the current path.
bool bFunZapiszNowyPlikSwiadectw(TFGlowna& window);
