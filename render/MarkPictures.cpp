#include "render/MarkPictures.h"

#include "platform/Pictures.h"
#include "store/Folders.h"

#include <QFile>
#include <QSvgRenderer>

namespace {

bool IsRasterPicture(const QByteArray& data)
{
    return data.startsWith("\x89PNG\r\n\x1a\n") || data.startsWith("\xff\xd8\xff");
}

std::optional<PictureData> Raster(QImage image)
{
    if (image.isNull())
        return std::nullopt;
    return PictureData(std::make_shared<const QImage>(std::move(image)));
}

}  // namespace

std::string MarkPictureFile(const std::string& dataFolder, MarkKind kind)
{
    if (kind == MarkKind::Stamp)
        return dataFolder + "/grafika/m_p.jpg";
    const std::string schoolPicture = dataFolder + "/grafika/orzel.png";
    return FileExists(schoolPicture) ? schoolPicture : dataFolder + "/grafika/orzel.svg";
}

std::optional<PictureData> LoadMarkPicture(MarkKind kind, const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray data = file.readAll();
    if (kind == MarkKind::Stamp)
        return Raster(DecodeJpeg(data));
    if (IsRasterPicture(data))
        return Raster(LoadPicture(file.fileName()));
    auto svg = std::make_shared<QSvgRenderer>(data);
    if (!svg->isValid())
        return std::nullopt;
    return PictureData(std::move(svg));
}
