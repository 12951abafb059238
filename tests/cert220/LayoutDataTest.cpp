// The leaving certificates as data: registry entries, counts and exact names, typing limits and
// states, grade lists, the twins' differences, and the windows built from them.
#include "forms/FormWindow.h"
#include "forms/LayoutValidator.h"
#include "platform/Controls.h"
#include "tests/cert220/LeavingForms.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/LayoutTestSupport.h"
#include "tests/forms/QtPrinters.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace {

const QStringList kGradesEndingZwolniona = {
    "celujący",      "bardzo dobry",     "dobry",         "dostateczny",
    "dopuszczający", "niedostateczny",   "uczęszczała",   "nie uczęszczała",
    "uczęszczał",    "nie uczęszczał",   "uczestniczyła", "nie uczestniczyła",
    "uczestniczył ", "nie uczestniczył", "zwolniona",     "zwolniony"};

}  // namespace

TEST(LeavingLayouts, ValidatorFindsNothingInTheFamily)
{
    const QStringList problems =
        ValidateLayouts(LayoutCatalog::builtIn()).filter(QRegularExpression("22[01]"));
    EXPECT_EQ(problems, QStringList());
}

// A copy of the layouts with one text of the family's files replaced (its last occurrence) must
// fail validation: a misspelt name would silently drop or never fill a stored field.
TEST(LeavingLayouts, ValidatorGuardsTheFamilysFiles)
{
    const LayoutEdit edits[] = {
        {"forms-cert220.json", "\"ZMIENNA_KierunekWydzial_DATA_EDIT\"",
         "\"ZMIENNA_KierunekWydzia_DATA_EDIT\"", "ZMIENNA_KierunekWydzia_DATA_EDIT"},
        {"forms-cert220.json", "\"target\": \"ZMIENNA_UkonczylA_STR1_DATA_EDIT\"",
         "\"target\": \"ZMIENNA_UkonczyLA_STR1_DATA_EDIT\"", "ZMIENNA_UkonczyLA_STR1_DATA_EDIT"},
        {"forms-cert220.json", "\"field\": \"ZMIENNA_ReligiaEtykaOcn_STR2_DATA_COMBOBOX\"",
         "\"field\": \"ZMIENNA_ReligiaEtykaOcn_STR2_DATA_EDIT\"",
         "ZMIENNA_ReligiaEtykaOcn_STR2_DATA_EDIT"},
        {"forms-cert220.json", "\"ZMIENNA_NadopowiazkoweOcn5_STR2_DATA_COMBOBOX\"",
         "\"ZMIENNA_NadobowiazkoweOcn5_STR2_DATA_COMBOBOX\"",
         "ZMIENNA_NadobowiazkoweOcn5_STR2_DATA_COMBOBOX"},
        {"forms-cert220.json", "\"ZMIENNA_ObEduArtOcn1{c}_DATA_COMBOBOX\"",
         "\"ZMIENNA_ObEduArtOc1{c}_DATA_COMBOBOX\"", "ZMIENNA_ObEduArtOc12_DATA_COMBOBOX"},
        {"forms-cert220.json", "\"target\": \"TFArkusz283str4\"", "\"target\": \"TFArkusz283str5\"",
         "has no copy block for page 4, column 2"},
        {"cert221_str2.json", "\"items\": \"grades205\"", "\"items\": \"grades250\"", "grades250"},
        {"cert220_str3.json", "\"lines\": 5", "\"lines\": 0", "without a line limit"},
    };
    for (const LayoutEdit& edit : edits)
        ExpectEditRejected(edit);
}

