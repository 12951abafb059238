// The school-data button of the six forms: it writes exactly its pairs' targets, whole, and
// nothing else in any form.
#include "tests/cert201/Cert201Forms.h"
#include "tests/forms/FormRecords.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/QtPrinters.h"
#include "tests/support/TempFolders.h"

#include <gtest/gtest.h>

namespace {

class Cert201SchoolData : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        registry.ClearAll();
        for (const Cert201Form& f : kCert201Forms)
            for (const QString& name : StoredNames(*registry.form(f.cls)))
                registry.form(f.cls)->setText(name, "przed");
    }
    // A template value for every field of the school-data dialog, each longer than any
    // certificate field takes by typing.
    static std::string valueOf(const QString& dialogField)
    {
        return (dialogField.mid(8).chopped(10) + " " + QString(80, QChar('s'))).toStdString();
    }
    void writeFullTemplate()
    {
        std::vector<FieldRecord> records;
        for (const QString& name : registry.catalog().dialogFields.value("TFDaneSzkoly"))
            records.push_back({"DANE SZKOLY", name.toStdString(), valueOf(name)});
        WriteSchoolTemplate(records);
    }

    TempFolders folders;
    TemplateSchool school;
    FormRegistry registry;
};

// Target -> the dialog field it is copied from.
using Pairs = std::map<std::string, QString>;

Pairs expectedPairs(Blank blank)
{
    Pairs pairs;
    auto add = [&](const QString& from, const QString& to) { pairs[to.toStdString()] = from; };
    auto series = [&](const char* from, const char* to, int count) {
        for (int i = 1; i <= count; ++i)
            add(QString(from).arg(i), QString(to).arg(i));
    };
    for (const char* part : {"RokSzkolny1", "RokSzkolny2", "Klasa", "SzkolaWE", "SzkolaMiasto",
                             "SzkolaWoj", "Miejscowosc", "MiejscowoscDnia", "MiejscowoscRok"})
        add(QString("ZMIENNA_%1_DATA_EDIT").arg(part),
            QString("ZMIENNA_%1_STR1_DATA_EDIT").arg(part));
    add("ZMIENNA_Szkola1_DATA_EDIT", "ZMIENNA_NazwaSzkoly_STR1_DATA_EDIT");
    add("ZMIENNA_PromocjaDoKlasy_DATA_EDIT", "ZMIENNA_PromDoKlasy_STR1_DATA_EDIT");
    add("ZMIENNA_ImieSzkoly1_DATA_EDIT", blank == Blank::Class1
                                             ? "ZMIENNA_ImieSzkoly_STR1_DATA_EDIT"
                                             : "ZMIENNA_ImieSzkoly1_STR1_DATA_EDIT");
    switch (blank) {
    case Blank::Class1:
        add("ZMIENNA_KierunekWydzial_DATA_EDIT", "ZMIENNA_WydzialSpecjalnosc_STR1_DATA_EDIT");
        series("ZMIENNA_ObowiazkoweEdu%1_DATA_EDIT",
               "ZMIENNA_ObowiazkoweZajEduOpis%1_STR2_DATA_EDIT", 15);
        series("ZMIENNA_ObowiazkoweZajEduArt%1_DATA_EDIT",
               "ZMIENNA_ObowiazkoweZajArtOpis%1_STR2_DATA_EDIT", 10);
        series("ZMIENNA_Nadobowiazkowe%1_DATA_EDIT",
               "ZMIENNA_NadobowiazkoweZajPozalekcyjneOpis%1_STR3_DATA_EDIT", 5);
        break;
    case Blank::B:
        series("ZMIENNA_ObowiazkoweEdu%1_DATA_EDIT",
               "ZMIENNA_ObowiazkoweZajEduOpis%1_STR2_DATA_EDIT", 20);
        series("ZMIENNA_Nadobowiazkowe%1_DATA_EDIT",
               "ZMIENNA_InneZajEdukacyjneOpis%1_STR3_DATA_EDIT", 8);
        break;
    case Blank::C:
        add("ZMIENNA_KierunekWydzial_DATA_EDIT", "ZMIENNA_Specjalnosc_STR1_DATA_EDIT");
        add("ZMIENNA_Specjalizacja_DATA_EDIT", "ZMIENNA_Specjalizacja_STR1_DATA_EDIT");
        series("ZMIENNA_ObowiazkoweEdu%1_DATA_EDIT",
               "ZMIENNA_ObowiazkoweZajEduOpis%1_STR2_DATA_EDIT", 20);
        series("ZMIENNA_Nadobowiazkowe%1_DATA_EDIT", "ZMIENNA_InneZajeciaEduOpis%1_STR3_DATA_EDIT",
               8);
        series("ZMIENNA_PrzedmiotOpis%1_STR3_DATA_EDIT", "ZMIENNA_PrzedmiotOpis%1_STR3_DATA_EDIT",
               4);
        series("ZMIENNA_PrzedmiotUzOpis%1_STR3_DATA_EDIT",
               "ZMIENNA_PrzedmiotUzOpis%1_STR3_DATA_EDIT", 4);
        break;
    }
    return pairs;
}

}  // namespace

TEST_F(Cert201SchoolData, EachFormWritesItsPairsWholeAndNothingElse)
{
    writeFullTemplate();
    for (const Cert201Form& f : kCert201Forms) {
        SCOPED_TRACE(f.cls);
        const Pairs pairs = expectedPairs(f.blank);
        EXPECT_EQ(pairs.size(), f.blank == Blank::Class1 ? 43u : f.blank == Blank::B ? 40u : 50u);
        const Snapshot before = TakeSnapshot(registry);
        registry.form(f.cls)->LoadSchoolData();
        Snapshot expected;
        for (const auto& [target, source] : pairs)
            expected[{f.key, target}] = valueOf(source);
        EXPECT_EQ(Changes(before, TakeSnapshot(registry)), expected);

        // Twice gives what once gave.
        const Snapshot once = TakeSnapshot(registry);
        registry.form(f.cls)->LoadSchoolData();
        EXPECT_EQ(TakeSnapshot(registry), once);
    }
}

TEST_F(Cert201SchoolData, ATemplateWithoutValuesEmptiesTheTargets)
{
    WriteSchoolTemplate({{"DANE SZKOLY", "ZMIENNA_Klasa_DATA_EDIT", "drugiej"}});
    DocumentForm& form = *registry.form("TFSwiad201c");
    form.LoadSchoolData();
    EXPECT_EQ(form.text(u"ZMIENNA_Klasa_STR1_DATA_EDIT"), "drugiej");
    EXPECT_EQ(form.text(u"ZMIENNA_RokSzkolny1_STR1_DATA_EDIT"), "");
    EXPECT_EQ(form.text(u"ZMIENNA_PrzedmiotUzOpis4_STR3_DATA_EDIT"), "");
    EXPECT_EQ(form.text(u"ZMIENNA_UchwalaRok_STR1_DATA_EDIT"), "przed");
    EXPECT_EQ(form.text(u"ZMIENNA_ProgramKlas1_STR1_DATA_EDIT"), "przed");
}
