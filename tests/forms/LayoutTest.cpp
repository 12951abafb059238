// The layouts as data: counts and exact names per form, and the validator's
// guard against misspelt names.
#include "forms/Layout.h"
#include "forms/LayoutValidator.h"
#include "tests/forms/LayoutTestSupport.h"
#include "tests/forms/QtPrinters.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Layouts, BuiltInCatalogIsSound)
{
    const LayoutCatalog& cat = LayoutCatalog::builtIn();
    EXPECT_EQ(ValidateLayouts(cat), QStringList());
    EXPECT_EQ(cat.forms.size(), 48);
}

TEST(Layouts, StorageMarkersAreFoundAnywhereInTheName)
{
    struct Row {
        const char* name;
        bool edit, combo, memo;
    };
    const Row table[] = {
        {"Imie_DATA_EDIT", true, false, false},
        {"Plec_DATA_COMBOBOX", false, true, false},
        {"Uwagi_DATA_MEMO", false, false, true},
        {"Ocena_DATA_EDIT2", true, false, false},          // a marker need not end the name
        {"X_DATA_DATA_MEMO", false, false, true},          // overlapping "_DATA_"
        {"A_DATA_EDIT_DATA_COMBOBOX", true, true, false},  // both are counted
        {"Naglowek_DATA_LABEL", false, false, false},
        {"imie_data_edit", false, false, false},  // markers are upper case
        {"X_DATA_", false, false, false},
        {"_DATA_EDI", false, false, false},
        {"", false, false, false},
    };
    for (const Row& r : table) {
        LayoutComponent c;
        c.name = QString::fromLatin1(r.name);
        const StoredMarkers m = StoredMarkersIn(c.name);
        EXPECT_EQ(m.edit, r.edit) << r.name;
        EXPECT_EQ(m.combo, r.combo) << r.name;
        EXPECT_EQ(m.memo, r.memo) << r.name;
        EXPECT_EQ(c.isStored(), r.edit || r.combo || r.memo) << r.name;
    }
}

TEST(Layouts, CountsAndExactNamesPerForm)
{
    struct Row {
        const char* cls;
        ComponentCounts n;
    };
    const Row table[] = {
        {"TFSwiad205kl1", {49, 22, 1, 36}},    {"TFSwiad205wkl1", {47, 22, 1, 35}},
        {"TFSwiad205kl2", {49, 22, 1, 36}},    {"TFSwiad205wkl2", {47, 22, 1, 35}},
        {"TFSwiad205kl3", {49, 22, 1, 36}},    {"TFSwiad205wkl3", {47, 22, 1, 35}},
        {"TFSwiad205kl4", {49, 22, 1, 36}},    {"TFSwiad205wkl4", {47, 22, 1, 35}},
        {"TFSwiad205kl5", {49, 22, 1, 36}},    {"TFSwiad205wkl5", {47, 22, 1, 35}},
        {"TFSwiad205kl6", {49, 22, 1, 36}},    {"TFSwiad205wkl6", {47, 22, 1, 35}},
        {"TFArkusz283str1", {37, 0, 0, 41}},   {"TFArkusz283str2", {44, 68, 6, 68}},
        {"TFArkusz283str3", {15, 102, 9, 44}}, {"TFArkusz283str4", {44, 68, 6, 68}},
    };
    const LayoutCatalog& cat = LayoutCatalog::builtIn();
    for (const Row& row : table) {
        SCOPED_TRACE(row.cls);
        const FormSpec* f = cat.form(row.cls);
        ASSERT_NE(f, nullptr);
        const QList<LayoutComponent> comps = cat.components(*f);
        const ComponentCounts n = CountComponents(comps);
        EXPECT_EQ(n.edits, row.n.edits);
        EXPECT_EQ(n.combos, row.n.combos);
        EXPECT_EQ(n.memos, row.n.memos);
        EXPECT_EQ(n.labels, row.n.labels);
        EXPECT_EQ(ComponentNames(comps), CheckedInNames(row.cls));
    }
}

