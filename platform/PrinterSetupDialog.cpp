#include "platform/PrinterSetupDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

PrinterSetupDialog::PrinterSetupDialog(QPrinter& printer, QWidget* parent)
    : QDialog(parent)
    , printer_(printer)
    , printers_(new QComboBox(this))
    , paperSizes_(new QComboBox(this))
    , orientations_(new QComboBox(this))
    , duplexModes_(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("Ustawienia druku"));
    printers_->setObjectName(QStringLiteral("DrukarkaComboBox"));
    paperSizes_->setObjectName(QStringLiteral("RozmiarPapieruComboBox"));
    orientations_->setObjectName(QStringLiteral("OrientacjaComboBox"));
    duplexModes_->setObjectName(QStringLiteral("DuplexComboBox"));

    printers_->addItems(QPrinterInfo::availablePrinterNames());
    printers_->setCurrentIndex(printers_->findText(printer.printerName()));
    orientations_->addItem(QStringLiteral("pionowa"), int(QPageLayout::Portrait));
    orientations_->addItem(QStringLiteral("pozioma"), int(QPageLayout::Landscape));
    orientations_->setCurrentIndex(
        orientations_->findData(int(printer.pageLayout().orientation())));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Drukarka:"), printers_);
    form->addRow(QStringLiteral("Rozmiar papieru:"), paperSizes_);
    form->addRow(QStringLiteral("Orientacja:"), orientations_);
    form->addRow(QStringLiteral("Druk dwustronny:"), duplexModes_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Anuluj"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    showPrinterChoices();
    connect(printers_, &QComboBox::currentIndexChanged, this, [this] { showPrinterChoices(); });
}

void PrinterSetupDialog::showPrinterChoices()
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(printers_->currentText());
    const QPageSize::PageSizeId current = printer_.pageLayout().pageSize().id();
    paperSizes_->clear();
    QList<QPageSize> sizes = info.isNull() ? QList<QPageSize>() : info.supportedPageSizes();
    if (sizes.isEmpty())
        sizes = {QPageSize(QPageSize::A4), QPageSize(QPageSize::A3)};
    for (const QPageSize& size : sizes)
        paperSizes_->addItem(size.name(), int(size.id()));
    paperSizes_->setCurrentIndex(std::max(0, paperSizes_->findData(int(current))));

    const QPrinter::DuplexMode duplex = printer_.duplex();
    duplexModes_->clear();
    duplexModes_->addItem(QStringLiteral("Wyłączony"), int(QPrinter::DuplexNone));
    const QList<QPrinter::DuplexMode> modes =
        info.isNull() ? QList<QPrinter::DuplexMode>() : info.supportedDuplexModes();
    if (modes.contains(QPrinter::DuplexLongSide))
        duplexModes_->addItem(QStringLiteral("Duplex pionowo"), int(QPrinter::DuplexLongSide));
    if (modes.contains(QPrinter::DuplexShortSide))
        duplexModes_->addItem(QStringLiteral("Duplex poziomo"), int(QPrinter::DuplexShortSide));
    duplexModes_->setEnabled(duplexModes_->count() > 1);
    duplexModes_->setCurrentIndex(std::max(0, duplexModes_->findData(int(duplex))));
}

void PrinterSetupDialog::accept()
{
    if (!printers_->currentText().isEmpty())
        printer_.setPrinterName(printers_->currentText());
    printer_.setPageSize(QPageSize(QPageSize::PageSizeId(paperSizes_->currentData().toInt())));
    printer_.setPageOrientation(QPageLayout::Orientation(orientations_->currentData().toInt()));
    printer_.setDuplex(QPrinter::DuplexMode(duplexModes_->currentData().toInt()));
    QDialog::accept();
}
