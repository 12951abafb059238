#pragma once
// The four leaving-certificate forms as the tests see them.
#include "forms/FormRegistry.h"
#include "tests/forms/FormRecords.h"

#include <QString>
#include <QStringList>

#include <vector>

struct LeavingForm {
    const char* cls;
    const char* key;
    const char* caption;
    QStringList tabs;
    int activePage;
    const char* calibrationSet;
    const char* frontPicture;
    const char* codeLabel;  // the printed form code
    const char* code;
    bool distinction;
    int edits, combos, memos, labels;
    const char* memo;
    const char* gradeList;  // the 16 grade items end "zwolniony", "zwolniona" or the other way
};

inline const std::vector<LeavingForm>& LeavingForms()
{
    static const std::vector<LeavingForm> forms = {
        {"TFSwiad220",
         "ART-II/220/3 MUZYCZNA",
         "ART-II/220/3 Świadectwo ukończenia ogólnokształcącej szkoły muzycznej I stopnia",
         {"Strona 1", "Strona 2", "Strona 3"},
         0,
         "swiad_220",
         "sw220_str1.jpg",
         "STALY_ART_STR1_DATA_LABEL",
         "ART-II/220/3",
         false,
         50,
         33,
         1,
         40,
         "ZMIENNA_Szczegolne_STR3_DATA_MEMO",
         "zwolniony"},
        {"TFSwiad220w",
         "ART-II/220-w/3 MUZYCZNA",
         "ART-II/220-w/3 Świadectwo ukończenia ogólnokształcącej szkoły muzycznej I stopnia z "
         "wyróżnieniem",
         {"Strona 1", "Strona 2", "Strona 3"},
         2,
         "swiad_220w",
         "sw220w_str1.jpg",
         "STALY_ART_STR1_DATA_LABEL",
         "ART-II/220-w/3",
         true,
         50,
         33,
         1,
         41,
         "ZMIENNA_Szczegolne_STR3_DATA_MEMO",
         "zwolniony"},
        {"TFSwiad221",
         "KONIEC MUZYCZNA",
         "Świadectwo ukończenia szkoły muzycznej",
         {"Strona 1", "Strona2"},
         0,
         "swiad_221",
         "sw221_str1.jpg",
         "STALY_MENiS_STR1_DATA_LABEL",
         "ART-II/221/3",
         false,
         40,
         20,
         1,
         33,
         "ZMIENNA_Szczegolne_STR2_DATA_MEMO",
         "zwolniona"},
        {"TFSwiad221w",
         "KONIEC WYR. MUZYCZNA",
         "Świadectwo ukończenia szkoły muzycznej z wyróżnieniem",
         {"Strona 1", "Strona2"},
         0,
         "swiad_221w",
         "sw221w_str1.jpg",
         "STALY_MENiS_STR1_DATA_LABEL",
         "ART-II/221-w/3",
         true,
         40,
         20,
         1,
         34,
         "ZMIENNA_Szczegolne_STR2_DATA_MEMO",
         "zwolniona"},
    };
    return forms;
}

inline bool Is220(const LeavingForm& f)
{
    return QString(f.cls).startsWith("TFSwiad220");
}

// Gives every stored field of a form a text of its own (memos two lines), so that any
// later write, an empty one included, shows in a snapshot.
inline void FillDistinct(DocumentForm& form, const QString& tag)
{
    SetStoredFields(form, [&](const LayoutComponent& c, int) {
        const QString text = tag + " " + c.name.mid(8, 14);
        return c.kind == ComponentKind::Memo ? text + "\r\ndruga ąę" : text;
    });
}
