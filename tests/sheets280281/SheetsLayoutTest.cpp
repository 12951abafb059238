// The ART-II/280/3 and ART-II/281/3 grade-sheet pages as data: counts and exact names,
// keys and captions, item lists, memo limits and wrap modes, read-only fields, load bars.
#include "forms/Layout.h"
#include "tests/forms/LayoutTestSupport.h"
#include "tests/forms/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct PageRow {
    const char* cls;
    const char* key;
    const char* caption;
    const char* calibrationSet;
    ComponentCounts n;
};

const PageRow kPages[] = {
    {"TFArkusz280str1",
     "ART-II/280/3 ARKUSZ OCEN STR 1 MUZYCZNA",
     "ART-II/280/3 Arkusz ocen - strona tytułowa",
     "arkusz_280_str1",
     {33, 0, 0, 45}},
    {"TFArkusz280str2",
     "ART-II/280/3 ARKUSZ OCEN STR 2 MUZYCZNA",
     "ART-II/280/3 Arkusz ocen str. 2",
     "arkusz_280_str2_5",
     {16, 11, 5, 48}},
    {"TFArkusz280str3",
     "ART-II/280/3 ARKUSZ OCEN STR 3 MUZYCZNA",
     "ART-II/280/3 Arkusz ocen str. 3",
     "arkusz_280_str2_5",
     {16, 11, 5, 48}},
    {"TFArkusz280str4",
     "ART-II/280/3 ARKUSZ OCEN STR 4 MUZYCZNA",
     "ART-II/280/3 Arkusz ocen str. 4",
     "arkusz_280_str2_5",
     {16, 11, 5, 48}},
    {"TFArkusz280str5",
     "ART-II/280/3 ARKUSZ OCEN STR 5 MUZYCZNA",
     "ART-II/280/3 Arkusz ocen str. 5",
     "arkusz_280_str2_5",
     {16, 11, 5, 48}},
    {"TFArkusz280str6",
     "ART-II/280/3 ARKUSZ OCEN STR 6 MUZYCZNA",
     "ART-II/280/3 Arkusz ocen str. 6",
     "arkusz_280_str6",
     {42, 66, 6, 70}},
    {"TFArkusz280str7",
     "ART-II/280/3 ARKUSZ OCEN STR 7 MUZYCZNA",
     "ART-II/280/3 Arkusz ocen str. 7",
     "arkusz_280_str7",
     {42, 66, 6, 74}},
    {"TFArkusz281str1",
     "ART-II/281/3 ARKUSZ OCEN STR 1 MUZYCZNA",
     "ART-II/281/3 Arkusz ocen - strona tytułowa",
     "arkusz_281_str1",
     {36, 0, 0, 43}},
    {"TFArkusz281str2",
     "ART-II/281/3 ARKUSZ OCEN STR 2 MUZYCZNA",
     "ART-II/281/3 Arkusz ocen str. 2",
     "arkusz_281_str2_6",
     {40, 62, 8, 79}},
    {"TFArkusz281str3",
     "ART-II/281/3 ARKUSZ OCEN STR 3 MUZYCZNA",
     "ART-II/281/3 Arkusz ocen str. 3",
     "arkusz_281_str2_6",
     {40, 62, 8, 79}},
    {"TFArkusz281str4",
     "ART-II/281/3 ARKUSZ OCEN STR 4 MUZYCZNA",
     "ART-II/281/3 Arkusz ocen str. 4",
     "arkusz_281_str2_6",
     {40, 62, 8, 79}},
    {"TFArkusz281str5",
     "ART-II/281/3 ARKUSZ OCEN STR 5 MUZYCZNA",
     "ART-II/281/3 Arkusz ocen str. 5",
     "arkusz_281_str2_6",
     {40, 62, 8, 79}},
    {"TFArkusz281str6",
     "ART-II/281/3 ARKUSZ OCEN STR 6 MUZYCZNA",
     "ART-II/281/3 Arkusz ocen str. 6",
     "arkusz_281_str2_6",
     {40, 62, 8, 79}},
    {"TFArkusz281str7",
     "ART-II/281/3 ARKUSZ OCEN STR 7 MUZYCZNA",
     "ART-II/281/3 Arkusz ocen str. 7",
     "arkusz_281_str2_6",
     {40, 62, 8, 79}},
};

}  // namespace

