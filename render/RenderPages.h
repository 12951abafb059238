#pragma once
// Composing the pages of one document from its calibration set onto the four page images,
// then showing them in the preview (mode 0) or leaving them to the print window (mode 1).

#include "render/DrawContext.h"
#include "render/PageImage.h"
#include "render/RenderSource.h"
#include "store/Records.h"

#include <cstdint>
#include <vector>

class ErrorStream;
class PreviewView;

enum RenderMode : std::uint8_t { RenderPreview = 0, RenderPrint = 1 };

// The print window's fields a render sets: PageCount, DefaultA4, DefaultPortrait.
struct PrintJobFields {
    int pageCount = 0;
    bool defaultA4 = false;
    bool defaultPortrait = false;
};

// The main window's state a render reads and writes.
struct RenderContext {
    PageImages& pages;
    std::vector<CalibrationRecord>& calibrationList;  // CalibrationList
    std::uint8_t& printMode;                          // PrintMode
    PrintJobFields& printJob;
    ErrorStream& errors;          // ErrorStream
    PreviewView* view = nullptr;  // the preview tabs (needed in mode 0)
    DisplayOptions options;
    const std::string* selectedRow = nullptr;  // the calibration highlight, if on
};

// Returns true when the pages were composed (the set loaded); false after a reported
// failure, leaving PrintMode and the print window's fields as they were.
bool RenderPages(RenderContext& context, const RenderSource& form, RenderMode mode, int type,
                 int pageCount, bool defaultA4, bool defaultPortrait);
