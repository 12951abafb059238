#pragma once
// "Ustawienia druku": the printer set-up dialog. It edits a printer object's settings (the
// printer, paper size, orientation and two-sided mode) and prints nothing itself; OK
// applies the choices to the printer object, "Anuluj" leaves it as it was.

#include <QDialog>

class QComboBox;
class QPrinter;

class PrinterSetupDialog : public QDialog {
public:
    explicit PrinterSetupDialog(QPrinter& printer, QWidget* parent = nullptr);

    QComboBox* printers() const { return printers_; }
    QComboBox* paperSizes() const { return paperSizes_; }
    QComboBox* orientations() const { return orientations_; }
    QComboBox* duplexModes() const { return duplexModes_; }

    void accept() override;

private:
    // The chosen printer's paper sizes and two-sided modes.
    void showPrinterChoices();

    QPrinter& printer_;
    QComboBox* printers_;
    QComboBox* paperSizes_;
    QComboBox* orientations_;
    QComboBox* duplexModes_;
};
