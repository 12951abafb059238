// The six ART-II/201 forms as laid out: identity, counts and exact names, what each kind of
// component carries, and the few ways a "-w" twin differs from its plain member.
#include "tests/cert201/Cert201Forms.h"
#include "tests/forms/LayoutTestSupport.h"
#include "tests/forms/QtPrinters.h"

#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

const QStringList kGrades = {
    "celujący",      "bardzo dobry",     "dobry",         "dostateczny",
    "dopuszczający", "niedostateczny",   "uczęszczała",   "nie uczęszczała",
    "uczęszczał",    "nie uczęszczał",   "uczestniczyła", "nie uczestniczyła",
    "uczestniczył ", "nie uczestniczył", "zwolniony",     "zwolniona"};

const LayoutCatalog& catalog()
{
    return LayoutCatalog::builtIn();
}

}  // namespace

TEST(Cert201Layout, CountsAndExactNamesPerForm)
{
    for (const Cert201Form& f : kCert201Forms) {
        SCOPED_TRACE(f.cls);
        const QList<LayoutComponent> comps = BuiltInComponents(f.cls);
        EXPECT_EQ(CountComponents(comps), (ComponentCounts{f.edits, f.combos, f.memos, f.labels}));
        EXPECT_EQ(ComponentNames(comps), CheckedInNames(f.cls));
    }
}

