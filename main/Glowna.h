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
class DialogHost;
class DocumentForm;
class Image;
class PageControl;
class QAction;
class QCheckBox;
class QCloseEvent;
class QHelpEvent;
class QMenu;
class ScrollBox;
class StatusBar;
class Timer;
class TreeView;
class QTreeWidgetItem;

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
    // The table whose stored data the student dialog and the forms hold: set by a load or
    // a save of a student, empty while they hold a new student, samples or nothing known
    // (also whenever the list is read again: the working copy may have been replaced).
    // The commands that save work only on this student.
    std::string HeldStudentTable;
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
    // The render state of the main window; while the calibration window is open its
    // selected row is outlined.
    RenderContext renderContext();

    // The menu entry or tool button of that object name (tests and later commands).
    QAction* action(const QString& name) const;

    // ImportHost
    ::ErrorStream& errorStream() override { return ErrorStream; }
    void setModified() override { Modified = 1; }
    // ReloadStudentsList, below.

    // PreviewView
    void setActivePageTab(int index) override;
    void setPageScroll(int page, int y) override;
    void setPageTabVisible(int page, bool visible) override;
    void setPreviewPicture(int page, const QImage& picture) override;

    // The state of a new file: no file, no students, empty forms and preview.
    void ResetAll();
    // The student list read again from the working copy and the tree rebuilt; false
    // (silently) without a working copy, false after a message when it cannot be read.
    bool ReloadStudentsList() override;
    // The tree from StudentList: students sorted by their folded key, each with its 53
    // document nodes. A student node keeps its table name.
    void BuildStudentsTree();
    // Empties the tree; the selection that goes with the nodes loads nothing.
    void RemoveAllNodes();
    // flag 1: the selected student's display name; flag 0: the selected document label.
    QString SelectedNodeText(int flag) const;
    // The table name of the selected student (kept in its node), empty for none.
    std::string SelectedStudentTable() const;
    void UpdateMenuState();
    // One student across the student dialog and the 48 document forms.
    bool SaveStudentData();
    bool LoadStudentData(const std::string& table);
    template <class Entry>
    static void ClearRecordList(std::vector<Entry>& list)
    {
        list.clear();
    }

    // Command handlers.
    void NowyPlikToolButtonClick();
    void OtworzPlikToolButtonClick();
    void Szablondanychszkoy1Click();
    void DodajUczniaToolButtonClick();
    void EdytujDaneUczniaToolButtonClick();
    void UsunUczniaToolButtonClick();
    void EdytujSwiadectwoToolButtonClick();
    void DrukujToolButtonClick();
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
    // Loads the selected student and previews the selected document; also run when the
    // selection moves by keyboard.
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

    // Renders `form` in `mode` with a dispatch row's values; false when the render failed.
    bool RenderDocument(DocumentForm& form, RenderMode mode, int type, int pages, bool defaultA4,
                        bool defaultPortrait);
    // The node of document `label` under the student whose table is `table` (an empty
    // label: the student's own node), or null.
    QTreeWidgetItem* FindDocumentNode(const std::string& table, const QString& label) const;
    // After a save: the saved student's entry and node take the saved name and their
    // sorted place, the other nodes left as they are; a student the tree does not know
    // (a new or renamed table) has the list read again. Returns the student's node (null
    // when the list read again lacks it).
    QTreeWidgetItem* ShowSavedStudent(const std::string& table);
    void ConnectCommands();
    // Makes `node` the chosen one without loading, then loads as a click does.
    void SelectAndLoad(QTreeWidgetItem* node);
    void ShowNodeToolTip(const QHelpEvent& help);

    // The tree's choice (GlownaTreeSelection.cpp): only the user's click or keyboard move
    // chooses a node and loads; what a command shows chosen loads nothing.
    void ConnectTreeSelection();
    void NoteSelectionAtPress();
    QTreeWidgetItem* SelectedNode() const;
    void ShowNothingSelected();
    // Shows `node` chosen (scrolled into view); null: nothing chosen.
    void ShowSelected(QTreeWidgetItem* node);
    // After a rebuild that keeps a student: exactly his node chosen.
    void KeepStudentSelected(const std::string& table);
    // The table the student dialog's PESEL names.
    std::string StudentTableOfDialog() const;
    // Makes the forms hold the selected student, loading him when they hold another (a
    // failed load leaves the previous one there); false when they cannot, after saying so.
    bool HoldSelectedStudent();

    std::unique_ptr<CalibrationHost> calibrationHost_;
    std::unique_ptr<DialogHost> dialogHost_;
    // The chosen node when the mouse was pressed in the tree: a click on it loads again.
    QTreeWidgetItem* selectedAtPress_ = nullptr;

    void buildLayout();
    void buildToolBar();
    void buildMenus();
    QAction* addCommand(QMenu* menu, const QString& name, const QString& text);
};

extern TFGlowna* FGlowna;
