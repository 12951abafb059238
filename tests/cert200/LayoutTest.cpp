// The family's forms as data: identity, counts and exact names, pages and pictures,
// item lists, memo limits and the states of the fields the student dialog fills.
#include "forms/Layout.h"
#include "forms/LayoutValidator.h"
#include "tests/cert200/Cert200Forms.h"
#include "tests/forms/LayoutTestSupport.h"
#include "tests/forms/QtPrinters.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const LayoutCatalog& Catalog()
{
    return LayoutCatalog::builtIn();
}

}  // namespace

TEST(Cert200Layout, ValidatorFindsNothingInTheFamily)
{
    const QRegularExpression ours(
        R"(\bTFSwiad20(0a?|3w?|4a?|5aw?)\b|\bcert20(0a?|3w?|4a?|5aw?)_|-cert200|grades200)");
    QStringList problems;
    for (const QString& p : ValidateLayouts(Catalog()))
        if (ours.match(p).hasMatch())
            problems << p;
    EXPECT_EQ(problems, QStringList());
}

TEST(Cert200Layout, IdentityCountsAndExactNames)
{
    for (const Cert200Form& want : Cert200Forms()) {
        SCOPED_TRACE(want.cls);
        const FormSpec* f = Catalog().form(want.cls);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->key, want.key);
        EXPECT_EQ(f->caption, want.caption);
        EXPECT_EQ(f->kind, FormKind::Certificate);
        EXPECT_EQ(f->calibrationSet, want.calibrationSet);
        ASSERT_EQ(f->pages.size(), f->pageCount);
        QStringList tabs;
        for (const FormPage& p : f->pages)
            tabs << p.tab;
        EXPECT_EQ(tabs, want.tabs);

        QStringList buttons;
        for (const FormButton& b : f->buttons)
            buttons << b.name + "|" + b.caption + "|" + b.handler + "|" + b.role;
        const QStringList shapeB = {"LoadSchoolDataButton|Załaduj szablon danych "
                                    "szkoły|LoadSchoolDataButtonClick|schoolData",
                                    "OKButton|OK|OKButtonClick|ok",
                                    "CancelButton|Anuluj|CancelButtonClick|cancel"};
        const QStringList shapeA = {"btnLoadSchoolTemplate|Wczytaj dane szkoły z "
                                    "szablonu|btnLoadSchoolTemplateClick|schoolData",
                                    "btnOK|OK|btnOKClick|ok",
                                    "bntCancel|Anuluj|bntCancelClick|cancel"};
        EXPECT_EQ(buttons, want.shapeB ? shapeB : shapeA);
        EXPECT_EQ(!f->copy.isEmpty(),
                  QStringList({"TFSwiad200", "TFSwiad203", "TFSwiad203w", "TFSwiad204"})
                      .contains(want.cls));

        const QList<LayoutComponent> comps = Catalog().components(*f);
        for (const LayoutComponent& c : comps) {
            if (c.kind == ComponentKind::Label &&
                !c.name.contains("_DATA_")) {  // screen-only rows of dots
                EXPECT_TRUE(c.caption.startsWith("....")) << c.name.toStdString();
            }
        }
        const ComponentCounts n = CountComponents(comps);
        EXPECT_EQ(n.edits, want.edits);
        EXPECT_EQ(n.combos, want.combos);
        EXPECT_EQ(n.memos, want.memos);
        EXPECT_EQ(n.labels, want.labels);
        EXPECT_EQ(ComponentNames(comps), CheckedInNames(want.cls));
    }
}

// Each page has a blank of its own, named after the document and page; fronts carry
// the emblem and the stamp place.
TEST(Cert200Layout, PagesAndPictures)
{
    const QRegularExpression picture(R"(^sw(20[0345]a?w?)_str(\d)\.jpg$)");
    for (const Cert200Form& want : Cert200Forms()) {
        SCOPED_TRACE(want.cls);
        const FormSpec* f = Catalog().form(want.cls);
        for (qsizetype i = 0; i < f->pages.size(); ++i) {
            const PageDesign& d = Catalog().designs[f->pages[i].design];
            EXPECT_EQ(d.page, i + 1);
            const QRegularExpressionMatch m = picture.match(d.picture);
            ASSERT_TRUE(m.hasMatch()) << d.picture.toStdString();
            EXPECT_EQ(m.captured(2).toInt(), d.page);
            QStringList drawings;
            for (const DrawingElement& e : d.drawings)
                drawings << e.name;
            EXPECT_EQ(drawings, d.page == 1
                                    ? QStringList({"GRAFIKA: ORZELEK", "GRAFIKA: PIECZATKA"})
                                    : QStringList());
            for (const LayoutComponent& c : d.components) {  // page part of every name agrees
                if (c.name.contains("_DATA_")) {
                    EXPECT_TRUE(c.name.contains(QString("_STR%1_DATA_").arg(d.page)))
                        << c.name.toStdString();
                }
            }
        }
    }
}

