// The school-data copy and the sample texts of the family's forms.
#include "forms/FormRegistry.h"
#include "tests/cert200/Cert200Forms.h"
#include "tests/forms/FormRecords.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/QtPrinters.h"
#include "tests/support/TempFolders.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// The changed fields as "<form key> | <name>", with their new value.
std::map<std::string, std::string> ChangedFields(const Snapshot& before, const Snapshot& after)
{
    std::map<std::string, std::string> out;
    for (const auto& [key, value] : Changes(before, after))
        out[key.first + " | " + key.second] = value;
    return out;
}

class Cert200SchoolData : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        for (const auto& f : registry.forms())
            SetStoredFields(*f, [](const LayoutComponent&, int) { return "przed"; });
    }
    // Every field of the school-data dialog holds "v:" and its own name.
    void writeFullTemplate()
    {
        std::vector<FieldRecord> records;
        for (const QString& name : registry.catalog().dialogFields.value("TFDaneSzkoly"))
            records.push_back({"DANE SZKOLY", name.toStdString(), "v:" + name.toStdString()});
        WriteSchoolTemplate(records);
    }

    TempFolders folders;
    TemplateSchool school;
    FormRegistry registry;
};

}  // namespace

// Each form copies exactly its pairs, each field from its own dialog field, and nothing
// else of any form changes.
TEST_F(Cert200SchoolData, CopiesExactlyThePairs)
{
    struct Pair {
        const char* cls;
        const char* dialog;  // nullptr: the field keeps its text
        const char* field;
    };
    const Pair pairs[] = {
        {"TFSwiad200", "ZMIENNA_Szkola2_DATA_EDIT", "ZMIENNA_NazwaSzkoly2_STR1_DATA_EDIT"},
        {"TFSwiad200", "ZMIENNA_ObowiazkoweZajEduArt5_DATA_EDIT",
         "ZMIENNA_ObowiazkoweZajArtOpis5_STR2_DATA_EDIT"},
        {"TFSwiad200", nullptr, "ZMIENNA_ProgramKlasy_STR1_DATA_EDIT"},
        {"TFSwiad200a", "ZMIENNA_Nadobowiazkowe8_DATA_EDIT",
         "ZMIENNA_InneZajEdukacyjneOpis8_STR3_DATA_EDIT"},
        {"TFSwiad200a", nullptr, "ZMIENNA_InneZajEdukacyjneOcn8_STR3_DATA_COMBOBOX"},
        {"TFSwiad203", "ZMIENNA_KierunekWydzial_DATA_EDIT",
         "ZMIENNA_WydzialSpecjalnosc_STR1_DATA_EDIT"},
        {"TFSwiad203", "ZMIENNA_ObowiazkoweEdu6_DATA_EDIT",
         "ZMIENNA_ObowiazkoweZajEduOpis6_STR2_DATA_EDIT"},
        {"TFSwiad203", nullptr, "ZMIENNA_ObowiazkoweZajEduOpis7_STR2_DATA_EDIT"},
        {"TFSwiad203w", "ZMIENNA_Nadobowiazkowe4_DATA_EDIT",
         "ZMIENNA_NadobowiazkoweZajPozalekcyjneOpis4_STR3_DATA_EDIT"},
        {"TFSwiad203w", nullptr, "ZMIENNA_ObowiazkoweZajArtOpis1_STR2_DATA_EDIT"},
        {"TFSwiad204", "ZMIENNA_ImieSzkoly1_DATA_EDIT", "ZMIENNA_ImieSzkoly_STR1_DATA_EDIT"},
        {"TFSwiad204", "ZMIENNA_ObowiazkoweZajEduArt5_DATA_EDIT",
         "ZMIENNA_ObowiazkoweZajArtOpis5_STR2_DATA_EDIT"},
        {"TFSwiad204", nullptr, "ZMIENNA_ObowiazkoweZajArtOpis6_STR2_DATA_EDIT"},
        {"TFSwiad204a", "ZMIENNA_ObowiazkoweEdu20_DATA_EDIT",
         "ZMIENNA_ObowiazkoweZajEduOpis20_STR2_DATA_EDIT"},
        {"TFSwiad204a", "ZMIENNA_PrzedmiotUzOpis4_STR3_DATA_EDIT",
         "ZMIENNA_PrzedmiotUzOpis4_STR3_DATA_EDIT"},
        {"TFSwiad204a", "ZMIENNA_Specjalizacja_DATA_EDIT", "ZMIENNA_Specjalizacja_STR1_DATA_EDIT"},
        {"TFSwiad204a", nullptr, "ZMIENNA_ObowiazkoweZajEduOpis21_STR2_DATA_EDIT"},
        {"TFSwiad205a", "ZMIENNA_OLetnim_DATA_EDIT", "ZMIENNA_OLetnimCyklu_STR1_DATA_EDIT"},
        {"TFSwiad205a", "ZMIENNA_ObowiazkoweZajEduArt10_DATA_EDIT",
         "ZMIENNA_ObowiazkoweZajEduArtOpis10_STR2_DATA_EDIT"},
        {"TFSwiad205a", nullptr, "ZMIENNA_ObowiazkoweZajEduArtOpis11_STR2_DATA_EDIT"},
        {"TFSwiad205aw", nullptr, "ZMIENNA_Specjalnosc_STR1_DATA_EDIT"},
        {"TFSwiad205aw", "ZMIENNA_Nadobowiazkowe8_DATA_EDIT",
         "ZMIENNA_InneZajeciaEduOpis8_STR2_DATA_EDIT"},
    };
    writeFullTemplate();
    for (const Cert200Form& f : Cert200Forms()) {
        SCOPED_TRACE(f.cls);
        DocumentForm& form = *registry.form(f.cls);
        const Snapshot before = TakeSnapshot(registry);
        form.LoadSchoolData();
        const auto changed = ChangedFields(before, TakeSnapshot(registry));
        EXPECT_EQ(int(changed.size()), f.schoolPairs);
        for (const auto& [key, value] : changed) {
            EXPECT_EQ(key.substr(0, key.find(" | ")), f.key);
            EXPECT_EQ(value.substr(0, 2), "v:") << key;
        }
        for (const Pair& p : pairs) {
            if (QString(p.cls) != f.cls)
                continue;
            EXPECT_EQ(form.text(QString::fromUtf8(p.field)),
                      p.dialog ? QString("v:") + p.dialog : "przed")
                << p.field;
        }
    }
}