TEST(LeavingLayouts, RegistryEntriesCountsAndExactNames)
{
    const LayoutCatalog& cat = LayoutCatalog::builtIn();
    for (const LeavingForm& lf : LeavingForms()) {
        SCOPED_TRACE(lf.cls);
        const FormSpec* f = cat.form(lf.cls);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->key, lf.key);
        EXPECT_EQ(f->caption, lf.caption);
        EXPECT_EQ(f->pageCount, lf.tabs.size());
        QStringList tabs;
        for (const FormPage& p : f->pages)
            tabs << p.tab;
        EXPECT_EQ(tabs, lf.tabs);
        EXPECT_EQ(f->activePage, lf.activePage);
        EXPECT_EQ(f->calibrationSet, lf.calibrationSet);
        EXPECT_EQ(cat.designs.value(f->pages[0].design).picture, lf.frontPicture);
        QStringList buttons;
        for (const FormButton& b : f->buttons)
            buttons << b.name + "|" + b.caption + "|" + b.handler + "|" + b.role;
        EXPECT_EQ(buttons, QStringList({"LoadSchoolDataButton|Załaduj szablon danych szkoły|"
                                        "LoadSchoolDataButtonClick|schoolData",
                                        "OKButton|OK|OKButtonClick|ok",
                                        "CancelButton|Anuluj|CancelButtonClick|cancel"}));

        const QList<LayoutComponent> comps = cat.components(*f);
        EXPECT_EQ(CountComponents(comps),
                  (ComponentCounts{lf.edits, lf.combos, lf.memos, lf.labels}));
        EXPECT_EQ(ComponentNames(comps), CheckedInNames(lf.cls));
        EXPECT_EQ(FindComponent(comps, lf.codeLabel)->caption, lf.code);
        const LayoutComponent* distinction =
            FindComponent(comps, "STALY_ZWyroznieniem_STR1_DATA_LABEL");
        EXPECT_EQ(distinction != nullptr, lf.distinction);
        if (distinction) {
            EXPECT_EQ(distinction->caption, "z wyróżnieniem");
        }
        const LayoutComponent* memo = FindComponent(comps, lf.memo);
        ASSERT_NE(memo, nullptr);
        EXPECT_EQ(memo->lineLimit, 5);
        EXPECT_TRUE(memo->wrap);
        // Only the signature dots are plain labels, shown on screen only.
        QStringList plain;
        for (const LayoutComponent& c : comps)
            if (c.kind == ComponentKind::Label && !c.name.contains("_DATA_LABEL"))
                plain << c.name;
        EXPECT_EQ(plain, QStringList({"Label56", Is220(lf) ? "Label8" : "Label58"}));
    }
}

// A "-w" twin is its plain form plus the distinction label, with its own code and front picture.
TEST(LeavingLayouts, TwinsDifferOnlyWhereTheBlanksDo)
{
    const LayoutCatalog& cat = LayoutCatalog::builtIn();
    for (const auto& [plainClass, twinClass] :
         {std::pair{"TFSwiad220", "TFSwiad220w"}, {"TFSwiad221", "TFSwiad221w"}}) {
        SCOPED_TRACE(twinClass);
        QList<LayoutComponent> plain = cat.components(*cat.form(plainClass));
        QList<LayoutComponent> twin = cat.components(*cat.form(twinClass));
        twin.removeIf([](const LayoutComponent& c) {
            return c.name == "STALY_ZWyroznieniem_STR1_DATA_LABEL";
        });
        ASSERT_EQ(plain.size(), twin.size());
        for (qsizetype i = 0; i < plain.size(); ++i) {
            EXPECT_EQ(plain[i].name, twin[i].name);
            EXPECT_EQ(plain[i].rect, twin[i].rect) << plain[i].name.toStdString();
            if (!plain[i].name.startsWith("STALY_ART") &&
                !plain[i].name.startsWith("STALY_MENiS")) {
                EXPECT_EQ(plain[i].caption, twin[i].caption) << plain[i].name.toStdString();
            }
        }
        EXPECT_EQ(cat.form(plainClass)->pages.mid(1).size(),
                  cat.form(twinClass)->pages.mid(1).size());
        for (qsizetype p = 1; p < cat.form(plainClass)->pages.size(); ++p)
            EXPECT_EQ(cat.form(plainClass)->pages[p].design, cat.form(twinClass)->pages[p].design);
    }
}

