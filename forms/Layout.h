#pragma once
// Parsed form layouts: page designs, shared item lists, the registry of the
// 48 document forms and their form-level data. The format is described in
// resources/layouts/FORMAT.md. Qt Core only (target vlm_layout).

#include <QList>
#include <QMap>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

constexpr int kPageWidth = 885;
constexpr int kPageHeight = 1314;
constexpr int kBlankWidth = 717;
constexpr int kBlankHeight = 1053;
// One scale for both axes: the whole page height fits the blank picture.
constexpr double kPictureScale = double(kBlankHeight) / double(kPageHeight);

enum class ComponentKind { Label, Edit, Combo, Memo };
enum class TextAlign { Left = 0, Center = 1, Right = 2, Justify = 3 };

struct PageRect {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int width() const { return x2 - x1; }
    int height() const { return y2 - y1; }
    bool operator==(const PageRect&) const = default;
};

// How a label shows text of that alignment on screen: vertically centred, and justified
// text from the left.
Qt::Alignment ScreenAlignment(TextAlign align);
// Page units to blank-picture pixels (and so to on-screen pixels over it).
QRectF toPicture(const PageRect& r);

struct PrintFont {
    QString name = QStringLiteral("Times New Roman");
    int size = 10;  // points
    bool bold = false, italic = false, underline = false, strike = false;
    TextAlign align = TextAlign::Left;
    bool operator==(const PrintFont&) const = default;
};

// The storage markers a component name carries; a name with any of them is stored in the
// certificates file.
struct StoredMarkers {
    bool edit = false;   // "_DATA_EDIT"
    bool combo = false;  // "_DATA_COMBOBOX"
    bool memo = false;   // "_DATA_MEMO"
    bool any() const { return edit || combo || memo; }
};
StoredMarkers StoredMarkersIn(QStringView name);

struct LayoutComponent {
    ComponentKind kind = ComponentKind::Label;
    QString name;
    QString caption;       // label caption, or placeholder text of a field
    int maxLength = 0;     // typing limit; 0 = none
    QString itemsRef;      // combo: list name as written in the design
    QStringList items;     // combo: resolved items (after the form's substitutions)
    bool editable = true;  // combo: editable drop-down, else pick list
    bool disabled = false;
    bool readOnly = false;
    int lineLimit = 0;  // memo
    bool wrap = false;  // memo
    int tab = -1;       // tab order, -1 = after the numbered ones, in file order
    PageRect rect;
    PrintFont font;
    std::optional<PageRect> dots;
    int screenHeight = 0;  // on-screen font height in pixels; 0 = from the printed size
    int page = 1;          // page of the design it belongs to

    bool isStored() const { return StoredMarkersIn(name).any(); }
    QString dotLeaderName() const;
    PageRect memoLineRect(int line) const;  // line counted from 1
    bool operator==(const LayoutComponent&) const = default;
};

struct DrawingElement {
    QString name;
    PageRect rect;
    bool operator==(const DrawingElement&) const = default;
};

struct PageDesign {
    QString name;
    int page = 1;
    QString picture;
    QList<DrawingElement> drawings;
    QList<LayoutComponent> components;
    bool operator==(const PageDesign&) const = default;
};

enum class FormKind { Certificate, SheetTitle, SheetYear };

struct FormPage {
    QString design;
    QString tab;
    bool operator==(const FormPage&) const = default;
};

struct FormButton {
    QString name, caption, handler, role;
    bool glyph = false;  // shows a small picture of its role beside the caption
    bool operator==(const FormButton&) const = default;
};

struct StudentRule {
    QString target;
    QStringList join;  // dialog fields joined with one blank
    bool onlyIfEmpty = false;
    bool sexRule = false;  // else join
    QString masculine, otherwise;
    bool operator==(const StudentRule&) const = default;
};

struct SampleStep {
    QString field;  // edit/combo text, or memo name when isMemo
    QString text;
    bool isMemo = false;
    QStringList lines;
    bool operator==(const SampleStep&) const = default;
};

