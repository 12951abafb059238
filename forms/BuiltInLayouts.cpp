// The layouts compiled into the program: the build packs resources/layouts (tools/layouts)
// and the program unpacks them on first use.
#include "forms/LayoutPack.h"

#include <QResource>

#include <stdexcept>

const LayoutCatalog& LayoutCatalog::builtIn()
{
    static const LayoutCatalog catalog = [] {
        const QResource packed(QStringLiteral(":/layouts/layouts.pack"));
        if (!packed.isValid())
            throw std::runtime_error("the packed layouts are not compiled in");
        return UnpackLayouts(packed.uncompressedData());
    }();
    return catalog;
}