TEST(Layouts, RegistryInMainWindowOrder)
{
    const LayoutCatalog& cat = LayoutCatalog::builtIn();
    const QStringList expected = {
        "TFSwiad200",      "TFSwiad200a",     "TFSwiad201",      "TFSwiad201w",
        "TFSwiad201b",     "TFSwiad201bw",    "TFSwiad201c",     "TFSwiad201cw",
        "TFSwiad203",      "TFSwiad203w",     "TFSwiad204",      "TFSwiad204a",
        "TFSwiad205kl1",   "TFSwiad205wkl1",  "TFSwiad205kl2",   "TFSwiad205wkl2",
        "TFSwiad205kl3",   "TFSwiad205wkl3",  "TFSwiad205kl4",   "TFSwiad205wkl4",
        "TFSwiad205kl5",   "TFSwiad205wkl5",  "TFSwiad205kl6",   "TFSwiad205wkl6",
        "TFSwiad205a",     "TFSwiad205aw",    "TFSwiad220",      "TFSwiad220w",
        "TFSwiad221",      "TFSwiad221w",     "TFArkusz280str1", "TFArkusz280str2",
        "TFArkusz280str3", "TFArkusz280str4", "TFArkusz280str5", "TFArkusz280str6",
        "TFArkusz280str7", "TFArkusz281str1", "TFArkusz281str2", "TFArkusz281str3",
        "TFArkusz281str4", "TFArkusz281str5", "TFArkusz281str6", "TFArkusz281str7",
        "TFArkusz283str1", "TFArkusz283str2", "TFArkusz283str3", "TFArkusz283str4"};
    QStringList classes;
    for (const FormSpec& f : cat.forms)
        classes << f.className;
    EXPECT_EQ(classes, expected);
    EXPECT_EQ(cat.form("TFSwiad205wkl3")->key, "KLASA III WYR. MUZYCZNA");
    EXPECT_EQ(cat.form("TFArkusz283str2")->key, "ARKUSZ OCEN STR 2 MUZYCZNA");
    EXPECT_EQ(cat.form("TFSwiad221")->key, "KONIEC MUZYCZNA");
    EXPECT_EQ(cat.form("TFSwiad201c")->pageCount, 4);
    for (const FormSpec& f : cat.forms) {  // every window can be left
        QStringList roles;
        for (const FormButton& b : f.buttons)
            roles << b.role;
        EXPECT_TRUE(roles.contains("ok") && roles.contains("cancel")) << f.className.toStdString();
    }
}

TEST(Layouts, GradeItemsAndTabCaptions)
{
    const LayoutCatalog& cat = LayoutCatalog::builtIn();
    auto itemsOf = [&](const char* cls) {
        for (const LayoutComponent& c : cat.components(*cat.form(cls)))
            if (c.name == "ZMIENNA_ObowiazkowyEduOcn1_STR2_DATA_COMBOBOX")
                return c.items;
        return QStringList();
    };
    const QStringList kl1 = itemsOf("TFSwiad205kl1"), kl2 = itemsOf("TFSwiad205kl2");
    ASSERT_EQ(kl1.size(), 16);
    EXPECT_EQ(kl1[14], "zwolniony");
    EXPECT_EQ(kl1[15], "zwolniona");
    EXPECT_EQ(kl2[14], "zwolniona");
    EXPECT_EQ(kl2[15], "zwolniony");
    EXPECT_EQ(itemsOf("TFSwiad205wkl1")[14], "zwolniona");
    EXPECT_EQ(kl2[12], "uczestniczył ");
    const FormSpec* f = cat.form("TFSwiad205kl4");
    EXPECT_EQ(f->pages[0].tab, "Strona 1");
    EXPECT_EQ(f->pages[1].tab, "Strona2");
}