// A template that lacks a value empties the paired field all the same.
TEST_F(Cert200SchoolData, MissingValuesEmptyThePairedFields)
{
    WriteSchoolTemplate({{"DANE SZKOLY", "ZMIENNA_SzkolaMiasto_DATA_EDIT", "Kraków"}});
    for (const Cert200Form& f : Cert200Forms()) {
        DocumentForm& form = *registry.form(f.cls);
        const Snapshot before = TakeSnapshot(registry);
        form.LoadSchoolData();
        const auto changed = ChangedFields(before, TakeSnapshot(registry));
        EXPECT_EQ(int(changed.size()), f.schoolPairs) << f.cls;
        for (const auto& [key, value] : changed)
            EXPECT_EQ(value, key.find("SzkolaMiasto_STR1") != std::string::npos ? "Kraków" : "")
                << key;
    }
}

namespace {

class Cert200Samples : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }
    FormRegistry registry;
};

}  // namespace

// Every stored component of a form with samples gets one; each memo as many lines as its limit.
TEST_F(Cert200Samples, EveryFieldGetsASampleAndMemosFillTheirLimit)
{
    for (const Cert200Form& f : Cert200Forms()) {
        SCOPED_TRACE(f.cls);
        DocumentForm& form = *registry.form(f.cls);
        form.ClearFields();
        form.FillSampleData();
        for (int i = 0; i < form.componentCount(); ++i) {
            if (!form.component(i).isStored())
                continue;
            EXPECT_EQ(form.text(i).isEmpty(), !f.hasSamples)
                << form.component(i).name.toStdString();
        }
        if (!f.hasSamples)
            continue;
        for (const MemoLimit& m : f.memoLimits)
            EXPECT_EQ(form.memoLines(QString::fromUtf8(m.name)).size(), m.lines) << m.name;
    }
}