TEST(SheetsLayout, CountsNamesKeysAndCaptionsPerPage)
{
    const LayoutCatalog& cat = LayoutCatalog::builtIn();
    for (const PageRow& row : kPages) {
        SCOPED_TRACE(row.cls);
        const FormSpec* f = cat.form(row.cls);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->key, QString::fromUtf8(row.key));
        EXPECT_EQ(f->caption, QString::fromUtf8(row.caption));
        EXPECT_EQ(f->calibrationSet, row.calibrationSet);
        EXPECT_EQ(f->pages.size(), 1);
        const QList<LayoutComponent> comps = cat.components(*f);
        EXPECT_EQ(CountComponents(comps), row.n);
        EXPECT_EQ(ComponentNames(comps), CheckedInNames(row.cls));
    }
}

// One calibration set serves the pages of one layout, so they share every component.
TEST(SheetsLayout, PagesOfOneSetShareTheirComponents)
{
    const LayoutCatalog& cat = LayoutCatalog::builtIn();
    for (const char* cls :
         {"TFArkusz280str2", "TFArkusz280str3", "TFArkusz280str4", "TFArkusz280str5"})
        EXPECT_EQ(cat.form(cls)->pages[0].design, "sheet280_str2") << cls;
    for (const char* cls : {"TFArkusz281str2", "TFArkusz281str3", "TFArkusz281str4",
                            "TFArkusz281str5", "TFArkusz281str6", "TFArkusz281str7"})
        EXPECT_EQ(cat.form(cls)->pages[0].design, "sheet281_str2") << cls;
    // Page 7 of ART-II/280/3 is page 6 with the row of the external examination.
    QStringList six, seven;
    for (const LayoutComponent& c : cat.components(*cat.form("TFArkusz280str6")))
        six << c.name;
    for (const LayoutComponent& c : cat.components(*cat.form("TFArkusz280str7")))
        seven << c.name;
    for (const char* extra : {"STALY_Lp40_DATA_LABEL", "STALY_WynEgzam1_DATA_LABEL",
                              "STALY_WynEgzam2_DATA_LABEL", "STALY_WynEgzam3_DATA_LABEL"})
        seven.removeOne(extra);
    EXPECT_EQ(seven, six);
}

TEST(SheetsLayout, MemoLimitsAndWrapModes)
{
    struct Row {
        const char* cls;
        const char* memo;
        int lines;
        bool wrap;
    };
    const Row table[] = {
        {"TFArkusz280str2", "ZMIENNA_Zachowanie1_DATA_MEMO", 6, true},
        {"TFArkusz280str2", "ZMIENNA_ObZajEduOgol1_DATA_MEMO", 11, true},
        {"TFArkusz280str2", "ZMIENNA_SzczegolneOs_DATA_MEMO", 4, true},
        {"TFArkusz280str2", "ZMIENNA_InfoOEgzaminach_DATA_MEMO", 4, false},
        {"TFArkusz280str2", "ZMIENNA_DataUchwaly_DATA_MEMO", 4, false},
        {"TFArkusz280str6", "ZMIENNA_Szczegolne1_DATA_MEMO", 3, false},
        {"TFArkusz280str7", "ZMIENNA_Szczegolne2_DATA_MEMO", 3, false},
        {"TFArkusz280str6", "ZMIENNA_InfoOEgzaminach2_DATA_MEMO", 7, false},
        {"TFArkusz280str7", "ZMIENNA_DataUchwaly1_DATA_MEMO", 6, false},
        {"TFArkusz281str2", "ZMIENNA_Projekt1_DATA_MEMO", 3, false},
        {"TFArkusz281str7", "ZMIENNA_Projekt2_DATA_MEMO", 3, false},
        {"TFArkusz281str3", "ZMIENNA_Szczegolne2_DATA_MEMO", 3, false},
        {"TFArkusz281str4", "ZMIENNA_InfoOEgzaminach1_DATA_MEMO", 7, false},
        {"TFArkusz281str5", "ZMIENNA_DataUchwaly2_DATA_MEMO", 6, false},
    };
    const LayoutCatalog& cat = LayoutCatalog::builtIn();
    for (const Row& row : table) {
        SCOPED_TRACE(std::string(row.cls) + " " + row.memo);
        const QList<LayoutComponent> comps = cat.components(*cat.form(row.cls));
        const LayoutComponent* m = FindComponent(comps, row.memo);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->kind, ComponentKind::Memo);
        EXPECT_EQ(m->lineLimit, row.lines);
        EXPECT_EQ(m->wrap, row.wrap);
    }
}

