#include "render/PagePreviews.h"

#include "render/PreviewView.h"

#include <QPainter>

QImage ComposePreviewPicture(const QImage& background, const PageImage& page)
{
    QImage picture;
    if (background.isNull()) {
        picture = QImage(kPreviewPictureSize, QImage::Format_RGB32);
        picture.fill(Qt::white);
    } else {
        picture = background.convertToFormat(QImage::Format_RGB32);
    }
    QPainter painter(&picture);
    page.replayInto(painter, QRectF(kPreviewPageRect));
    return picture;
}

void ShowPagePreviews(PageImages& pages, PageCanvases& canvases, PreviewView& view,
                      const std::array<std::optional<QImage>, 4>& backgrounds)
{
    ClosePageCanvases(canvases);
    for (std::size_t n = 0; n < pages.size(); ++n) {
        if (backgrounds[n])
            view.setPreviewPicture(static_cast<int>(n) + 1, ComposePreviewPicture(*backgrounds[n], pages[n]));
    }
}
