#pragma once
// The recording surface a render opens on a page image. It keeps a current font and pen
// like a device context; closing it makes the page image hold exactly what was drawn
// since it was opened.

#include "render/Fonts.h"
#include "render/PageImage.h"

#include <array>

class PageCanvas {
public:
    PageCanvas() = default;
    PageCanvas(const PageCanvas&) = delete;
    PageCanvas& operator=(const PageCanvas&) = delete;

    // Starts a new, empty recording for `target` with the default font and a black pen of
    // width 1. The target keeps its previous content until close().
    void open(PageImage& target);
    // Hands the recording to the target; nothing happens when the canvas is not open.
    void close();
    bool isOpen() const { return target_ != nullptr; }

    void setFontStyle(const FontStyle& style);
    void setFontSize(int points);
    void setFontFace(const QString& face);
    const FontStyle& fontStyle() const { return style_; }
    int fontSize() const { return size_; }  // as the canvas reports it: EffectiveFontSize
    const QString& fontFace() const { return face_; }
    const QFont& font() const { return font_; }

    int textHeight() const;                    // Windows text height of the font
    int textWidth(const QString& text) const;  // in page units

    void drawText(const QRect& box, const QString& text, HAlign align, bool clip);
    // `count` dots in the current font, the first cell's top left at `first`, `step` apart.
    void drawDots(QPoint first, int count, int step);

    void setPenColor(const QColor& color) { penColor_ = color; }
    const QColor& penColor() const { return penColor_; }
    void setPenWidth(int width) { penWidth_ = width; }
    int penWidth() const { return penWidth_; }
    void line(QPoint from, QPoint to);
    // Outline of the rectangle with corners (x1, y1) and (x2, y2).
    void rectangle(int x1, int y1, int x2, int y2);
    // The picture stretched into the rectangle with corners (x1, y1) and (x2, y2).
    void drawPicture(int x1, int y1, int x2, int y2, PictureData picture);

private:
    void updateFont();

    PageImage* target_ = nullptr;
    std::vector<PageItem> recording_;
    QString face_ = kDefaultFontFace;
    int size_ = kDefaultFontSize;
    FontStyle style_;
    QFont font_ = MakePageFont(kDefaultFontFace, kDefaultFontSize, {});
    QColor penColor_ = Qt::black;
    int penWidth_ = 1;
};

using PageCanvases = std::array<PageCanvas, 4>;

// Opens canvas n on page image n for n = 1..4.
void CreatePageCanvases(PageImages& pages, PageCanvases& canvases);
// Closes every canvas that is open.
void ClosePageCanvases(PageCanvases& canvases);
