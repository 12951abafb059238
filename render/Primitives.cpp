#include "render/Primitives.h"

#include "render/MarkPictures.h"
#include "render/PreviewView.h"
#include "platform/DialogService.h"
#include "store/ErrorStream.h"
#include "store/Folders.h"
#include "store/Log.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPageCount = 4;
constexpr int kTallBox = 100;  // taller boxes are marked by their bottom strip only
constexpr int kTallBoxStrip = 20;
constexpr int kLeaderFontSize = 14;
constexpr int kLeaderStep = 6;
constexpr int kLeaderStrip = 5;
constexpr int kLeaderReach = PageImage::kWidth;  // how far off the page dots are still drawn
constexpr int kStrikeWithLeaders = 10;
constexpr int kStrikeWithoutLeaders = 15;
constexpr int kJustifyMinBlanks = 5;
// Stored calibration numbers are whatever the file holds. Coordinates are kept within a
// reach far beyond the page and font sizes within what a page can show, so that no sum or
// difference below overflows.
constexpr int kCoordinateReach = 1'000'000;
constexpr int kLargestFontSize = 1000;

int Reach(int coordinate)
{
    return std::clamp(coordinate, -kCoordinateReach, kCoordinateReach);
}

CalibrationRecord Bounded(const CalibrationRecord& stored)
{
    CalibrationRecord record = stored;
    record.x1 = Reach(stored.x1);
    record.x2 = Reach(stored.x2);
    record.y1 = Reach(stored.y1);
    record.y2 = Reach(stored.y2);
    record.font_size = std::min(stored.font_size, kLargestFontSize);
    return record;
}

void OutlineInRed(PageCanvas& canvas, int x1, int y1, int x2, int y2)
{
    canvas.setPenColor(Qt::red);
    canvas.rectangle(x1, y1, x2, y2);
    canvas.setPenColor(Qt::black);
}

void ScrollAllPages(const DrawContext& context, int y)
{
    if (!context.view)
        return;
    for (int page = 1; page <= kPageCount; ++page)
        context.view->setPageScroll(page, y);
}

void ActivateTab(const DrawContext& context, int index)
{
    if (context.view)
        context.view->setActivePageTab(index);
}

// The scroll position that brings a point at `y` into view: two thirds of it.
int TwoThirds(int y)
{
    return static_cast<int>(std::trunc(y * 2.0 / 3.0));
}

bool SelectedExactly(const DrawContext& context, const std::string& name)
{
    return context.selectedRow && *context.selectedRow == name;
}

HAlign AlignmentOf(int fontAlign)
{
    switch (fontAlign) {
    case 0:
        return HAlign::Left;
    case 2:
        return HAlign::Right;
    default:
        return HAlign::Center;
    }
}

// A text row is marked when the selected name contains its name, so one selected memo line
// marks every line of that memo.
void HighlightFieldText(const DrawContext& context, PageCanvas& canvas,
                        const CalibrationRecord& record, int top, int page, const std::string& name)
{
    if (!context.selectedRow || context.selectedRow->find(name) == std::string::npos)
        return;
    ActivateTab(context, page - 1);
    if (record.y2 - top <= kTallBox) {
        OutlineInRed(canvas, record.x1, top, record.x2, record.y2);
        ScrollAllPages(context, TwoThirds(record.y2));
    } else {
        OutlineInRed(canvas, record.x1, record.y2 - kTallBoxStrip, record.x2, record.y2);
        ScrollAllPages(context, record.y2 / 2);
    }
}

void ReportMarkFailure(const DrawContext& context, const std::string& message)
{
    ErrorStream local;
    ErrorStream& errors = context.errors ? *context.errors : local;
    errors.clear();
    errors << message;
    LogWrite(errors, "vFunGraphicDrawMark()", 0);
    DialogService::instance().message(QString::fromStdString(errors.str()), QStringLiteral("Bład"),
                                      MsgIcon::Error, MsgButtons::Ok);
}

}  // namespace

void SetFieldFontStyle(PageCanvas& canvas, const CalibrationRecord& record)
{
    canvas.setFontStyle(FontStyle{
        .bold = record.font_style_bold != 0,
        .italic = record.font_style_italic != 0,
        .underline = record.font_style_underline != 0,
        .strike = record.font_style_strike != 0,
    });
}

