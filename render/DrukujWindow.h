#pragma once
// The print window "Drukowanie": printer, two-sided mode, paper size and orientation, the
// named margin sets and the placement of pages 1 to 4 on the sheet, and the print itself.

#include "platform/Controls.h"
#include "render/PageImage.h"
#include "render/PrintSink.h"
#include "render/PrintWindow.h"
#include "store/Records.h"

#include <QDialog>
#include <QPrinter>

#include <array>
#include <memory>
#include <vector>

class ErrorStream;

// What the window and "Drukuj" say when no printer is installed.
inline constexpr const char* kNoPrinterText = "Nie zainstalowano żadnej drukarki.";
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QToolButton;

class TFDrukuj : public WithDialogFontWhenShown<QDialog>, public PrintWindow {
public:
    // `pages` and `errors` are the main window's page images and ErrorStream.
    TFDrukuj(const PageImages& pages, ErrorStream& errors, QWidget* parent = nullptr);
    ~TFDrukuj() override;

    void setPrintJob(int pages, bool defaultA4, bool defaultPortrait) override;
    QDialog& dialog() override { return *this; }

    // Replaces the printing system (tests); the window starts with the CUPS printers.
    void setPrintSystem(std::unique_ptr<PrintSystem> system);

    int PageCount = 0;
    bool DefaultA4 = true;
    bool DefaultPortrait = true;
    std::vector<MarginSet> MarginSets;

    void FormShow();
    bool LoadMarginSets();
    void MarginesyComboBoxChange();
    void DrukarkiComboBoxChange();
    void SpeedButtonClick(int number);
    void SaveNewSettingsButtonClick();
    void DeleteSettingsButtonClick();
    void ResetButtonClick();
    void PomocButtonClick();
    void AnulujButtonClick();
    void FormClose();
    void UpdateDuplexControls();
    void DrukujButtonClick();
    bool bFunSetPrinterDocProp();
    void btnPrinterSettingsClick();

    // The print rectangle of page n (1 to 4) as the edits hold it, and all four.
    MarginRect pageRect(int page) const;
    std::array<MarginRect, 4> pageRects() const;

    // The components, by their names.
    QLabel* Label1;
    QComboBox* DrukarkiComboBox;
    QLabel* Label11;
    QComboBox* DuplexComboBox;
    QCheckBox* cbRotateSecondPage;
    QLabel* Label9;
    QComboBox* PageSizeComboBox;
    QLabel* Label10;
    QComboBox* PageOrientationComboBox;
    QLabel* Label3;
    QComboBox* MarginesyComboBox;
    QPushButton* SaveNewSettingsButton;
    QPushButton* DeleteSettingsButton;
    QPushButton* ResetButton;
    QPushButton* PomocButton;
    QPushButton* btnPrinterSettings;
    QPushButton* DrukujButton;
    QPushButton* AnulujButton;
    std::array<QGroupBox*, 4> PlacementGroup;  // GroupBox1, 3, 5, 7
    std::array<QGroupBox*, 4> SizeGroup;       // GroupBox2, 4, 6, 8
    // Page n: Strona<n>LewyEdit, GornyEdit, PrawyEdit, DolnyEdit.
    std::array<std::array<QLineEdit*, 4>, 4> StronaEdit;
    std::array<QToolButton*, 32> SpeedButton;  // SpeedButton1 .. SpeedButton32

    // The printer object's settings of the current printer, which the set-up dialog edits.
    // Made on first use: making one loads the print plugin, which the start need not wait for.
    QPrinter& printerObject();
    QString currentPrinter() const { return currentPrinter_; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void buildLayout();
    void buildPageColumn(QWidget* panel, int page, int left);
    void fitToScreen();
    void placeForSize(QSize size);
    void connectHandlers();
    void preferDocumentPaper();
    const MarginSet* setNamed(const QString& name) const;
    void writePageRect(int page, const MarginRect& rect);
    void makeCurrent(int printerIndex);
    int currentPrinterIndex() const;
    bool reportMisplacedPages(const std::array<MarginRect, 4>& rects,
                              const std::vector<int>& pages);
    // The window's error box: caption "Błąd", error icon, OK.
    static void showError(const QString& text);

    const PageImages& pages_;
    ErrorStream& errors_;
    std::unique_ptr<PrintSystem> system_;
    QString currentPrinter_;  // "" until the first show picks the default
    std::unique_ptr<QPrinter> printerObject_;
    std::unique_ptr<PrintSink> job_;    // live from bFunSetPrinterDocProp to the end of the print
    QScrollArea* pagesArea_ = nullptr;  // the four page columns
};