TEST(SheetsLayout, ComboItemsAndTypingLimits)
{
    const QStringList behaviour = {"wzorowe",  "bardzo dobre",   "dobre",
                                   "poprawne", "nieodpowiednie", "naganne"};
    const QStringList grades = {"celujący",    "bardzo dobry",  "dobry",
                                "dostateczny", "dopuszczający", "niedostateczny"};
    const QStringList religion = grades + QStringList{"nie uczęszczała", "nie uczestniczyła",
                                                      "nie uczęszczał", "nie uczestniczył"};
    struct Row {
        const char* cls;
        const char* combo;
        const QStringList& items;
    };
    const Row table[] = {
        {"TFArkusz280str2", "ZMIENNA_Religia1_DATA_COMBOBOX", grades},
        {"TFArkusz280str5", "ZMIENNA_ObEduArtOcn10_DATA_COMBOBOX", grades},
        {"TFArkusz280str6", "ZMIENNA_ZachowanieOcn1_DATA_COMBOBOX", behaviour},
        {"TFArkusz280str7", "ZMIENNA_ReligiaOcn2_DATA_COMBOBOX", religion},
        {"TFArkusz280str6", "ZMIENNA_ObEduOcn142_DATA_COMBOBOX", grades},
        {"TFArkusz280str7", "ZMIENNA_NadobZajPozalekOcn41_DATA_COMBOBOX", grades},
        {"TFArkusz281str2", "ZMIENNA_ZachowanieOcn2_DATA_COMBOBOX", behaviour},
        {"TFArkusz281str6", "ZMIENNA_ReligiaOcn1_DATA_COMBOBOX", religion},
        {"TFArkusz281str7", "ZMIENNA_ObEduArtOcn122_DATA_COMBOBOX", grades},
    };
    const LayoutCatalog& cat = LayoutCatalog::builtIn();
    for (const Row& row : table) {
        SCOPED_TRACE(std::string(row.cls) + " " + row.combo);
        const QList<LayoutComponent> components = cat.components(*cat.form(row.cls));
        const LayoutComponent* c = FindComponent(components, row.combo);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->items, row.items);
        EXPECT_TRUE(c->editable);
    }
    // Every year-page edit and combo takes 40 typed characters but the page number.
    for (const char* cls : {"TFArkusz280str2", "TFArkusz280str7", "TFArkusz281str4"}) {
        for (const LayoutComponent& c : cat.components(*cat.form(cls))) {
            if (c.kind != ComponentKind::Edit && c.kind != ComponentKind::Combo)
                continue;
            EXPECT_EQ(c.maxLength, c.name == "ZMIENNA_Strona_DATA_EDIT" ? 0 : 40)
                << cls << " " << c.name.toStdString();
        }
    }
}

