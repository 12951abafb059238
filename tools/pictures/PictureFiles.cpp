#include "tools/pictures/PictureFiles.h"

#include <stdexcept>

#include <QDir>
#include <QFile>

#include "tools/pictures/BlankPlan.h"
#include "tools/pictures/Emblem.h"
#include "tools/pictures/JpegEncoder.h"
#include "tools/pictures/StampPlace.h"

namespace pictures {
namespace {

constexpr int kJpegQuality = 90;

[[noreturn]] void Fail(const QString& path, const QString& why)
{
    throw std::runtime_error((path + QStringLiteral(": ") + why).toStdString());
}

QString MakeFolder(const QString& programDir, const QString& name)
{
    const QString path = QDir(programDir).filePath(name);
    if (!QDir().mkpath(path))
        Fail(path, QStringLiteral("cannot create the folder"));
    return path;
}

void SaveJpeg(const QImage& image, const QString& path)
{
    QString error;
    if (!WriteJpeg(image, path, kJpegQuality, &error))
        Fail(path, error);
}

void SaveBmp(const QImage& image, const QString& path)
{
    if (!image.save(path, "BMP"))
        Fail(path, QStringLiteral("cannot write the BMP file"));
}

void SaveBytes(const QByteArray& bytes, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        Fail(path, file.errorString());
}

}  // namespace

QStringList WritePictures(const LayoutCatalog* catalog, const QString& programDir)
{
    QStringList written;
    const QString blanks = MakeFolder(programDir, kBlankFolder);
    const QString graphics = MakeFolder(programDir, kGraphicsFolder);

    if (catalog) {
        for (const BlankPicture& blank : PlanBlanks(*catalog)) {
            SaveJpeg(DrawBlank(blank.paper, blank.frames), QDir(blanks).filePath(blank.fileName));
            written << kBlankFolder + QLatin1Char('/') + blank.fileName;
        }
    }
    for (const PreviewBackground& background : kPreviewBackgrounds) {
        const QString name = QString::fromLatin1(background.fileName);
        SaveBmp(DrawPreviewBackground(background.paper), QDir(graphics).filePath(name));
        written << kGraphicsFolder + QLatin1Char('/') + name;
    }
    SaveJpeg(DrawStampPlace(), QDir(graphics).filePath(QString::fromLatin1(kStampPlaceFile)));
    written << kGraphicsFolder + QLatin1Char('/') + QString::fromLatin1(kStampPlaceFile);
    SaveBytes(EmblemSvg(), QDir(graphics).filePath(QString::fromLatin1(kEmblemFile)));
    written << kGraphicsFolder + QLatin1Char('/') + QString::fromLatin1(kEmblemFile);
    return written;
}

}  // namespace pictures
