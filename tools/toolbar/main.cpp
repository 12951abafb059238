// Draws each tool bar picture at the tool bar's size and at twice that size for screens
// that scale, so the program takes finished pixels at start instead of drawing or decoding
// pictures.
// Usage: vlm_toolbar_pictures <output folder> <picture.svg>...
//   writes <output folder>/<name>.argb32 and <name>@2x.argb32: the rows of premultiplied
//   ARGB32 pixels (ToolButtonPictures.h), in this machine's byte order, which is the
//   program's
#include "main/ToolButtonPictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <output folder> <picture.svg>...\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir output(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const QString source = QString::fromLocal8Bit(argv[i]);
        QSvgRenderer svg(source);
        if (!svg.isValid()) {
            std::fprintf(stderr, "%s: not a picture\n", argv[i]);
            return 1;
        }
        const QString name = QFileInfo(source).completeBaseName();
        for (const auto& [scale, suffix] : {std::pair{1, ""}, std::pair{2, "@2x"}}) {
            QImage picture(kToolButtonPictureSize * scale, QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::transparent);
            QPainter painter(&picture);
            painter.setRenderHint(QPainter::Antialiasing);
            svg.render(&painter);
            painter.end();
            QFile file(output.filePath(name + QLatin1String(suffix) + QStringLiteral(".argb32")));
            const auto bytes = qint64(picture.sizeInBytes());
            if (!file.open(QIODevice::WriteOnly) ||
                file.write(reinterpret_cast<const char*>(picture.constBits()), bytes) != bytes) {
                std::fprintf(stderr, "%s: cannot be written\n", qPrintable(file.fileName()));
                return 1;
            }
        }
    }
    return 0;
}
