#pragma once
// The job's orientation, paper size and two-sided mode as the print window's combo boxes
// choose them, and the way back from the printer set-up dialog to those combo boxes.
// Orientation items: 0 "poziomy", 1 "pionowy"; paper: 0 "A3", 1 "A4"; two-sided mode:
// 0 "Wyłączony", 1 "Duplex pionowo" (long edge), 2 "Duplex poziomo" (short edge).

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <optional>

struct JobSettings {
    std::optional<QPageLayout::Orientation> orientation;  // none: as the printer has it
    std::optional<QPageSize::PageSizeId> paper;           // none: as the printer has it
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
    bool operator==(const JobSettings&) const = default;
};

// -1 (nothing selected) and unknown indexes leave orientation and paper to the printer
// and print one-sided.
JobSettings JobSettingsFromCombos(int orientationIndex, int paperIndex, int duplexIndex);

// What the printer set-up dialog's choices select in the window: an item index, or none
// to leave the combo box as it is; and whether the printer can print two-sided.
struct SetupReadBack {
    std::optional<int> orientationIndex;
    std::optional<int> duplexIndex;
    std::optional<int> paperIndex;
    bool duplexCapable = false;
    bool operator==(const SetupReadBack&) const = default;
};

SetupReadBack ReadBackSetup(QPageLayout::Orientation orientation, QPrinter::DuplexMode duplex,
                            QPageSize::PageSizeId paper, bool duplexCapable);