TEST(Cert200Layout, EveryComboIsAnEditableListOfTheSixteenGrades)
{
    const QStringList grades = {
        "celujący",      "bardzo dobry",     "dobry",         "dostateczny",
        "dopuszczający", "niedostateczny",   "uczęszczała",   "nie uczęszczała",
        "uczęszczał",    "nie uczęszczał",   "uczestniczyła", "nie uczestniczyła",
        "uczestniczył ", "nie uczestniczył", "zwolniony",     "zwolniona"};
    for (const Cert200Form& want : Cert200Forms())
        for (const LayoutComponent& c : BuiltInComponents(want.cls))
            if (c.kind == ComponentKind::Combo) {
                EXPECT_EQ(c.items, grades) << c.name.toStdString();
                EXPECT_TRUE(c.editable) << c.name.toStdString();
                EXPECT_EQ(c.maxLength, 31) << c.name.toStdString();
            }
}

TEST(Cert200Layout, MemosWrapWithTheirLineLimits)
{
    for (const Cert200Form& want : Cert200Forms()) {
        SCOPED_TRACE(want.cls);
        QStringList memos;
        for (const LayoutComponent& c : BuiltInComponents(want.cls))
            if (c.kind == ComponentKind::Memo) {
                memos << c.name;
                EXPECT_TRUE(c.wrap) << c.name.toStdString();
                EXPECT_EQ(c.maxLength, 0);
            }
        QStringList limited;
        const QList<LayoutComponent> components = BuiltInComponents(want.cls);
        for (const MemoLimit& m : want.memoLimits) {
            limited << m.name;
            const LayoutComponent* c = FindComponent(components, m.name);
            ASSERT_NE(c, nullptr) << m.name;
            EXPECT_EQ(c->lineLimit, m.lines) << m.name;
        }
        memos.sort();
        limited.sort();
        EXPECT_EQ(memos, limited);
    }
}

// Typing limits and states where the forms differ from one another.
TEST(Cert200Layout, TypingLimitsAndStates)
{
    struct Row {
        const char* cls;
        const char* name;
        int maxLength;
        bool disabled, readOnly;
    };
    const Row rows[] = {
        {"TFSwiad200", "ZMIENNA_ImieNazwisko_STR1_DATA_EDIT", 43, true, true},
        {"TFSwiad200", "ZMIENNA_NrNaSwiadectwie_STR1_DATA_EDIT", 11, false, true},
        {"TFSwiad200", "ZMIENNA_UczeszczalA_STR1_DATA_EDIT", 1, true, false},
        {"TFSwiad200", "ZMIENNA_ObowiazkoweZajArtOpis5_STR2_DATA_EDIT", 42, false, false},
        {"TFSwiad200a", "ZMIENNA_ObowiazkoweZajArtOpis5_STR2_DATA_EDIT", 0, false, false},
        {"TFSwiad200a", "ZMIENNA_ProgramKlasy_STR1_DATA_EDIT", 23, false, false},
        {"TFSwiad200a", "ZMIENNA_NazwaSzkoly2_STR1_DATA_EDIT", 72, false, false},
        {"TFSwiad203", "ZMIENNA_NieOtrzymalProm_STR1_DATA_EDIT", 3, false, false},
        {"TFSwiad203w", "ZMIENNA_OtrzymalA_STR1_DATA_EDIT", 1, true, false},
        {"TFSwiad203w", "ZMIENNA_PromDoKlasy_STR1_DATA_EDIT", 32, false, false},
        {"TFSwiad204", "ZMIENNA_ZostalA_STR1_DATA_EDIT", 1, true, true},
        {"TFSwiad204", "ZMIENNA_DopuszczonyA_STR1_DATA_EDIT", 1, false, true},
        {"TFSwiad204", "ZMIENNA_NieZdalA_STR1_DATA_EDIT", 23, false, true},
        {"TFSwiad204", "ZMIENNA_ImieSzkoly_STR1_DATA_EDIT", 69, false, false},
        {"TFSwiad204a", "ZMIENNA_ImieSzkoly1_STR1_DATA_EDIT", 69, false, false},
        {"TFSwiad204a", "ZMIENNA_Specjalizacja_STR1_DATA_EDIT", 72, false, false},
        {"TFSwiad204a", "ZMIENNA_ObowiazkoweZajEduOpis35_STR2_DATA_EDIT", 42, false, false},
        {"TFSwiad205a", "ZMIENNA_OLetnimCyklu_STR1_DATA_EDIT", 72, false, false},
        {"TFSwiad205aw", "ZMIENNA_ObowiazkoweZajEduArtOpis25_STR2_DATA_EDIT", 42, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.cls);
        ExpectFieldState(BuiltInComponents(r.cls), {r.name, r.maxLength, r.disabled, r.readOnly});
    }
}

