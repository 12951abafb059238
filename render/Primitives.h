#pragma once
// The drawing operations that put one calibration row onto a page canvas, with the
// calibration highlight of the row the calibration window has selected.

#include "render/DrawContext.h"
#include "render/PageCanvas.h"
#include "store/Records.h"

#include <QString>

// Face, size and style of a text row; the box top is y2 − text height − trunc(size / 4).
void SetFieldFontStyle(PageCanvas& canvas, const CalibrationRecord& record);

// A text row: the text in the record's rectangle by its font and alignment; an empty text
// draws a strike-out line when "Wykreskuj puste pola" is on. `name` is what the highlight
// looks for in the selected row's name (the memo's name for a memo line).
void DrawFieldText(const DrawContext& context, const QString& text, const CalibrationRecord& record,
                   PageCanvas& canvas, int page, const std::string& name);

// Alignment 3: with five blanks or more, the words spread so that the last one ends at
// `right`; with fewer, the text is drawn left-aligned.
void DrawJustifiedText(PageCanvas& canvas, int left, int top, int right, int bottom,
                       const QString& text);

// A row of "." every 6 units from x1 while x < x2, at 14 pt in the canvas's current face.
void DrawDotLeader(const DrawContext& context, const CalibrationRecord& record, PageCanvas& canvas,
                   int page, const std::string& name);

enum class MarkKind { Emblem = 0, Stamp = 1 };

// The emblem or the stamp place of a certificate, stretched into the rectangle; drawn only
// when printing. A file that is missing or does not decode is reported and skipped.
void vFunGraphicDrawMark(const DrawContext& context, MarkKind kind, const CalibrationRecord& record,
                         PageCanvas& canvas, const std::string& name);

// A frame of a grade-sheet page (outline, pen width 1).
void DrawFrameMark(const DrawContext& context, PageCanvas& canvas, const CalibrationRecord& record);

// The file a mark is read from in the data folder (MarkPictureFile).
std::string MarkPicturePath(ErrorStream& errors, MarkKind kind);