struct SampleSet {
    bool clearFirst = false;
    QList<SampleStep> steps;
    bool operator==(const SampleSet&) const = default;
};

struct CopyStep {
    QStringList from;  // source fields, joined by `separator`
    QString separator;
    QString text;  // without sources: a fixed text, "{name}" from the block's values
    QString to;    // may hold "{c}" for the column digit
    bool namesOnly = false;
    bool operator==(const CopyStep&) const = default;
};

struct CopyBlock {
    int page = 0;
    int column = 0;  // 0: the block serves every column
    QString digit;
    QString targetClass;
    QString map;
    bool names = false;
    QMap<QString, QString> values;  // what "{name}" in a step's fixed text stands for
    bool operator==(const CopyBlock&) const = default;
};

struct Preset {
    QString field, text;
    bool operator==(const Preset&) const = default;
};

struct LoadBarEntry {
    QString caption;
    QString formClass;
    bool operator==(const LoadBarEntry&) const = default;
};

struct LoadBar {
    int pageCode = 0;
    QList<LoadBarEntry> certificates;
    QStringList columns;  // empty: the page has one column and no column list
    bool namesCheckBox = false;
    QString certificateListName = QStringLiteral("SwiadectwoComboBox");
    QString columnListName = QStringLiteral("KolumnaComboBox");
    bool selectOnShow = true;  // false: the certificate pick is the user's and stays
    bool operator==(const LoadBar&) const = default;
};

struct FormSpec {
    QString className, instanceName, key, caption;
    FormKind kind = FormKind::Certificate;
    int pageCount = 1;
    QList<FormPage> pages;  // empty: registered, not laid out yet
    int activePage = 0;
    QMap<QString, QString> listSubstitutions;
    QList<FormButton> buttons;
    QString calibrationSet;
    QString schoolData, student, samples, copy;  // names of form-level data sets
    QMap<QString, QList<Preset>> presets;        // e.g. "newStudent"
    std::optional<LoadBar> loadBar;
    bool operator==(const FormSpec&) const = default;
};

// Everything in resources/layouts, parsed. Designs are fully resolved
// (extends applied); lists and data sets are kept by name.
class LayoutCatalog {
public:
    // The layouts compiled into the program.
    static const LayoutCatalog& builtIn();
    // A folder of layout files (tests, tools). Throws std::runtime_error with
    // the file and reason when a file cannot be read or parsed.
    static LayoutCatalog fromDirectory(const QString& dir);

    QList<FormSpec> forms;  // main window's order
    // Windows made at start like a registered form but outside every sweep of the main
    // window: nothing opens, clears, fills or saves them.
    QList<FormSpec> standaloneForms;
    QMap<QString, PageDesign> designs;
    QMap<QString, QStringList> lists;
    QMap<QString, QList<std::pair<QString, QString>>> schoolData;  // dialog edit -> form field
    QMap<QString, QList<StudentRule>> studentRules;
    QMap<QString, SampleSet> samples;
    QMap<QString, QList<CopyStep>> copyMaps;
    QMap<QString, QList<CopyBlock>> copyBlocks;
    // Stored field names of the student dialog and the school-data dialog, by
    // class name: what rules and pairs may read.
    QMap<QString, QStringList> dialogFields;

    const FormSpec* form(const QString& className) const;
    const FormSpec* formByInstance(const QString& instanceName) const;
    // The components of a form's pages in component order, with the form's
    // list substitutions applied to combo items.
    QList<LayoutComponent> components(const FormSpec& form) const;
    // The same without copying them: pointers into the designs, except for combos whose
    // items the form substitutes, which are copied into `substituted` and point there.
    std::vector<const LayoutComponent*>
    componentsInPlace(const FormSpec& form, std::deque<LayoutComponent>& substituted) const;
    // Unresolved references found while parsing (checked by the validator).
    QStringList problems;

    bool operator==(const LayoutCatalog&) const = default;
};