TEST(SheetsLayout, TitlePagesLockTheStudentFields)
{
    const LayoutCatalog& cat = LayoutCatalog::builtIn();
    const QStringList student = {
        "ZMIENNA_ImieNazwisko_DATA_EDIT",  "ZMIENNA_PrzyjetyA_DATA_EDIT",
        "ZMIENNA_DataUrodzenia_DATA_EDIT", "ZMIENNA_MiejsceUrodzenia_DATA_EDIT",
        "ZMIENNA_Pesel_DATA_EDIT",         "ZMIENNA_Wojewodztwo_DATA_EDIT",
        "ZMIENNA_WpisanyA_DATA_EDIT"};
    for (const char* cls : {"TFArkusz280str1", "TFArkusz281str1"}) {
        for (const LayoutComponent& c : cat.components(*cat.form(cls))) {
            if (c.kind != ComponentKind::Edit)
                continue;
            SCOPED_TRACE(std::string(cls) + " " + c.name.toStdString());
            EXPECT_EQ(c.readOnly || c.disabled, student.contains(c.name));
            EXPECT_EQ(c.maxLength, 0);
        }
    }
}

TEST(SheetsLayout, LoadBarsOfferTheirCertificates)
{
    struct Row {
        const char* cls;
        int code;
        QStringList captions;
        QStringList forms;
        int columns;
    };
    const QStringList c201 = {"ART-II/201/3", "ART-II/201-w/3"},
                      f201 = {"TFSwiad201", "TFSwiad201w"};
    const Row table[] = {
        {"TFArkusz280str2", 2, {"ART-II/200/3"}, {"TFSwiad200"}, 0},
        {"TFArkusz280str3", 3, {"ART-II/200/3"}, {"TFSwiad200"}, 0},
        {"TFArkusz280str4", 4, {"ART-II/200/3"}, {"TFSwiad200"}, 0},
        {"TFArkusz280str5", 5, {"ART-II/200/3"}, {"TFSwiad200"}, 0},
        {"TFArkusz280str6", 6, c201, f201, 2},
        {"TFArkusz280str7", 7, c201 + QStringList{"ART-II/220/3", "ART-II/220-w/3"},
         f201 + QStringList{"TFSwiad220", "TFSwiad220w"}, 2},
        {"TFArkusz281str2", 2812, c201, f201, 2},
        {"TFArkusz281str3", 2813, c201, f201, 2},
        {"TFArkusz281str4", 2814, c201 + QStringList{"ART-II/203/3", "ART-II/203-w/3"},
         f201 + QStringList{"TFSwiad203", "TFSwiad203w"}, 2},
        {"TFArkusz281str5", 2815, c201, f201, 2},
        {"TFArkusz281str6", 2816, c201, f201, 2},
        {"TFArkusz281str7", 2817, {"ART-II/204/3"}, {"TFSwiad204"}, 2},
    };
    const LayoutCatalog& cat = LayoutCatalog::builtIn();
    for (const Row& row : table) {
        SCOPED_TRACE(row.cls);
        const FormSpec* f = cat.form(row.cls);
        ASSERT_TRUE(f->loadBar.has_value());
        EXPECT_EQ(f->loadBar->pageCode, row.code);
        QStringList captions, forms;
        for (const LoadBarEntry& e : f->loadBar->certificates) {
            captions << e.caption;
            forms << e.formClass;
        }
        EXPECT_EQ(captions, row.captions);
        EXPECT_EQ(forms, row.forms);
        EXPECT_EQ(f->loadBar->columns.size(), row.columns);
        EXPECT_EQ(f->loadBar->certificateListName, "CertTypeComboBox");
        if (row.columns) {
            EXPECT_EQ(f->loadBar->columnListName, "ColumnComboBox");
        }
        EXPECT_TRUE(f->loadBar->namesCheckBox);
        QStringList roles;
        for (const FormButton& b : f->buttons)
            roles << b.role;
        EXPECT_EQ(roles, QStringList({"ok", "cancel", "load", "clear"}));
    }
}