// A copy of the layouts with one text replaced must fail validation.
TEST(Layouts, ValidatorRejectsMisspeltNames)
{
    const LayoutEdit edits[] = {
        {"forms.json", "\"ZMIENNA_PromocjaDoKlasy_DATA_EDIT\"",
         "\"ZMIENNA_PromocjaDoKlassy_DATA_EDIT\"", "ZMIENNA_PromocjaDoKlassy_DATA_EDIT"},
        {"forms.json", "\"ZMIENNA_ImieSzkoly2_STR1_DATA_EDIT\"",
         "\"ZMIENNA_ImieSzkoly_STR1_DATA_EDIT\"", "ZMIENNA_ImieSzkoly_STR1_DATA_EDIT"},
        {"forms.json", "\"ZMIENNA_NadobowiazkoweZajOcn1{c}", "\"ZMIENNA_NadobowiazkoweZajOcm1{c}",
         "NadobowiazkoweZajOcm"},
        {"forms.json", "\"to\": \"ZMIENNA_Klasa{c}_DATA_EDIT\"",
         "\"to\": \"ZMIENNA_Klassa{c}_DATA_EDIT\"", "ZMIENNA_Klassa1_DATA_EDIT"},
        {"forms.json", "\"target\": \"ZMIENNA_OtrzymalA_STR1_DATA_EDIT\"",
         "\"target\": \"ZMIENNA_OtrzymaLA_STR1_DATA_EDIT\"", "ZMIENNA_OtrzymaLA_STR1_DATA_EDIT"},
        {"forms.json", "\"field\": \"ZMIENNA_UchwalaRok_STR1_DATA_EDIT\"",
         "\"field\": \"ZMIENNA_UchwalaRok_STR2_DATA_EDIT\"", "ZMIENNA_UchwalaRok_STR2_DATA_EDIT"},
        {"cert205_str2.json", "\"name\": \"ZMIENNA_ObowiazkowyEduOpis9_STR2_DATA_EDIT\"",
         "\"name\": \"ZMIENNA_OBOWIAZKOWYEDUOPIS1_STR2_DATA_EDIT\"", "when case is ignored"},
        {"cert205_str2.json", "\"kind\": \"memo\"", "\"kind\": \"edit\"",
         "needs its own data marker"},
        {"cert205_str2.json", "\"items\": \"grades205\"", "\"items\": \"grades250\"", "grades250"},
        {"sheet283_str3.json", "\"lines\": 6", "\"lines\": 0", "without a line limit"},
        {"documents.json", "\"form\": \"TFSwiad221w\"", "\"form\": \"TFSwiad221W\"",
         "\"TFSwiad221w\" has no label"},
        {"cert205_str1.json", "\"name\": \"STALY_Slash_STR1_DATA_LABEL\"",
         "\"name\": \"STALY_Slash_STR1_DATA_EDIT\"", "a label carries"},
    };
    for (const LayoutEdit& edit : edits)
        ExpectEditRejected(edit);
}

// Every component lies within the page and no two of one page overlap, so each field
// stands on its own place of the blank.
TEST(Layouts, ComponentsLieApartWithinThePage)
{
    const LayoutCatalog& cat = LayoutCatalog::builtIn();
    for (const PageDesign& d : cat.designs) {
        SCOPED_TRACE(d.name.toStdString());
        for (qsizetype i = 0; i < d.components.size(); ++i) {
            const PageRect& a = d.components[i].rect;
            EXPECT_TRUE(0 <= a.x1 && a.x1 < a.x2 && a.x2 <= kPageWidth && 0 <= a.y1 &&
                        a.y1 < a.y2 && a.y2 <= kPageHeight)
                << d.components[i].name.toStdString();
            for (qsizetype j = i + 1; j < d.components.size(); ++j) {
                const PageRect& b = d.components[j].rect;
                EXPECT_FALSE(a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2)
                    << d.components[i].name.toStdString() << " overlaps "
                    << d.components[j].name.toStdString();
            }
        }
    }
}

