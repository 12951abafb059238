// Build-time tool: draws the pictures of the blanks, the preview backgrounds, the
// stamp place and the emblem into the program folder.
//   vlm_pictures <layouts folder> <program folder>
#include <cstdio>
#include <exception>
#include <optional>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include "forms/Layout.h"
#include "tools/pictures/PictureFiles.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: vlm_pictures <layouts folder> <program folder>\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString layouts = QString::fromLocal8Bit(argv[1]);
    const QString programDir = QString::fromLocal8Bit(argv[2]);
    try {
        // Until the forms are laid out there is no registry and so no blank to draw.
        std::optional<LayoutCatalog> catalog;
        if (QFileInfo::exists(QDir(layouts).filePath(QStringLiteral("forms.json"))))
            catalog = LayoutCatalog::fromDirectory(layouts);
        const QStringList written =
            pictures::WritePictures(catalog ? &*catalog : nullptr, programDir);
        std::printf("vlm_pictures: %lld pictures in %s\n", static_cast<long long>(written.size()),
                    qPrintable(QDir::toNativeSeparators(programDir)));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vlm_pictures: %s\n", e.what());
        return 1;
    }
    return 0;
}
