#include "render/PrintPlacement.h"

#include "render/PageImage.h"

#include <QPainter>

#include <algorithm>

QMarginsF MarginsAsPrinted(const QMarginsF& portrait, QPageLayout::Orientation orientation)
{
    if (orientation == QPageLayout::Portrait)
        return portrait;
    return QMarginsF(portrait.bottom(), portrait.left(), portrait.top(), portrait.right());
}

int MmToPx(int mm, int dpi)
{
    // A stored margin may hold any number; a sheet is never wider than this many device
    // pixels, and sums of two of them still fit an int.
    constexpr double kFarthest = 100'000'000;
    return static_cast<int>(std::clamp(mm * 10.0 * (1.0 / 254.0) * dpi, -kFarthest, kFarthest));
}

QRect PlacePage(const MarginRect& mm, const PrintMetrics& metrics)
{
    const int x = MmToPx(mm.X1, metrics.dpiX) - metrics.offX;
    const int y = MmToPx(mm.Y1, metrics.dpiY) - metrics.offY;
    const int width = MmToPx(mm.X2, metrics.dpiX) - x;
    const int height = MmToPx(mm.Y2, metrics.dpiY) - y;
    return QRect(x, y, width, height);
}

std::vector<int> MisplacedPages(const std::array<MarginRect, 4>& rects,
                                const std::vector<int>& pages)
{
    std::vector<int> misplaced;
    for (int page : pages) {
        const MarginRect& r = rects[page - 1];
        if (r.X2 <= r.X1 || r.Y2 <= r.Y1)
            misplaced.push_back(page);
    }
    return misplaced;
}

QTransform HalfTurn()
{
    // A turn through 180° about (trunc(W/2), trunc(H/2)) drawn at (220, −200): the page
    // centre moves 6 units left and 15 up.
    const int w = PageImage::kWidth / 2;
    const int h = PageImage::kHeight / 2;
    return QTransform(-1, 0, 0, -1, w + h - 220, w + h + 200);
}

void DrawPageImage(QPainter& painter, const QRect& target, const PageImage& image, bool halfTurn)
{
    painter.save();
    const QTransform stretch(double(target.width()) / PageImage::kWidth, 0, 0,
                             double(target.height()) / PageImage::kHeight, target.x(), target.y());
    painter.setTransform(halfTurn ? HalfTurn() * stretch : stretch, true);
    image.replay(painter);
    painter.restore();
}
