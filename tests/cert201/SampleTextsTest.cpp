// Sample texts of the six forms for the calibration preview.
#include "tests/cert201/Cert201Forms.h"
#include "tests/forms/FormRecords.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class Cert201Samples : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        registry.ClearAll();
    }
    FormRegistry registry;
};

}  // namespace

// Every variable field gets a text within its typing limit, every memo exactly its limit
// of one-line samples; labels keep their captions; filling twice changes nothing.
TEST_F(Cert201Samples, EveryFieldGetsATextAndMemosTheirLimit)
{
    for (const Cert201Form& f : kCert201Forms) {
        SCOPED_TRACE(f.cls);
        DocumentForm& form = *registry.form(f.cls);
        for (const MemoLimit& m : MemosOf(f.blank))  // a student's text is replaced, not extended
            form.setText(QStringView(m.name), "uczeń 1\r\nuczeń 2");
        form.FillSampleData();
        const Snapshot once = TakeSnapshot(registry);
        for (int i = 0; i < form.componentCount(); ++i) {
            const LayoutComponent& c = form.component(i);
            if (c.kind == ComponentKind::Label) {
                EXPECT_EQ(form.text(i), c.caption);
            } else if (c.kind == ComponentKind::Memo) {
                EXPECT_EQ(form.memoLines(i).size(), c.lineLimit) << c.name.toStdString();
                EXPECT_EQ(form.text(i).split("\r\n", Qt::SkipEmptyParts).size(), c.lineLimit);
            } else {
                EXPECT_FALSE(form.text(i).isEmpty()) << c.name.toStdString();
                EXPECT_LE(form.text(i).size(), c.maxLength) << c.name.toStdString();
                if (c.kind == ComponentKind::Combo) {
                    EXPECT_FALSE(c.items.contains(form.text(i)));
                }
            }
        }
        form.FillSampleData();
        EXPECT_EQ(TakeSnapshot(registry), once);
    }
}

TEST_F(Cert201Samples, TwinsShareEveryText)
{
    for (int i = 0; i < 6; i += 2) {
        DocumentForm& plain = *registry.form(kCert201Forms[i].cls);
        DocumentForm& twin = *registry.form(kCert201Forms[i + 1].cls);
        SCOPED_TRACE(plain.className().toStdString());
        plain.FillSampleData();
        twin.FillSampleData();
        for (const QString& name : StoredNames(twin))
            EXPECT_EQ(twin.text(name), plain.text(name)) << name.toStdString();
    }
}

