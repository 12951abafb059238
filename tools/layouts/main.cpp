// Parses the form layouts once and writes their packed form, which the program loads at
// start instead of parsing them.
// Usage: vlm_layout_pack <layouts folder> <output file>
#include "forms/Layout.h"
#include "forms/LayoutPack.h"

#include <QFile>

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <layouts folder> <output file>\n", argv[0]);
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[2]);
    try {
        const QByteArray packed =
            PackLayouts(LayoutCatalog::fromDirectory(QString::fromLocal8Bit(argv[1])));
        QFile partial(output + ".part");
        if (!partial.open(QIODevice::WriteOnly) || partial.write(packed) != packed.size() ||
            !partial.flush()) {
            std::fprintf(stderr, "%s: cannot be written\n", qPrintable(partial.fileName()));
            return 1;
        }
        partial.close();
        QFile::remove(output);
        if (!partial.rename(output)) {
            std::fprintf(stderr, "%s: cannot be renamed\n", qPrintable(output));
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