void DrawFieldText(const DrawContext& context, const QString& text, const CalibrationRecord& stored,
                   PageCanvas& canvas, int page, const std::string& name)
{
    const CalibrationRecord record = Bounded(stored);
    int top = record.y1;
    if (!text.isEmpty()) {
        SetFieldFontStyle(canvas, record);
        canvas.setFontSize(record.font_size);
        canvas.setFontFace(QString::fromStdString(record.font_name));
        top = record.y2 - canvas.textHeight() - canvas.fontSize() / 4;
        if (record.font_align == 3) {
            DrawJustifiedText(canvas, record.x1, top, record.x2, record.y2, text);
        } else {
            canvas.drawText(QRect(record.x1, top, record.x2 - record.x1, record.y2 - top), text,
                            AlignmentOf(record.font_align), context.options.clipText);
        }
    } else if (context.options.strikeEmpty) {
        const int y =
            record.y2 - (context.options.printNoDots ? kStrikeWithoutLeaders : kStrikeWithLeaders);
        canvas.line(QPoint(record.x1, y), QPoint(record.x2, y));
    }
    HighlightFieldText(context, canvas, record, top, page, name);
}

void DrawJustifiedText(PageCanvas& canvas, int left, int top, int right, int bottom,
                       const QString& text)
{
    const int height = bottom - top;
    const auto draw = [&](int x, int width, const QString& piece) {
        canvas.drawText(QRect(x, top, width, height), piece, HAlign::Left, false);
    };
    const qsizetype blanks = text.count(u' ');
    if (blanks < kJustifyMinBlanks) {
        draw(left, right - left, text);
        return;
    }
    const QStringList pieces = text.split(u' ');
    QString withoutBlanks = text;
    withoutBlanks.remove(u' ');
    const int gap = (right - left - canvas.textWidth(withoutBlanks)) / static_cast<int>(blanks);
    int x = left;
    for (qsizetype i = 0; i + 1 < pieces.size(); ++i) {
        const int width = canvas.textWidth(pieces[i]);
        draw(x, width, pieces[i]);
        x += width;
        draw(x, gap, QStringLiteral(" "));
        x += gap;
    }
    const int lastWidth = canvas.textWidth(pieces.back());
    draw(right - lastWidth, lastWidth, pieces.back());
}

void DrawDotLeader(const DrawContext& context, const CalibrationRecord& stored, PageCanvas& canvas,
                   int page, const std::string& name)
{
    const CalibrationRecord record = Bounded(stored);
    if (SelectedExactly(context, name)) {
        OutlineInRed(canvas, record.x1, record.y2, record.x2, record.y2 + kLeaderStrip);
        ActivateTab(context, page - 1);
        ScrollAllPages(context, TwoThirds(record.y2));
    }
    canvas.setFontStyle({});
    const int previousSize = canvas.fontSize();
    canvas.setFontSize(kLeaderFontSize);
    // Dots more than a page width off the page are never seen; without this bound a
    // hand-edited rectangle millions of units wide records millions of dots.
    // The dots keep the grid of the stored x1, whatever its size.
    long long x = stored.x1;
    if (x < -kLeaderReach)
        x += (-kLeaderReach - x) / kLeaderStep * kLeaderStep;
    const long long end = std::min<long long>(stored.x2, PageImage::kWidth + kLeaderReach);
    if (x < end) {
        const long long count = (end - x + kLeaderStep - 1) / kLeaderStep;
        canvas.drawDots(QPoint(static_cast<int>(x), record.y2 - kLeaderFontSize),
                        static_cast<int>(count), kLeaderStep);
    }
    canvas.setFontSize(previousSize);
}

std::string MarkPicturePath(ErrorStream& errors, MarkKind kind)
{
    return MarkPictureFile(strFunGetMainDirPath(errors), kind);
}

void vFunGraphicDrawMark(const DrawContext& context, MarkKind kind, const CalibrationRecord& stored,
                         PageCanvas& canvas, const std::string& name)
{
    const CalibrationRecord record = Bounded(stored);
    if (SelectedExactly(context, name)) {
        OutlineInRed(canvas, record.x1, record.y1, record.x2, record.y2);
        ActivateTab(context, 0);
        if (context.view)
            context.view->setPageScroll(1, record.y2 / 2);
    }
    if (!context.printing)
        return;
    ErrorStream pathErrors;
    const std::string path = MarkPicturePath(pathErrors, kind);
    if (!FileExists(path)) {
        ReportMarkFailure(context, "Plik nie istnieje.\n\n" + path);
        return;
    }
    std::optional<PictureData> picture = LoadMarkPicture(kind, path);
    if (!picture) {
        ReportMarkFailure(context, "Nie można odczytać pliku graficznego.\n\n" + path);
        return;
    }
    canvas.drawPicture(record.x1, record.y1, record.x2, record.y2, std::move(*picture));
}

void DrawFrameMark(const DrawContext& context, PageCanvas& canvas, const CalibrationRecord& stored)
{
    const CalibrationRecord record = Bounded(stored);
    const int previousWidth = canvas.penWidth();
    canvas.setPenWidth(1);
    if (SelectedExactly(context, record.name))
        OutlineInRed(canvas, record.x1, record.y1, record.x2, record.y2);
    else
        canvas.rectangle(record.x1, record.y1, record.x2, record.y2);
    canvas.setPenWidth(previousWidth);
}
