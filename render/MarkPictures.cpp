#include "render/MarkPictures.h"

#include "platform/Pictures.h"

#include <QFile>
#include <QSvgRenderer>

std::optional<PictureData> LoadMarkPicture(MarkKind kind, const std::string& path)
{
    const QString file = QString::fromStdString(path);
    if (kind == MarkKind::Emblem) {
        auto svg = std::make_shared<QSvgRenderer>(file);
        if (!svg->isValid())
            return std::nullopt;
        return PictureData(std::move(svg));
    }
    QFile jpeg(file);
    if (!jpeg.open(QIODevice::ReadOnly))
        return std::nullopt;
    QImage image = DecodeJpeg(jpeg.readAll());
    if (image.isNull())
        return std::nullopt;
    return PictureData(std::make_shared<const QImage>(std::move(image)));
}
