#pragma once
// The catalogue of document types, tree labels and calibration sets: the one table the
// student tree, the show/edit/print dispatch, the renderer and the calibration window use.
// Its rows are data (resources/layouts/documents.json), turned into tables at build time.
// Labels and set names are compared byte for byte (UTF-8).

#include <span>
#include <string>
#include <string_view>

inline constexpr int kDocumentTypeCount = 34;  // RenderTypeIndex 0..33
inline constexpr int kFirstSheetType = 20;     // 0..19 certificates, 20..33 grade-sheet pages

struct DocumentType {
    int type;
    std::string_view set;        // calibration set; certificates also have set + "_bk"
    std::string_view formClass;  // empty for the types no command renders (30..33)
    std::string_view document;
    int pages;                        // 0: rendered by nothing
    bool defaultA4Portrait;           // DefaultA4 and DefaultPortrait (always equal)
    std::string_view previewPicture;  // loaded under page 1 of the preview
    bool tab3, tab4;                  // preview tabs "Strona 3", "Strona 4" shown (certificates
                                      // always show "Strona 2", grade-sheet pages none)
};

struct DocumentLabel {
    std::string_view label;  // empty: a separator node
    std::string_view formClass;
    int type;
    int pages;  // pages and defaultA4Portrait: those of the type
    bool defaultA4Portrait;
    bool inTree;
};

enum class NoDotsOption { Unchecked, Checked, NotTouched };

struct CalibrationPreview {
    std::string_view set;
    std::string_view twin;  // the "_bk" twin that shares the row, or empty
    std::string_view formClass;
    int type;
    int pages;
    NoDotsOption noDots;  // for `set`; the twin always checks "Wyłącz kropki"
};

std::span<const DocumentType> DocumentTypes();   // 34 rows, index = type
const DocumentType* FindDocumentType(int type);  // nullptr outside 0..33
bool IsCertificateType(int type);                // 0..19

// The 53 children of a student node in tree order (separators have an empty label),
// followed by the two labels no node carries: 55 rows, 48 with a label.
std::span<const DocumentLabel> DocumentLabels();
// The row whose label equals `label` byte for byte; nullptr for none (and for "").
const DocumentLabel* FindDocumentLabel(std::string_view label);

std::span<const CalibrationPreview> CalibrationPreviews();  // 30 rows
// The preview of a set (plain or twin); `noDots` gets the option state that goes with it.
const CalibrationPreview* FindCalibrationPreview(std::string_view set,
                                                 NoDotsOption* noDots = nullptr);

// The forms whose sample texts the calibration preview shows, in the order they are filled:
// every form a preview draws except TFSwiad205aw, which has no sample texts (29 rows).
std::span<const std::string_view> CalibrationSampleForms();

// All 54 calibration set names in the calibration file's table order: each certificate set
// followed by its "_bk" twin, then the grade-sheet sets.
std::span<const std::string_view> CalibrationSetNames();

// The set a render of `type` draws: the certificate's twin when dot leaders are switched
// off; grade-sheet sets have no twin. Empty outside 0..33.
std::string RenderSetName(int type, bool printNoDots);
