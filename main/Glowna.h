#pragma once
// The main window: tool bar, status bar (the path of the open certificates file), the
// student tree, the four preview pages, the menus; the state the commands share; the
// start-up routine and the way the program ends.
#include <QMainWindow>
#include <QString>

#include <memory>
#include <vector>

#include "main/ImportHost.h"
#include "render/DrawContext.h"
#include "render/PageImage.h"
#include "render/PreviewView.h"
#include "render/RenderPages.h"
#include "store/ErrorStream.h"
#include "store/Records.h"

class CalibrationHost;
class Image;
class PageControl;
class QAction;
class QCheckBox;
class QCloseEvent;
class QMenu;
class ScrollBox;
class StatusBar;
class Timer;
class TreeView;

class TFGlowna : public QMainWindow, public PreviewView, public ImportHost {
    Q_OBJECT

public:
    explicit TFGlowna(QWidget* owner = nullptr);
    ~TFGlowna() override;

    // Components the commands refer to by name.
    ::StatusBar* StatusBar = nullptr;
    ::TreeView* TreeView = nullptr;
    QMenu* TreeViewPopupMenu = nullptr;
    ::PageControl* PageControl = nullptr;
    QWidget* TabSheet[4] = {};
    ::ScrollBox* ScrollBox[4] = {};
    ::Image* Image[4] = {};
    QCheckBox* WykreskujPusteCheckBox = nullptr;
    QCheckBox* PrintNoDotsCheckBox = nullptr;
    QCheckBox* cbWordWrap = nullptr;
    Timer* AktualizacjaTimer = nullptr;

    // State shared by the commands.
    std::vector<StudentEntry> StudentList;
    std::vector<FieldRecord> RecordList;
    unsigned char PrintMode = 0;
    unsigned char Closing = 0;
    unsigned char Modified = 0;
    ::ErrorStream ErrorStream;
    PageImages PageMetafiles;
    unsigned char FormattingActive = 0;
    QString SelectedStudent;
    QString SelectedLabel;
    // The name the shared save dialog offers: "nowy" at first, then the last one chosen.
    QString SaveDialogFileName = "nowy";
    std::vector<CalibrationRecord> CalibrationList;
    // What the last render left for the print window.
    PrintJobFields PrintJob;

    // The start-up routine; false when the required-files check failed (the window is
    // then closed and the program must end).
    bool StartupInit();
    void SetVersionCaption();

    // The current path: the status bar's one text, repainted at once.
    QString currentPath() const;
    void setCurrentPath(const QString& path);

    DisplayOptions displayOptions() const;
    // The main window as the calibration window works with it.
    CalibrationHost& calibrationHost();

    // The menu entry or tool button of that object name (tests and later commands).
    QAction* action(const QString& name) const;

    // ImportHost
    ::ErrorStream& errorStream() override { return ErrorStream; }
    void setModified() override { Modified = 1; }
    bool reloadStudentsList() override;

    // PreviewView
    void setActivePageTab(int index) override;
    void setPageScroll(int page, int y) override;
    void setPageTabVisible(int page, bool visible) override;
    void setPreviewPicture(int page, const QImage& picture) override;

    // Command handlers.
    void Koniec1Click();
    // "Zapisz": in place when the current path names a file, else as "Zapisz jako";
    // true when the file was written (only then are the changes counted as saved).
    bool Zapisz1Click();
    void Zapiszjako1Click();
    void WykreskujPusteCheckBoxClick();
    void PrintNoDotsCheckBoxClick();
    void cbWordWrapClick();
    void FormMouseWheel(int wheelDelta);
    void Formatowaniewiadectwapodstawowe1Click();
    void Ustawieniaczcionki1Click();
    void Eksportujustawieniakalibracji1Click();
    void Importujustawieniakalibracji1Click();
    void Oprogramie1Click();
    void Instrukcjaobsugi1Click();
    void KontaktButtonClick();
    void StronaInternetowa1Click();
    void Logiprogramu1Click();
    // Reloads the selected student and draws the selected document again.
    void TreeViewClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class CloseAction { None, Free };
    // Asks the closing questions; None keeps the window open.
    CloseAction FormClose();
    void OpenCalibrationWindow(bool advanced);
    void WriteOptionSetting(const char* key, const QCheckBox* box);
    void ApplyStoredOption(const char* key, QCheckBox* box);

    std::unique_ptr<CalibrationHost> calibrationHost_;

    void buildLayout();
    void buildToolBar();
    void buildMenus();
    QAction* addCommand(QMenu* menu, const QString& name, const QString& text);
};

extern TFGlowna* FGlowna;
