#pragma once
// What the drawing operations read of the main window besides the page canvas.

#include <string>

class ErrorStream;
class PreviewView;

// The main window's three display options.
struct DisplayOptions {
    bool printNoDots = false;  // "Wyłącz kropki": the sets without dot leaders
    bool strikeEmpty = false;  // "Wykreskuj puste pola": empty fields get a line
    bool clipText = false;     // "Ogranicz pola tekstowe": texts are cut at their box
};

struct DrawContext {
    DisplayOptions options;
    bool printing = false;  // PrintMode: 1 draws the emblem and stamp
    // While the calibration window is shown (FormattingActive): the name of its selected
    // row, which the operations outline in red. nullptr otherwise.
    const std::string* selectedRow = nullptr;
    PreviewView* view = nullptr;    // tabs and scroll positions of the highlight
    ErrorStream* errors = nullptr;  // receives the text of a failed picture
};
