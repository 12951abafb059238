#pragma once
// A page image: the display list of one printed page, in page units (885 × 1314,
// origin top left, y downwards). It is recorded through a PageCanvas and replayed
// onto any QPainter (preview, printer, tests) under the painter's transform.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <array>
#include <memory>
#include <variant>
#include <vector>

class QPainter;
class QSvgRenderer;

enum class HAlign { Left, Center, Right };

struct TextRun {
    QRect box;     // the text's top is the box's top; aligned between its left and left + width
    QString text;  // drawn literally; line breaks go on downwards
    QFont font;
    HAlign align = HAlign::Left;
    bool clip = false;  // on: only the part inside the box shows
};

struct LineItem {
    QPoint from, to;
    QColor color;
    int width = 1;
};

struct RectItem {  // an outline only: page canvases draw with a clear brush
    QRect rect;    // from (x1, y1), x2 − x1 wide and y2 − y1 high
    QColor color;
    int width = 1;
};

// A row of equal "." texts: `count` cells `step` units apart, the first at `first` (its
// top left, as a text run's box). Drawn as one glyph run, so a long leader costs one item
// and one text layout.
struct DotRow {
    QPoint first;
    int count = 0;
    int step = 0;
    QFont font;
};

// A decoded picture shared by every page image that shows it.
using PictureData = std::variant<std::shared_ptr<const QImage>, std::shared_ptr<QSvgRenderer>>;

struct PictureItem {
    QRect rect;  // drawn stretched into it
    PictureData picture;
};

using PageItem = std::variant<TextRun, DotRow, LineItem, RectItem, PictureItem>;

class PageImage {
public:
    static constexpr int kWidth = 885;
    static constexpr int kHeight = 1314;

    const std::vector<PageItem>& items() const { return items_; }
    bool isEmpty() const { return items_.empty(); }

    // Draws the page with its top left at the painter's origin, in page units.
    void replay(QPainter& painter) const;
    // Draws the page stretched into `target` (painter units).
    void replayInto(QPainter& painter, const QRectF& target) const;

private:
    friend class PageCanvas;
    std::vector<PageItem> items_;
};

// The main window's four page images: page n of the current document is pages[n - 1].
using PageImages = std::array<PageImage, 4>;
