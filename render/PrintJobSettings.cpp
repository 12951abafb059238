#include "render/PrintJobSettings.h"

JobSettings JobSettingsFromCombos(int orientationIndex, int paperIndex, int duplexIndex)
{
    JobSettings settings;
    if (orientationIndex == 0)
        settings.orientation = QPageLayout::Landscape;
    else if (orientationIndex == 1)
        settings.orientation = QPageLayout::Portrait;
    if (paperIndex == 0)
        settings.paper = QPageSize::A3;
    else if (paperIndex == 1)
        settings.paper = QPageSize::A4;
    if (duplexIndex == 1)
        settings.duplex = QPrinter::DuplexLongSide;
    else if (duplexIndex == 2)
        settings.duplex = QPrinter::DuplexShortSide;
    return settings;
}

SetupReadBack ReadBackSetup(QPageLayout::Orientation orientation, QPrinter::DuplexMode duplex,
                            QPageSize::PageSizeId paper, bool duplexCapable)
{
    SetupReadBack back;
    back.orientationIndex = orientation == QPageLayout::Portrait ? 1 : 0;
    switch (duplex) {
    case QPrinter::DuplexNone:
        back.duplexIndex = 0;
        break;
    case QPrinter::DuplexLongSide:
        back.duplexIndex = 1;
        break;
    case QPrinter::DuplexShortSide:
        back.duplexIndex = 2;
        break;
    default:
        break;
    }
    if (paper == QPageSize::A3)
        back.paperIndex = 0;
    else if (paper == QPageSize::A4)
        back.paperIndex = 1;
    back.duplexCapable = duplexCapable;
    return back;
}
