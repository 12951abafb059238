#include "render/PagePreviews.h"

#include "render/PreviewView.h"

#include <QPainter>

#include <cstring>

namespace {

// The pixels the four preview pages are composed into, kept from render to render.
std::array<QImage, 4>& PreviewPictures()
{
    static std::array<QImage, 4> pictures;
    return pictures;
}

void CopyBackground(QImage& picture, const QImage& background)
{
    const QSize size = background.isNull() ? kPreviewPictureSize : background.size();
    if (picture.size() != size || picture.format() != QImage::Format_RGB32 || !picture.isDetached())
        picture = QImage(size, QImage::Format_RGB32);
    if (background.isNull()) {
        picture.fill(Qt::white);
        return;
    }
    if (background.format() != QImage::Format_RGB32) {
        QPainter copy(&picture);
        copy.setCompositionMode(QPainter::CompositionMode_Source);
        copy.drawImage(0, 0, background.convertToFormat(QImage::Format_RGB32));
        return;
    }
    const qsizetype row = qsizetype(size.width()) * 4;
    for (int y = 0; y < size.height(); ++y)
        std::memcpy(picture.scanLine(y), background.constScanLine(y), std::size_t(row));
}

}  // namespace

void ComposePreviewPictureInto(QImage& picture, const QImage& background, const PageImage& page)
{
    CopyBackground(picture, background);
    QPainter painter(&picture);
    page.replayInto(painter, QRectF(kPreviewPageRect));
}

QImage ComposePreviewPicture(const QImage& background, const PageImage& page)
{
    QImage picture;
    ComposePreviewPictureInto(picture, background, page);
    return picture;
}

void ShowPagePreviews(PageImages& pages, PageCanvases& canvases, PreviewView& view,
                      const std::array<std::optional<QImage>, 4>& backgrounds)
{
    ClosePageCanvases(canvases);
    std::array<QImage, 4>& pictures = PreviewPictures();
    for (std::size_t n = 0; n < pages.size(); ++n) {
        if (!backgrounds[n])
            continue;
        QImage& picture = pictures[n];
        ComposePreviewPictureInto(picture, *backgrounds[n], pages[n]);
        // A picture over the same pixels that does not own them: the view's share never
        // makes the next render copy them.
        const QImage shown(picture.constBits(), picture.width(), picture.height(),
                           picture.bytesPerLine(), picture.format());
        view.setPreviewPicture(static_cast<int>(n) + 1, shown);
    }
}
