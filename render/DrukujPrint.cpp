// The print window's printing half: the current printer and its two-sided capability, the
// job settings, the print routine and the printer set-up dialog.
#include "render/DrukujWindow.h"

#include "render/PrintPlan.h"
#include "render/PrintRoutine.h"
#include "platform/DialogService.h"
#include "store/ErrorStream.h"
#include "store/Log.h"
#include "store/Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QStringList>

namespace {

// Empties the stream, writes the text with the system's code after it and logs it.
void Report(ErrorStream& errors, const char* text, int code, const char* logName)
{
    errors.clear();
    errors << text << code;
    LogWrite(errors, logName);
}

}  // namespace

int TFDrukuj::currentPrinterIndex() const
{
    return currentPrinter_.isEmpty() ? -1 : DrukarkiComboBox->findText(currentPrinter_);
}

void TFDrukuj::makeCurrent(int printerIndex)
{
    currentPrinter_ = printerIndex >= 0 ? DrukarkiComboBox->itemText(printerIndex) : QString();
    if (!currentPrinter_.isEmpty())
        printerObject().setPrinterName(currentPrinter_);
}

void TFDrukuj::DrukarkiComboBoxChange()
{
    makeCurrent(DrukarkiComboBox->currentIndex());
    UpdateDuplexControls();
}

void TFDrukuj::UpdateDuplexControls()
{
    if (!currentPrinter_.isEmpty() && system_->canDuplex(currentPrinter_)) {
        DuplexComboBox->setEnabled(true);
        cbRotateSecondPage->setEnabled(true);
        return;
    }
    DuplexComboBox->setCurrentIndex(0);
    DuplexComboBox->setEnabled(false);
    cbRotateSecondPage->setEnabled(false);
}

bool TFDrukuj::bFunSetPrinterDocProp()
{
    constexpr const char* kLogName = "bFunSetPrinterDocProp()";
    job_.reset();
    makeCurrent(DrukarkiComboBox->currentIndex());
    if (currentPrinter_.isEmpty()) {
        errors_.str(kNoPrinterText);
        LogWrite(errors_, kLogName);
        return false;
    }
    PrintSystem::OpenFailure failure = PrintSystem::OpenFailure::None;
    int code = 0;
    std::unique_ptr<PrintSink> job = system_->open(currentPrinter_, failure, code);
    if (!job) {
        Report(
            errors_,
            failure == PrintSystem::OpenFailure::NoPrinter
                ? "Błąd otwarcia ustawień drukarki: OpenPrinter()\nError code: "
                : "Błąd uzyskania aktualnych ustawień drukarki: DocumentProperties()\nError code: ",
            code, kLogName);
        return false;
    }
    const JobSettings settings =
        JobSettingsFromCombos(PageOrientationComboBox->currentIndex(),
                              PageSizeComboBox->currentIndex(), DuplexComboBox->currentIndex());
    if (!job->applySettings(settings)) {
        Report(errors_,
               "Błąd zapisu zmienionych ustawień drukarki: DocumentProperties()\nError code: ",
               job->lastError(), kLogName);
        return false;
    }
    job_ = std::move(job);
    return true;
}

bool TFDrukuj::reportMisplacedPages(const std::array<MarginRect, 4>& rects,
                                    const std::vector<int>& pages)
{
    const std::vector<int> misplaced = MisplacedPages(rects, pages);
    if (misplaced.empty())
        return false;
    QStringList numbers;
    for (int page : misplaced)
        numbers << QString::number(page);
    showError(QStringLiteral(
                  "Nieprawidłowe pozycjonowanie wydruku str %1: prawa krawędź musi leżeć na prawo "
                  "od lewej, a dolna poniżej górnej.")
                  .arg(numbers.join(QStringLiteral(", "))));
    return true;
}

void TFDrukuj::DrukujButtonClick()
{
    const bool twoSided = DuplexComboBox->isEnabled() && DuplexComboBox->currentIndex() > 0;
    const PrintPlan plan = MakePrintPlan(PageCount, twoSided);
    const std::array<MarginRect, 4> rects = pageRects();
    if (reportMisplacedPages(rects, plan.pages()))
        return;
    if (!bFunSetPrinterDocProp()) {
        showError(QString::fromStdString(errors_.str()));
        return;
    }
    bFunSqlSettingWriteValue(errors_, "print_margin", MarginesyComboBox->currentIndex());
    if (plan.jobs.empty()) {
        job_.reset();
        return;
    }
    const bool halfTurn = cbRotateSecondPage->isEnabled() && cbRotateSecondPage->isChecked();
    const PrintFailure failure = RunPrintPlan(*job_, plan, rects, pages_, halfTurn, [] {
        DialogService::instance().message(kPageTurnPrompt, QStringLiteral("Druk"), MsgIcon::None,
                                          MsgButtons::Ok);
    });
    job_.reset();
    if (failure.step != PrintFailure::None) {
        Report(errors_,
               failure.step == PrintFailure::StartJob
                   ? "Błąd otwarcia nowego dokumentu StartDoc()\nError code: "
                   : "Błąd otwarcia nowej strony do druku StartPage()\nError code: ",
               failure.error, "DrukujButtonClick()");
        showError(QString::fromStdString(errors_.str()));
        return;
    }
    accept();
}

void TFDrukuj::btnPrinterSettingsClick()
{
    if (!currentPrinter_.isEmpty())
        printerObject().setPrinterName(currentPrinter_);
    if (!DialogService::instance().printerSetup(printerObject()))
        return;
    // The dialog may have made another printer current.
    if (!printerObject().printerName().isEmpty())
        currentPrinter_ = printerObject().printerName();
    const QPageLayout layout = printerObject().pageLayout();
    const SetupReadBack back =
        ReadBackSetup(layout.orientation(), printerObject().duplex(), layout.pageSize().id(),
                      system_->canDuplex(currentPrinter_));
    if (back.orientationIndex)
        PageOrientationComboBox->setCurrentIndex(*back.orientationIndex);
    if (back.duplexIndex)
        DuplexComboBox->setCurrentIndex(*back.duplexIndex);
    if (back.paperIndex)
        PageSizeComboBox->setCurrentIndex(*back.paperIndex);
    DuplexComboBox->setEnabled(back.duplexCapable);
    cbRotateSecondPage->setEnabled(back.duplexCapable);
    DrukarkiComboBox->setCurrentIndex(currentPrinterIndex());
}
