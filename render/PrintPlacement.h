#pragma once
// Where a page image lands on the printed sheet: whole millimetres to device pixels, the
// page's rectangle in the job's painter coordinates, and the half-turn of the second side.

#include "store/Records.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPoint>
#include <QRect>
#include <QTransform>

#include <array>
#include <vector>

class PageImage;
class QPainter;

// The job's own device metrics: resolution and the printable area's offset from the
// paper's top left corner, in device pixels.
struct PrintMetrics {
    int dpiX = 0;
    int dpiY = 0;
    int offX = 0;
    int offY = 0;
};

// The unprintable margins of the sheet as a page of `orientation` lies on it, from the
// margins a queue declares for the portrait sheet. CUPS prints a landscape page turned a
// quarter anticlockwise onto the portrait sheet, the page's top along the sheet's left
// edge: the landscape page's left margin is the sheet's bottom one, its top the sheet's
// left one, its right the sheet's top one and its bottom the sheet's right one.
QMarginsF MarginsAsPrinted(const QMarginsF& portrait, QPageLayout::Orientation orientation);

// v mm at dpi dots per inch, truncated toward zero: MmToPx(10, 600) = 236.
int MmToPx(int mm, int dpi);

// The rectangle of a page in the coordinates of the printable area. Left and top are
// measured from the paper's edges; right and bottom come out offX / offY further out,
// which users' margin sets are tuned to: width = px(right) − px(left) + offX.
QRect PlacePage(const MarginRect& mm, const PrintMetrics& metrics);

// The pages (1 to 4) among `pages` whose right edge is not right of the left edge or whose
// bottom is not below the top.
std::vector<int> MisplacedPages(const std::array<MarginRect, 4>& rects,
                                const std::vector<int>& pages);

// The half-turn of a page image for the second side, in page units: (x, y) lands on
// (879 − x, 1299 − y) for the 885 × 1314 page images.
QTransform HalfTurn();

// Draws the page image stretched into `target` (painter coordinates), half-turned first
// when `halfTurn` is set. The page image itself is not changed.
void DrawPageImage(QPainter& painter, const QRect& target, const PageImage& image, bool halfTurn);
