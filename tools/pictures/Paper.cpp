#include "tools/pictures/Paper.h"

#include <QPainter>

#include "tools/pictures/PageGeometry.h"
#include "tools/pictures/PaperArt.h"

namespace pictures {
namespace {

const QColor kDesk(196, 198, 202);

// Draws the paper in page units; `area` is the part of the target the paper covers,
// in page units too.
void DrawPaper(QPainter& p, Paper paper, const std::vector<QRectF>& frames, const QRectF& area)
{
    p.save();
    p.setClipRect(area);
    if (paper == Paper::Sheet) {
        p.fillRect(area, Qt::white);
        DrawSheetGrid(p, frames);
    } else {
        DrawSecurityBackground(p, area);
        DrawCertificateBorder(p);
        if (paper == Paper::CertificateFrontDistinction)
            DrawDistinctionBand(p);
    }
    p.restore();
}

}  // namespace

QImage DrawBlank(Paper paper, const std::vector<QRectF>& frames)
{
    QImage image(kBlankSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const QTransform toBlank = PageToBlank();
    p.setTransform(toBlank);
    DrawPaper(p, paper, frames, toBlank.inverted().mapRect(QRectF(QPointF(0, 0), kBlankSize)));
    p.end();
    return image;
}

QImage DrawPreviewBackground(Paper paper)
{
    QImage image(kPreviewPictureSize, QImage::Format_RGB32);
    image.fill(kDesk);
    QPainter p(&image);
    p.setTransform(PageToRect(kPreviewPageRect));
    DrawPaper(p, paper, {}, kPageRect);
    p.end();
    return image;
}

}  // namespace pictures
