#pragma once
// The printing system through Qt's print support: the CUPS printers and QPrinter jobs.

#include "render/PrintSink.h"

class CupsPrintSystem : public PrintSystem {
public:
    QStringList printerNames() const override;
    QString defaultPrinter() const override;
    bool canDuplex(const QString& printer) const override;
    std::unique_ptr<PrintSink> open(const QString& printer, OpenFailure& failure,
                                    int& error) override;
};
