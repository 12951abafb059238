#include "tools/pictures/StampPlace.h"

#include <QFont>
#include <QPainter>
#include <QPen>

namespace pictures {

QImage DrawStampPlace()
{
    QImage image(kStampPlaceSize, kStampPlaceSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRectF circle(12.0, 12.0, kStampPlaceSize - 24.0, kStampPlaceSize - 24.0);
    QPen dashed(QColor(90, 90, 90), 3.0, Qt::CustomDashLine, Qt::FlatCap);
    dashed.setDashPattern({4.0, 3.0});
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(circle);

    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(kStampPlaceSize / 6);
    p.setFont(font);
    p.setPen(QColor(90, 90, 90));
    p.drawText(circle, Qt::AlignCenter, QStringLiteral("M.P."));
    p.end();
    return image;
}

}  // namespace pictures
