#include "main/ToolButtonPictures.h"

#include <QImage>
#include <QPixmap>
#include <QResource>

#include <cstring>

namespace {

// A null pixmap when the resource is missing or not of the size's pixels.
QPixmap Pixels(const QString& resource, int scale)
{
    const QResource pixels(resource);
    QImage picture(kToolButtonPictureSize * scale, QImage::Format_ARGB32_Premultiplied);
    if (!pixels.isValid() || pixels.compressionAlgorithm() != QResource::NoCompression ||
        pixels.size() != picture.sizeInBytes())
        return QPixmap();
    std::memcpy(picture.bits(), pixels.data(), size_t(picture.sizeInBytes()));
    QPixmap pixmap = QPixmap::fromImage(std::move(picture));
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

}  // namespace

QIcon ToolButtonPicture(const char* name)
{
    const QString base = QStringLiteral(":/toolbar/%1").arg(QLatin1StringView(name));
    const QPixmap small = Pixels(base + QStringLiteral(".argb32"), 1);
    const QPixmap large = Pixels(base + QStringLiteral("@2x.argb32"), 2);
    if (small.isNull() || large.isNull())
        return QIcon();
    QIcon picture(small);
    picture.addPixmap(large);
    return picture;
}