TEST(Cert201Layout, IdentityPagesAndButtons)
{
    struct Row {
        const char* cls;
        const char* caption;
        const char* calibrationSet;
        const char* front;
    };
    const Row rows[] = {
        {"TFSwiad201", "ART-II/201/3 Świadectwo ukończenia I klasy szkoły muzycznej", "swiad_201",
         "sw201_str1.jpg"},
        {"TFSwiad201w", "ART-II/201-w/3 Świadectwo ukończenia I klasy szkoły muzycznej",
         "swiad_201w", "sw201w_str1.jpg"},
        {"TFSwiad201b", "ART-II/201/3b Świadectwo ukończenia klasy", "swiad_201b",
         "sw201_str1.jpg"},
        {"TFSwiad201bw", "ART-II/201/3b Świadectwo ukończenia z wyróżnieniem", "swiad_201bw",
         "sw201w_str1.jpg"},
        {"TFSwiad201c", "ART-II/201/3c Świadectwo ukończenia klasy", "swiad_201c",
         "sw201_str1.jpg"},
        {"TFSwiad201cw", "ART-II/201-w/3c Świadectwo ukończenia klasy z wyróżnieniem",
         "swiad_201cw", "sw201w_str1.jpg"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        const Cert201Form& f = kCert201Forms[i];
        SCOPED_TRACE(row.cls);
        const FormSpec* definition = catalog().form(row.cls);
        ASSERT_NE(definition, nullptr);
        EXPECT_EQ(definition->key, f.key);
        EXPECT_EQ(definition->caption, row.caption);
        EXPECT_EQ(definition->calibrationSet, row.calibrationSet);
        EXPECT_EQ(definition->kind, FormKind::Certificate);
        ASSERT_EQ(definition->pages.size(), f.blank == Blank::C ? 4 : 3);
        EXPECT_EQ(definition->pageCount, definition->pages.size());
        for (int p = 0; p < definition->pages.size(); ++p) {
            const PageDesign& design = catalog().designs[definition->pages[p].design];
            EXPECT_EQ(definition->pages[p].tab, QString("Strona %1").arg(p + 1));
            EXPECT_EQ(design.page, p + 1);
            EXPECT_EQ(design.picture, p == 0 ? row.front : "sw201_str2.jpg");
        }
        QStringList buttons;
        for (const FormButton& b : definition->buttons)
            buttons << b.name + "|" + b.caption + "|" + b.handler + "|" + b.role;
        const QStringList expected =
            f.blank == Blank::Class1
                ? QStringList{"LoadSchoolDataButton|Załaduj szablon danych "
                              "szkoły|LoadSchoolDataButtonClick|schoolData",
                              "OKButton|OK|OKButtonClick|ok",
                              "CancelButton|Anuluj|CancelButtonClick|cancel"}
                : QStringList{"btnLoadSchoolTemplate|Wczytaj dane szkoły z "
                              "szablonu|btnLoadSchoolTemplateClick|"
                              "schoolData",
                              "btnOK|OK|btnOKClick|ok", "bntCancel|Anuluj|bntCancelClick|cancel"};
        EXPECT_EQ(buttons, expected);
    }
}

// A stored field carries exactly one marker and the page part of the tab it stands on; a
// combo offers the sixteen grades and takes 31 typed characters; a memo word-wraps with its
// limit; labels are never stored.
TEST(Cert201Layout, EachKindCarriesWhatItNeeds)
{
    static const QRegularExpression pagePart(QStringLiteral("_STR(\\d)_DATA_"));
    for (const Cert201Form& f : kCert201Forms) {
        SCOPED_TRACE(f.cls);
        QStringList memos;
        for (const LayoutComponent& c : BuiltInComponents(f.cls)) {
            SCOPED_TRACE(c.name.toStdString());
            const int markers = c.name.count("_DATA_EDIT") + c.name.count("_DATA_COMBOBOX") +
                                c.name.count("_DATA_MEMO");
            if (c.kind == ComponentKind::Label) {
                EXPECT_EQ(markers, 0);
                EXPECT_FALSE(c.isStored());
                continue;
            }
            EXPECT_EQ(markers, 1);
            EXPECT_EQ(pagePart.match(c.name).captured(1).toInt(), c.page);
            if (c.kind == ComponentKind::Combo) {
                EXPECT_EQ(c.items, kGrades);
                EXPECT_TRUE(c.editable);
                EXPECT_EQ(c.maxLength, 31);
            }
            if (c.kind == ComponentKind::Memo) {
                EXPECT_TRUE(c.wrap);
                EXPECT_EQ(c.maxLength, 0);
                memos << c.name + ":" + QString::number(c.lineLimit);
            }
        }
        QStringList expected;
        for (const MemoLimit& m : MemosOf(f.blank))
            expected << QString::fromUtf16(m.name) + ":" + QString::number(m.lines);
        EXPECT_EQ(memos, expected);
    }
}

TEST(Cert201Layout, TypingLimitsAndLockedStudentFields)
{
    const FieldState common[] = {
        {"ZMIENNA_ImieNazwisko_STR1_DATA_EDIT", 43, true, false},
        {"ZMIENNA_DataUrodzenia_STR1_DATA_EDIT", 28, true, false},
        {"ZMIENNA_MiejsceUrodzenia_STR1_DATA_EDIT", 28, true, false},
        {"ZMIENNA_NumerPESEL_STR1_DATA_EDIT", 28, true, false},
        {"ZMIENNA_UczeszczalA_STR1_DATA_EDIT", 1, true, false},
        {"ZMIENNA_OtrzymalA_STR1_DATA_EDIT", 1, true, false},
        {"ZMIENNA_NrNaSwiadectwie_STR1_DATA_EDIT", 11, false, true},
        {"ZMIENNA_RokSzkolny1_STR1_DATA_EDIT", 4, false, false},
        {"ZMIENNA_Klasa_STR1_DATA_EDIT", 15, false, false},
        {"ZMIENNA_NazwaSzkoly_STR1_DATA_EDIT", 72, false, false},
        {"ZMIENNA_SzkolaWE_STR1_DATA_EDIT", 1, false, false},
        {"ZMIENNA_SzkolaMiasto_STR1_DATA_EDIT", 32, false, false},
        {"ZMIENNA_SzkolaWoj_STR1_DATA_EDIT", 32, false, false},
        {"ZMIENNA_UchwalaDnia_STR1_DATA_EDIT", 23, false, false},
        {"ZMIENNA_UchwalaRok_STR1_DATA_EDIT", 4, false, false},
        {"ZMIENNA_PromDoKlasy_STR1_DATA_EDIT", 32, false, false},
        {"ZMIENNA_Miejscowosc_STR1_DATA_EDIT", 33, false, false},
        {"ZMIENNA_MiejscowoscDnia_STR1_DATA_EDIT", 23, false, false},
        {"ZMIENNA_MiejscowoscRok_STR1_DATA_EDIT", 4, false, false},
        {"ZMIENNA_ObowiazkoweZajEduOpis1_STR2_DATA_EDIT", 42, false, false},
    };
    const std::pair<const char*, const FieldState> own[] = {
        {"TFSwiad201", {"ZMIENNA_WydzialSpecjalnosc_STR1_DATA_EDIT", 72, false, false}},
        {"TFSwiad201", {"ZMIENNA_ImieSzkoly_STR1_DATA_EDIT", 69, false, false}},
        {"TFSwiad201", {"ZMIENNA_NieOtrzymalProm_STR1_DATA_EDIT", 3, false, false}},
        {"TFSwiad201", {"ZMIENNA_PromocjiE_STR1_DATA_EDIT", 1, false, false}},
        {"TFSwiad201", {"ZMIENNA_ProgramKlasy1_STR1_DATA_EDIT", 23, false, false}},
        {"TFSwiad201", {"ZMIENNA_ProgramKlasy2_STR1_DATA_EDIT", 72, false, false}},
        {"TFSwiad201w", {"ZMIENNA_ObowiazkoweZajArtOpis16_STR2_DATA_EDIT", 42, false, false}},
        {"TFSwiad201bw", {"ZMIENNA_Specjalnosc_STR1_DATA_EDIT", 72, false, false}},
        {"TFSwiad201b", {"ZMIENNA_Specjalizacja_STR1_DATA_EDIT", 72, false, false}},
        {"TFSwiad201b", {"ZMIENNA_ImieSzkoly1_STR1_DATA_EDIT", 69, false, false}},
        {"TFSwiad201b", {"ZMIENNA_ProgramKlas2_STR1_DATA_EDIT", 23, false, false}},
        {"TFSwiad201cw", {"ZMIENNA_ProgramKlas1_STR1_DATA_EDIT", 23, false, false}},
        {"TFSwiad201c", {"ZMIENNA_PrzedmiotOpis4_STR3_DATA_EDIT", 42, false, false}},
        {"TFSwiad201c", {"ZMIENNA_InneZajeciaEduOpis8_STR3_DATA_EDIT", 42, false, false}},
    };
    auto check = [](const char* cls, const FieldState& limit) {
        SCOPED_TRACE(cls);
        ExpectFieldState(BuiltInComponents(cls), limit);
    };
    for (const Cert201Form& f : kCert201Forms)
        for (const FieldState& limit : common)
            check(f.cls, limit);
    for (const auto& [cls, limit] : own)
        check(cls, limit);
}

TEST(Cert201Layout, TwinsDifferInThePromotionLineAndTheFormCode)
{
    FormRegistry registry;
    for (int i = 0; i < 6; i += 2) {
        const Cert201Form& plain = kCert201Forms[i];
        const Cert201Form& twin = kCert201Forms[i + 1];
        SCOPED_TRACE(plain.cls);
        QStringList names = StoredNames(*registry.form(plain.cls));
        names.removeOne("ZMIENNA_NieOtrzymalProm_STR1_DATA_EDIT");
        names.removeOne("ZMIENNA_PromocjiE_STR1_DATA_EDIT");
        EXPECT_EQ(names, StoredNames(*registry.form(twin.cls)));

        const QString code = plain.blank == Blank::Class1 ? "STALY_ART_STR1_DATA_LABEL"
                                                          : "STALY_MENiS_STR1_DATA_LABEL";
        const QString plainCode = registry.form(plain.cls)->text(code);
        QString twinCode = plainCode;
        EXPECT_EQ(registry.form(twin.cls)->text(code), twinCode.replace("/3", "-w/3"));
        EXPECT_EQ(registry.form(twin.cls)->text(u"STALY_PromocjeZWyr_STR1_DATA_LABEL"),
                  "promocję z wyróżnieniem do klasy");
        EXPECT_EQ(registry.form(plain.cls)->text(u"STALY_Promocji_STR1_DATA_LABEL"), "promocj");
    }
    EXPECT_EQ(registry.form("TFSwiad201")->text(u"STALY_ART_STR1_DATA_LABEL"), "ART-II/201/3");
    EXPECT_EQ(registry.form("TFSwiad201bw")->text(u"STALY_MENiS_STR1_DATA_LABEL"),
              "ART-II/201-w/3b");
    EXPECT_EQ(registry.form("TFSwiad201c")->text(u"STALY_MENiS_STR1_DATA_LABEL"), "ART-II/201/3c");
}
