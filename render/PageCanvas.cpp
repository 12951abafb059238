#include "render/PageCanvas.h"

#include <algorithm>
#include <limits>

namespace {

// The rectangle with corners (x1, y1) and (x2, y2). Stored numbers may be anything:
// coordinates far beyond any page are cut to a reach at which every side and corner of the
// rectangle still fits an int.
QRect Corners(int x1, int y1, int x2, int y2)
{
    static constexpr int kReach = std::numeric_limits<int>::max() / 4;
    const auto at = [](int v) { return std::clamp(v, -kReach, kReach); };
    return QRect(at(x1), at(y1), at(x2) - at(x1), at(y2) - at(y1));
}

}  // namespace

void PageCanvas::open(PageImage& target)
{
    target_ = &target;
    recording_.clear();
    face_ = kDefaultFontFace;
    size_ = kDefaultFontSize;
    style_ = {};
    updateFont();
    penColor_ = Qt::black;
    penWidth_ = 1;
}

void PageCanvas::close()
{
    if (!target_)
        return;
    target_->items_ = std::move(recording_);
    recording_.clear();
    target_ = nullptr;
}

void PageCanvas::setFontStyle(const FontStyle& style)
{
    style_ = style;
    updateFont();
}

void PageCanvas::setFontSize(int points)
{
    size_ = EffectiveFontSize(points);
    updateFont();
}

void PageCanvas::setFontFace(const QString& face)
{
    face_ = face;
    updateFont();
}

void PageCanvas::updateFont()
{
    font_ = MakePageFont(face_, size_, style_);
}

int PageCanvas::textHeight() const
{
    return TextHeight(font_);
}

int PageCanvas::textWidth(const QString& text) const
{
    return TextWidth(font_, text);
}

void PageCanvas::drawText(const QRect& box, const QString& text, HAlign align, bool clip)
{
    recording_.push_back(TextRun{box, text, font_, align, clip});
}

void PageCanvas::drawDots(QPoint first, int count, int step)
{
    if (count > 0)
        recording_.push_back(DotRow{first, count, step, font_});
}

void PageCanvas::line(QPoint from, QPoint to)
{
    recording_.push_back(LineItem{from, to, penColor_, penWidth_});
}

void PageCanvas::rectangle(int x1, int y1, int x2, int y2)
{
    recording_.push_back(RectItem{Corners(x1, y1, x2, y2), penColor_, penWidth_});
}

void PageCanvas::drawPicture(int x1, int y1, int x2, int y2, PictureData picture)
{
    recording_.push_back(PictureItem{Corners(x1, y1, x2, y2), std::move(picture)});
}

void CreatePageCanvases(PageImages& pages, PageCanvases& canvases)
{
    for (std::size_t n = 0; n < pages.size(); ++n)
        canvases[n].open(pages[n]);
}

void ClosePageCanvases(PageCanvases& canvases)
{
    for (PageCanvas& canvas : canvases)
        canvas.close();
}