// The printed texts where twins and pages differ.
TEST(Cert200Layout, CaptionsOfTheDifferingLabels)
{
    struct Row {
        const char* cls;
        const char* name;
        const char* caption;
    };
    const Row rows[] = {
        {"TFSwiad200", "STALY_MENiS_STR1_DATA_LABEL", "ART-II/200/3"},
        {"TFSwiad200a", "STALY_MENiS_STR1_DATA_LABEL", "ART-II/200/3a"},
        {"TFSwiad200a", "STALY_RealizacjaProjektuEdu_STR3_DATA_LABEL",
         "Indywidualny program lub tok nauki"},
        {"TFSwiad203", "STALY_Promocji_STR1_DATA_LABEL", "promocj"},
        {"TFSwiad203w", "STALY_Promocji_STR1_DATA_LABEL", "promocję z wyróżnieniem do klasy"},
        {"TFSwiad203w", "STALY_ART_STR1_DATA_LABEL", "ART-II/203-w/3"},
        {"TFSwiad203", "STALY_ZrealizowanyProgram4_STR1_DATA_LABEL",
         "świadectwu ukończenia gimnazjum."},
        {"TFSwiad204", "STALY_ZrealizowanyProgram2_STR1_DATA_LABEL", "liceum ogólnokształcącego."},
        {"TFSwiad204", "STALY_ObowiazkoweZajEdu_STR2_DATA_LABEL",
         "Obowiązkowe zajęcia edukacyjne ogólnokształcące"},
        {"TFSwiad204a", "STALY_ObowiazkoweZajEdu_STR2_DATA_LABEL",
         "Obowiązkowe zajęcia edukacyjne"},
        {"TFSwiad204a", "STALY_UchwalaPanstwowejKomisji_STR1_DATA_LABEL_STR1_DATA_LABEL",
         "Uchwałą Państwowej Komisji Egzaminacyjnej nie zdał"},
        {"TFSwiad205a", "STALY_PromDoKlasy_STR1_DATA_LABEL", "do klasy"},
        {"TFSwiad205aw", "STALY_Promocje_STR1_DATA_LABEL", "promocję z wyróżnieniem do klasy"},
        {"TFSwiad205aw", "STALY_WychowawcaKlasy_STR3_DATA_LABEL", "WYCHOWAWCA KLASY*"},
    };
    for (const Row& r : rows) {
        const QList<LayoutComponent> components = BuiltInComponents(r.cls);
        const LayoutComponent* c = FindComponent(components, r.name);
        ASSERT_NE(c, nullptr) << r.cls << " " << r.name;
        EXPECT_EQ(c->caption, QString::fromUtf8(r.caption)) << r.cls << " " << r.name;
    }
}

// The family's own file is checked like the registry: a misspelt name in a school-data pair,
// a student rule, a sample or a copy map is reported.
TEST(Cert200Layout, ValidatorRejectsMisspeltNamesInTheFamilyFile)
{
    const LayoutEdit edits[] = {
        {"forms-cert200.json", "\"ZMIENNA_OLetnimCyklu_STR1_DATA_EDIT\"",
         "\"ZMIENNA_OLetnimCykl_STR1_DATA_EDIT\"", "ZMIENNA_OLetnimCykl_STR1_DATA_EDIT"},
        {"forms-cert200.json", "\"target\": \"ZMIENNA_DopuszczonyA_STR1_DATA_EDIT\"",
         "\"target\": \"ZMIENNA_DopuszczonyA_STR2_DATA_EDIT\"",
         "ZMIENNA_DopuszczonyA_STR2_DATA_EDIT"},
        {"forms-cert200.json", "\"field\": \"ZMIENNA_PrzedmiotUzOcn4_STR3_DATA_COMBOBOX\"",
         "\"field\": \"ZMIENNA_PrzedmiotUzOcn5_STR3_DATA_COMBOBOX\"",
         "ZMIENNA_PrzedmiotUzOcn5_STR3_DATA_COMBOBOX"},
        {"forms-cert200.json", "\"to\": \"ZMIENNA_ObEduArtOcn12{c}_DATA_COMBOBOX\"",
         "\"to\": \"ZMIENNA_ObEduArtOcn13{c}_DATA_COMBOBOX\"",
         "ZMIENNA_ObEduArtOcn131_DATA_COMBOBOX"},
        {"forms-cert200.json", "\"to\": \"ZMIENNA_SzczegolneOs_DATA_MEMO\"",
         "\"to\": \"ZMIENNA_SzczegolneOs_DATA_EDIT\"", "ZMIENNA_SzczegolneOs_DATA_EDIT"},
    };
    for (const LayoutEdit& edit : edits)
        ExpectEditRejected(edit);
}