TEST_F(Cert201Samples, TextsOfTheTwoFamilies)
{
    struct Case {
        const char* cls;
        const char16_t* field;
        const char* text;
    };
    const Case cases[] = {
        {"TFSwiad201", u"ZMIENNA_ImieNazwisko_STR1_DATA_EDIT", "imię i nazwisko"},
        {"TFSwiad201", u"ZMIENNA_DataUrodzenia_STR1_DATA_EDIT", "1 stycznia"},
        {"TFSwiad201", u"ZMIENNA_NumerPESEL_STR1_DATA_EDIT", "123456789"},
        {"TFSwiad201", u"ZMIENNA_NazwaSzkoly_STR1_DATA_EDIT", "nazwa szkoły"},
        {"TFSwiad201", u"ZMIENNA_ImieSzkoly_STR1_DATA_EDIT", "imię szkoły"},
        {"TFSwiad201", u"ZMIENNA_SzkolaMiasto_STR1_DATA_EDIT", "katowice"},
        {"TFSwiad201", u"ZMIENNA_NieOtrzymalProm_STR1_DATA_EDIT", "nie"},
        {"TFSwiad201", u"ZMIENNA_PromocjiE_STR1_DATA_EDIT", "e"},
        {"TFSwiad201", u"ZMIENNA_ProgramKlasy2_STR1_DATA_EDIT", "program 2"},
        {"TFSwiad201", u"ZMIENNA_NrNaSwiadectwie_STR1_DATA_EDIT", "12"},
        {"TFSwiad201w", u"ZMIENNA_WydzialSpecjalnosc_STR1_DATA_EDIT", "wydział / specjalność"},
        {"TFSwiad201w", u"ZMIENNA_ZachowanieOcn_STR2_DATA_COMBOBOX", "zachowanie ocn"},
        {"TFSwiad201w", u"ZMIENNA_ObowiazkoweZajArtOpis7_STR2_DATA_EDIT", "ob. zaj. art 7"},
        {"TFSwiad201w", u"ZMIENNA_ObowiazkoweZajArtOcn7_STR2_DATA_COMBOBOX", "ob. zaj. art 7"},
        {"TFSwiad201w", u"ZMIENNA_ObowiazkoweZajEduOcn15_STR2_DATA_COMBOBOX", "ob. zaj. edu 15"},
        {"TFSwiad201w", u"ZMIENNA_NadobowiazkoweZajPozalekcyjneOpis5_STR3_DATA_EDIT",
         "nadobowiazkowe 5"},
        {"TFSwiad201w", u"ZMIENNA_NadobowiazkoweZajPozalekcyjneOcn1_STR3_DATA_COMBOBOX",
         "nadob. ocn 1"},
        {"TFSwiad201b", u"ZMIENNA_ImieNazwisko_STR1_DATA_EDIT", "imię nazwisko"},
        {"TFSwiad201b", u"ZMIENNA_Klasa_STR1_DATA_EDIT", "pierwszej"},
        {"TFSwiad201b", u"ZMIENNA_Specjalizacja_STR1_DATA_EDIT", "pierwszej"},
        {"TFSwiad201b", u"ZMIENNA_Specjalnosc_STR1_DATA_EDIT", "specjalnosc"},
        {"TFSwiad201b", u"ZMIENNA_MiejsceUrodzenia_STR1_DATA_EDIT", "katowicach"},
        {"TFSwiad201b", u"ZMIENNA_SzkolaMiasto_STR1_DATA_EDIT", "katowicach"},
        {"TFSwiad201b", u"ZMIENNA_ImieSzkoly1_STR1_DATA_EDIT", "szkola imienia 1"},
        {"TFSwiad201b", u"ZMIENNA_ProgramKlas2_STR1_DATA_EDIT", "klasa 2"},
        {"TFSwiad201bw", u"ZMIENNA_ObowiazkoweZajEduOpis7_STR2_DATA_EDIT", "ob. zaj. edu opis 7"},
        {"TFSwiad201bw", u"ZMIENNA_ObowiazkoweZajEduOcn35_STR2_DATA_COMBOBOX",
         "ob. zaj. edu ocn 35"},
        {"TFSwiad201bw", u"ZMIENNA_InneZajEdukacyjneOcn1_STR3_DATA_COMBOBOX",
         "inne zaj. edu. ocn 1"},
        {"TFSwiad201c", u"ZMIENNA_ReligiaEtykaOcn_STR2_DATA_COMBOBOX", "religia ocn"},
        {"TFSwiad201c", u"ZMIENNA_PrzedmiotOpis4_STR3_DATA_EDIT", "przedmiot 4"},
        {"TFSwiad201c", u"ZMIENNA_PrzedmiotUzOpis2_STR3_DATA_EDIT", "uzupelniajacy 2"},
        {"TFSwiad201c", u"ZMIENNA_PrzedmiotUzOcn3_STR3_DATA_COMBOBOX", "uzupelniajacy ocn 3"},
        {"TFSwiad201cw", u"ZMIENNA_InneZajeciaEduOpis8_STR3_DATA_EDIT", "inne zaj. edu. op. 8"},
        {"TFSwiad201cw", u"ZMIENNA_InneZajeciaEduOcn1_STR3_DATA_COMBOBOX", "inne zaj. edu. ocn. 1"},
        {"TFSwiad201cw", u"ZMIENNA_MiejscowoscRok_STR1_DATA_EDIT", "2011"},
    };
    for (const Cert201Form& f : kCert201Forms)
        registry.form(f.cls)->FillSampleData();
    for (const Case& c : cases)
        EXPECT_EQ(registry.form(c.cls)->text(QStringView(c.field)), c.text)
            << c.cls << " " << QString::fromUtf16(c.field).toStdString();

    const std::pair<const char*, QList<std::pair<const char16_t*, QStringList>>> memos[] = {
        {"TFSwiad201", {{u"ZMIENNA_Szczegolne_STR3_DATA_MEMO", NumberedLineList(5, "szczegolne")}}},
        {"TFSwiad201bw",
         {{u"ZMIENNA_IndywidualnyProgLubTokNauki_STR3_DATA_MEMO",
           NumberedLineList(6, "indywidualny prog. nauki")},
          {u"ZMIENNA_Szczegolne_STR3_DATA_MEMO", NumberedLineList(8, "szczegolne")}}},
        {"TFSwiad201c",
         {{u"ZMIENNA_Indywidualny_STR3_DATA_MEMO", NumberedLineList(8, "indywidualny")},
          {u"ZMIENNA_Szczegolne_STR4_DATA_MEMO", NumberedLineList(8, "szczegolne")}}},
    };
    for (const auto& [cls, list] : memos)
        for (const auto& [memo, lines] : list)
            EXPECT_EQ(registry.form(cls)->memoLines(QStringView(memo)), lines);
}
