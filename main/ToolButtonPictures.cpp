#include "main/ToolButtonPictures.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

QIcon ToolButtonPicture(const char* name)
{
    QSvgRenderer svg(QStringLiteral(":/toolbar/%1.svg").arg(QLatin1StringView(name)));
    if (!svg.isValid())
        return QIcon();
    QIcon icon;
    // Twice the size too, for screens that scale.
    for (const int scale : {1, 2}) {
        QPixmap picture(kToolButtonPictureSize * scale);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        picture.setDevicePixelRatio(scale);
        icon.addPixmap(picture);
    }
    return icon;
}