namespace {

void WriteFile(const QTemporaryDir& dir, const char* name, const char* json)
{
    QFile f(dir.filePath(QString::fromUtf8(name)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(json);
}

}  // namespace

// A family's own file completes its registered forms and adds its named data; a form it does
// not know and a name defined twice are reported, so two families cannot silently clash.
TEST(Layouts, FamilyFilesCompleteTheRegistry)
{
    QTemporaryDir dir;
    const auto write = [&](const char* name, const char* json) { WriteFile(dir, name, json); };
    write("forms.json",
          R"({"forms": [{"class": "TFA", "instance": "FA", "key": "A"},
                                      {"class": "TFB", "instance": "FB", "key": "B"}],
                            "samples": {"shared": {"steps": []}}})");
    write("forms-fam.json", R"({"forms": [{"class": "TFB", "caption": "Strona B"},
                                          {"class": "TFC", "key": "C"}],
                                "samples": {"fam": {"steps": []}, "shared": {"steps": []}}})");
    write("lists.json", R"({"g": ["a"]})");
    write("lists-fam.json", R"({"h": ["b"], "g": ["c"]})");
    const LayoutCatalog cat = LayoutCatalog::fromDirectory(dir.path());

    ASSERT_EQ(cat.forms.size(), 2);
    EXPECT_EQ(cat.forms[1].key, "B");
    EXPECT_EQ(cat.form("TFB")->caption, "Strona B");
    EXPECT_TRUE(cat.samples.contains("fam"));
    EXPECT_TRUE(cat.lists.contains("h"));
    const QString problems = cat.problems.join('\n');
    EXPECT_TRUE(problems.contains("\"TFC\" is not registered")) << problems.toStdString();
    EXPECT_TRUE(problems.contains("samples \"shared\" defined twice")) << problems.toStdString();
    EXPECT_TRUE(problems.contains("list \"g\" defined twice")) << problems.toStdString();
}

// The page count and calibration set of a registered form are its label's type's in
// documents.json, never the registry's own; a standalone form copies its twin's.
TEST(Layouts, RegisteredFormsPrintAsTheirLabelsType)
{
    QTemporaryDir dir;
    const auto write = [&](const char* name, const char* json) { WriteFile(dir, name, json); };
    write("documents.json",
          R"({"types": [{"set": "swiad_a", "pages": 3}, {"set": "arkusz_b", "pages": 1}],
              "labels": [{"label": "A", "form": "TFA", "type": 0}, {"separator": true},
                         {"label": "B", "form": "TFB", "type": 1}]})");
    write("forms.json",
          R"({"forms": [{"class": "TFA", "instance": "FA", "key": "A"},
                        {"class": "TFB", "instance": "FB", "key": "B"},
                        {"class": "TFC", "instance": "FC", "key": "C", "pageCount": 2}],
              "standaloneForms": [{"class": "TFA2", "instance": "FA2", "sameAs": "TFA",
                                   "calibrationSet": "swiad_a2"}]})");
    const LayoutCatalog cat = LayoutCatalog::fromDirectory(dir.path());

    EXPECT_EQ(cat.form("TFA")->pageCount, 3);
    EXPECT_EQ(cat.form("TFA")->calibrationSet, "swiad_a");
    EXPECT_EQ(cat.form("TFB")->pageCount, 1);
    EXPECT_EQ(cat.form("TFB")->calibrationSet, "arkusz_b");
    ASSERT_EQ(cat.standaloneForms.size(), 1);
    EXPECT_EQ(cat.standaloneForms[0].pageCount, 3);
    EXPECT_EQ(cat.standaloneForms[0].calibrationSet, "swiad_a2");
    const QString problems = cat.problems.join('\n');
    EXPECT_TRUE(problems.contains("\"TFC\": pageCount comes from documents.json"))
        << problems.toStdString();
    EXPECT_TRUE(problems.contains("\"TFC\" has no label in documents.json"))
        << problems.toStdString();
}

TEST(Layouts, StandaloneTitlePageCopiesItsRegisteredTwin)
{
    const LayoutCatalog& cat = LayoutCatalog::builtIn();
    ASSERT_EQ(cat.standaloneForms.size(), 1);
    const FormSpec& page = cat.standaloneForms.front();
    const FormSpec& base = *cat.form("TFArkusz280str1");
    EXPECT_EQ(page.className, "TFArkusz280astr1");
    EXPECT_EQ(page.caption, "ART-II/280/3a Arkusz ocen - strona tytułowa");
    EXPECT_EQ(page.key, "");
    EXPECT_EQ(page.pages.size(), base.pages.size());
    EXPECT_EQ(page.buttons.size(), base.buttons.size());
    EXPECT_EQ(cat.form("TFArkusz280astr1"), nullptr);  // not one of the 48 swept forms
}