TEST(LeavingLayouts, TypingLimitsAndStatesOfPageOne)
{
    struct Field {
        const char* name;
        int limit220, limit221;  // 0: not on that form
        bool disabled, readOnly;
    };
    const Field fields[] = {
        {"ZMIENNA_ImieNazwisko_STR1_DATA_EDIT", 43, 43, true, true},
        {"ZMIENNA_DataUrodzenia_STR1_DATA_EDIT", 28, 28, true, true},
        {"ZMIENNA_MiejsceUrodzenia_STR1_DATA_EDIT", 28, 28, true, true},
        {"ZMIENNA_NumerPESEL_STR1_DATA_EDIT", 28, 28, true, true},
        {"ZMIENNA_RokSzkolny1_STR1_DATA_EDIT", 4, 4, false, false},
        {"ZMIENNA_RokSzkolny2_STR1_DATA_EDIT", 4, 4, false, false},
        {"ZMIENNA_UkonczylA_STR1_DATA_EDIT", 1, 1, true, false},
        {"ZMIENNA_WydzialSpecjalnosc_STR1_DATA_EDIT", 72, 0, false, false},
        {"ZMIENNA_NazwaSzkoly1_STR1_DATA_EDIT", 0, 72, false, false},
        {"ZMIENNA_ImieSzkoly_STR1_DATA_EDIT", 69, 0, false, false},
        {"ZMIENNA_ImieSzkoly1_STR1_DATA_EDIT", 0, 69, false, false},
        {"ZMIENNA_SzkolaWE_STR1_DATA_EDIT", 1, 1, false, false},
        {"ZMIENNA_SzkolaMiasto_STR1_DATA_EDIT", 32, 32, false, false},
        {"ZMIENNA_SzkolaWoj_STR1_DATA_EDIT", 32, 32, false, false},
        {"ZMIENNA_OLetnim_STR1_DATA_EDIT", 0, 32, false, false},
        {"ZMIENNA_WZakresieGryNa_STR1_DATA_EDIT", 32, 40, false, false},
        {"ZMIENNA_UchwalaDnia_STR1_DATA_EDIT", 23, 23, false, false},
        {"ZMIENNA_UchwalaRok_STR1_DATA_EDIT", 4, 4, false, false},
        {"ZMIENNA_Miejscowosc_STR1_DATA_EDIT", 33, 33, false, false},
        {"ZMIENNA_MiejscowoscDnia_STR1_DATA_EDIT", 23, 23, false, false},
        {"ZMIENNA_MiejscowoscRok_STR1_DATA_EDIT", 4, 4, false, false},
        {"ZMIENNA_NrNaSwiadectwie_STR1_DATA_EDIT", 11, 11, false, true},
    };
    const LayoutCatalog& cat = LayoutCatalog::builtIn();
    for (const LeavingForm& lf : LeavingForms()) {
        SCOPED_TRACE(lf.cls);
        const QList<LayoutComponent> comps = cat.components(*cat.form(lf.cls));
        int pageOneFields = 0;
        for (const LayoutComponent& c : comps)
            pageOneFields += c.isStored() && c.name.contains("_STR1_");
        int expected = 0;
        for (const Field& field : fields) {
            const int limit = Is220(lf) ? field.limit220 : field.limit221;
            const LayoutComponent* c = FindComponent(comps, field.name);
            EXPECT_EQ(c != nullptr, limit > 0) << field.name;
            if (!c)
                continue;
            ++expected;
            EXPECT_EQ(c->kind, ComponentKind::Edit) << field.name;
            EXPECT_EQ(c->maxLength, limit) << field.name;
            EXPECT_EQ(c->disabled, field.disabled) << field.name;
            EXPECT_EQ(c->readOnly, field.readOnly) << field.name;
        }
        EXPECT_EQ(pageOneFields, expected);
        for (const LayoutComponent& c : comps) {
            if (c.isStored() && !c.name.contains("_STR1_") && c.kind == ComponentKind::Edit) {
                EXPECT_EQ(c.maxLength, 42) << c.name.toStdString();
                EXPECT_FALSE(c.disabled || c.readOnly) << c.name.toStdString();
            }
        }
    }
}

TEST(LeavingLayouts, EveryGradeIsAnEditableComboOfTheSixteenGrades)
{
    QStringList endingZwolniony = kGradesEndingZwolniona;
    endingZwolniony.swapItemsAt(14, 15);
    const LayoutCatalog& cat = LayoutCatalog::builtIn();
    for (const LeavingForm& lf : LeavingForms()) {
        SCOPED_TRACE(lf.cls);
        const QStringList& grades =
            QString(lf.gradeList) == "zwolniony" ? endingZwolniony : kGradesEndingZwolniona;
        int combos = 0;
        for (const LayoutComponent& c : cat.components(*cat.form(lf.cls))) {
            if (c.kind != ComponentKind::Combo)
                continue;
            ++combos;
            EXPECT_EQ(c.items, grades) << c.name.toStdString();
            EXPECT_TRUE(c.editable);
            EXPECT_EQ(c.maxLength, 31);
        }
        EXPECT_EQ(combos, lf.combos);
    }
}

TEST(LeavingWindows, TabsFirstShownAndButtons)
{
    EnsureApplication();
    FormRegistry registry;
    for (const LeavingForm& lf : LeavingForms()) {
        SCOPED_TRACE(lf.cls);
        FormWindow& w = registry.form(lf.cls)->window();
        w.prepareShow();
        EXPECT_EQ(w.windowTitle(), lf.caption);
        ASSERT_EQ(w.pages()->count(), lf.tabs.size());
        for (int i = 0; i < lf.tabs.size(); ++i)
            EXPECT_EQ(w.pages()->tabText(i), lf.tabs[i]);
        EXPECT_EQ(w.pages()->currentIndex(), lf.activePage);
        for (const char* button : {"OKButton", "CancelButton", "LoadSchoolDataButton"}) {
            auto* b = w.findChild<QPushButton*>(button);
            ASSERT_NE(b, nullptr) << button;
            EXPECT_FALSE(b->isDefault());
        }
    }
}