TEST_F(Cert200Samples, SampleTexts)
{
    struct Row {
        const char* cls;
        const char* name;
        const char* text;  // a memo: its last line
    };
    const Row rows[] = {
        {"TFSwiad200", "ZMIENNA_ProgramKlasy_STR1_DATA_EDIT", "pierwszej"},
        {"TFSwiad200", "ZMIENNA_ObowiazkoweZajArtOcn5_STR2_DATA_COMBOBOX", "ob. zaj. art. 5 ocn"},
        {"TFSwiad200", "ZMIENNA_ObZajEdu_STR2_DATA_MEMO", "obowiązkowe zaj. edu. 10"},
        {"TFSwiad200a", "ZMIENNA_InneZajEdukacyjneOcn8_STR3_DATA_COMBOBOX", "inne zaj. ocn 8"},
        {"TFSwiad200a", "ZMIENNA_Indywidualny_STR3_DATA_MEMO", "indywidualny linia 3"},
        {"TFSwiad200a", "ZMIENNA_Zachowanie_STR2_DATA_MEMO", "zachowanie 7"},
        {"TFSwiad203", "ZMIENNA_ObowiazkoweZajEduOpis3_STR2_DATA_EDIT", "ob. zaj. edu 3"},
        {"TFSwiad203", "ZMIENNA_ObowiazkoweZajEduOcn3_STR2_DATA_COMBOBOX", "ob. zaj. edu 3"},
        {"TFSwiad203", "ZMIENNA_NieOtrzymalProm_STR1_DATA_EDIT", "nie"},
        {"TFSwiad203w", "ZMIENNA_ObowiazkoweZajArtOcn16_STR2_DATA_COMBOBOX", "ob. zaj. art 16"},
        {"TFSwiad203w", "ZMIENNA_RealizacjaProjektuEdu_STR3_DATA_MEMO", "projekt 4"},
        {"TFSwiad204", "ZMIENNA_DopuszczonyA_STR1_DATA_EDIT", "a"},
        {"TFSwiad204", "ZMIENNA_NadobowiazkoweZajPozalekcyjneOcn4_STR3_DATA_COMBOBOX",
         "nadob. ocn 4"},
        {"TFSwiad204a", "ZMIENNA_ObowiazkoweZajEduOcn35_STR2_DATA_COMBOBOX", "ob. zaj. edu ocn 35"},
        {"TFSwiad204a", "ZMIENNA_PrzedmiotUzOcn4_STR3_DATA_COMBOBOX", "uzupelniajacy ocn 4"},
        {"TFSwiad204a", "ZMIENNA_Szczegolne_STR4_DATA_MEMO", "szczegolne 8"},
        {"TFSwiad205a", "ZMIENNA_OLetnimCyklu_STR1_DATA_EDIT", "trzy letnim"},
        {"TFSwiad205a", "ZMIENNA_InneZajeciaEduOcn8_STR2_DATA_COMBOBOX", "inne zaj. edu. ocn. 8"},
        {"TFSwiad205a", "ZMIENNA_Indywidualny_STR3_DATA_MEMO", "indywidualny 8"},
    };
    for (const Row& r : rows) {
        DocumentForm& form = *registry.form(r.cls);
        form.FillSampleData();
        const int i = form.find(QString::fromUtf8(r.name));
        ASSERT_GE(i, 0) << r.cls << " " << r.name;
        const QString shown =
            form.component(i).kind == ComponentKind::Memo ? form.memoLines(i).last() : form.text(i);
        EXPECT_EQ(shown, QString::fromUtf8(r.text)) << r.cls << " " << r.name;
    }
}

// A sample replaces a student's text until the next load restores it.
TEST_F(Cert200Samples, NextLoadRestoresTheStudent)
{
    DocumentForm& form = *registry.form("TFSwiad204a");
    const std::vector<FieldRecord> stored = {
        {"ART-II/204/3a MUZYCZNA", "ZMIENNA_Szczegolne_STR4_DATA_MEMO", "laureat"}};
    form.FillFields(stored);
    form.FillSampleData();
    EXPECT_EQ(form.memoLines(u"ZMIENNA_Szczegolne_STR4_DATA_MEMO").first(), "szczegolne 1");
    form.FillFields(stored);
    EXPECT_EQ(form.text(u"ZMIENNA_Szczegolne_STR4_DATA_MEMO"), "laureat");
}
