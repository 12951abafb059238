#pragma once
// Fixtures of the renderer's tests: a form made of named texts, a calibration set written
// into the user's calibration file of temporary folders, a recording preview.

#include "render/PageImage.h"
#include "render/PreviewView.h"
#include "render/RenderPages.h"
#include "render/RenderSource.h"
#include "store/ErrorStream.h"
#include "store/Records.h"
#include "tests/support/TestApplication.h"

#include <QImage>

#include <map>
#include <string>
#include <vector>

// Paints `page` onto a white picture of the page's size, one pixel per page unit.
QImage RasterPage(const PageImage& page, double scale = 1.0);
// The columns between which `picture` holds ink (non-white pixels) in rows top..bottom-1,
// or {-1, -1} for none.
std::pair<int, int> InkColumns(const QImage& picture, int top, int bottom);

// Components by name; look-up ignores A–Z case as the forms' does.
class FixtureForm : public RenderSource {
public:
    FixtureForm& text(const std::string& name, const QString& text);
    FixtureForm& memo(const std::string& name, const QStringList& lines);
    std::optional<Component> findComponent(const std::string& name) const override;

private:
    std::map<std::string, Component> components_;  // keyed by the upper-case name
};

// A record with the usual font (Times New Roman 12, left, plain).
CalibrationRecord Row(const std::string& name, int x1, int y1, int x2, int y2, int size = 12,
                      int align = 0);

// Creates (or replaces) the table `set` with `rows` in the calibration file at `path`.
void WriteCalibrationSet(const std::string& path, const std::string& set,
                         const std::vector<CalibrationRecord>& rows);

struct PreviewCall {
    std::string what;  // "tab", "scroll", "visible", "picture"
    int page;          // tab index for "tab"
    int value;         // scroll position, visibility
};

class RecordingPreview : public PreviewView {
public:
    void setActivePageTab(int index) override { calls.push_back({"tab", index, 0}); }
    void setPageScroll(int page, int y) override { calls.push_back({"scroll", page, y}); }
    void setPageTabVisible(int page, bool visible) override
    {
        calls.push_back({"visible", page, visible});
    }
    void setPreviewPicture(int page, const QImage& picture) override
    {
        calls.push_back({"picture", page, 0});
        pictures[page] = picture.copy();
    }
    std::vector<PreviewCall> calls;
    std::map<int, QImage> pictures;
};

// The main window's state that renders read and write, with a recording preview.
struct FixtureMainWindow {
    RenderContext context(const std::string* selectedRow = nullptr)
    {
        return RenderContext{pages, list, printMode, printJob, errors, &view, options, selectedRow};
    }

    PageImages pages;
    std::vector<CalibrationRecord> list;
    std::uint8_t printMode = 0;
    PrintJobFields printJob;
    ErrorStream errors;
    RecordingPreview view;
    DisplayOptions options;
};

// The items of a page image, by kind.
std::vector<TextRun> TextRuns(const PageImage& page);
std::vector<DotRow> DotRows(const PageImage& page);
std::vector<LineItem> Lines(const PageImage& page);
std::vector<RectItem> Rects(const PageImage& page);
std::vector<PictureItem> Pictures(const PageImage& page);
