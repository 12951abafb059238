// Clear, collect and fill on the real forms, through a real working copy.
#include "forms/FormRegistry.h"
#include "tests/forms/FormRecords.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/QtPrinters.h"
#include "tests/support/TempFolders.h"

#include <gtest/gtest.h>

namespace {

const QStringList kLaidOut = {
    "TFSwiad205kl1",   "TFSwiad205wkl1",  "TFSwiad205kl2",   "TFSwiad205wkl2",
    "TFSwiad205kl3",   "TFSwiad205wkl3",  "TFSwiad205kl4",   "TFSwiad205wkl4",
    "TFSwiad205kl5",   "TFSwiad205wkl5",  "TFSwiad205kl6",   "TFSwiad205wkl6",
    "TFArkusz283str1", "TFArkusz283str2", "TFArkusz283str3", "TFArkusz283str4"};

class FieldOperations : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }

    std::vector<FieldRecord> collect(const char* cls) const { return Collect(*registry.form(cls)); }
    static std::string valueOf(const std::vector<FieldRecord>& records, const std::string& key,
                               const std::string& name)
    {
        for (const FieldRecord& r : records)
            if (r.id == key && r.comp_name == name)
                return r.value;
        return "<none>";
    }

    TestStudent student;
    FormRegistry registry;
};

// Every stored field of a form gets a text of its own; memos get several lines.
void FillDistinct(DocumentForm& form)
{
    SetStoredFields(form, [&](const LayoutComponent& c, int) -> QString {
        if (c.kind == ComponentKind::Memo)
            return form.isCertificate() ? "pierwsza linia\r\ndruga ąę" : "a\r\n\r\nc";
        return c.kind == ComponentKind::Combo ? "uczestniczył " : c.name.mid(8, 12) + " ż";
    });
}

}  // namespace

TEST_F(FieldOperations, CollectSaveFillCollectGivesIdenticalRecords)
{
    TempFolders folders;
    student.fields = {{"Imie_DATA_EDIT", "Łucja"},
                      {"Nazwisko_DATA_EDIT", "Żak"},
                      {"Plec_DATA_COMBOBOX", "kobieta"},
                      {"NumerPesel_DATA_EDIT", "01234567890"}};
    for (const QString& cls : kLaidOut)
        FillDistinct(*registry.form(cls));
    registry.FillAll(CollectAll(registry));  // the student's fields overwrite the derived ones once
    const std::vector<FieldRecord> first = CollectAll(registry);
    ASSERT_NO_FATAL_FAILURE(StoreAndReload(registry, first));
    const std::vector<FieldRecord> again = CollectAll(registry);

    EXPECT_EQ(again, first);
    EXPECT_EQ(valueOf(again, "KLASA II MUZYCZNA", "ZMIENNA_Szczegolne_STR2_DATA_MEMO"),
              "pierwsza linia\r\ndruga ąę");
    EXPECT_EQ(valueOf(again, "KLASA II MUZYCZNA", "ZMIENNA_ImieNazwisko_STR1_DATA_EDIT"),
              "Łucja Żak");
}

TEST_F(FieldOperations, RecordCountsAndOrderPerCertificate)
{
    const std::vector<FieldRecord> plain = collect("TFSwiad205kl2");
    const std::vector<FieldRecord> distinction = collect("TFSwiad205wkl2");
    EXPECT_EQ(plain.size(), 72u);
    EXPECT_EQ(distinction.size(), 70u);
    EXPECT_EQ(plain.front().comp_name, "ZMIENNA_ImieNazwisko_STR1_DATA_EDIT");
    EXPECT_EQ(plain.back().comp_name, "ZMIENNA_Szczegolne_STR2_DATA_MEMO");
    EXPECT_EQ(distinction[24].comp_name, "ZMIENNA_OtrzymalA_STR1_DATA_EDIT");
    for (const FieldRecord& r : plain)
        EXPECT_EQ(r.id, "KLASA II MUZYCZNA");
}

TEST_F(FieldOperations, FillSelectsByKeyIgnoresLabelsAndLetsTheLaterWin)
{
    DocumentForm& form = *registry.form("TFSwiad205kl2");
    const std::vector<FieldRecord> records = {
        {"KLASA II MUZYCZNA", "zmienna_klasa_str1_data_edit", "pierwsza"},
        {"KLASA II MUZYCZNA", "ZMIENNA_Klasa_STR1_DATA_EDIT", "druga"},
        {"KLASA II WYR. MUZYCZNA", "ZMIENNA_UchwalaRok_STR1_DATA_EDIT", "1999"},
        {"KLASA II MUZYCZNA ", "ZMIENNA_UchwalaDnia_STR1_DATA_EDIT", "x"},
        {"KLASA II MUZYCZNA", "STALY_Slash_STR1_DATA_LABEL", "?"},
        {"KLASA II MUZYCZNA", "ZMIENNA_Szczegolne_STR2_DATA_MEMO01", "linia"},
        {"KLASA II MUZYCZNA", "ZMIENNA_MiejscowoscRok_str1_DATA_EDIT", "2004"},
    };
    form.FillFields(records);
    EXPECT_EQ(form.text(u"ZMIENNA_Klasa_STR1_DATA_EDIT"), "druga");
    EXPECT_EQ(form.text(u"ZMIENNA_UchwalaRok_STR1_DATA_EDIT"), "");
    EXPECT_EQ(form.text(u"ZMIENNA_UchwalaDnia_STR1_DATA_EDIT"), "");
    EXPECT_EQ(form.text(u"STALY_Slash_STR1_DATA_LABEL"), "/");
    EXPECT_EQ(form.text(u"ZMIENNA_Szczegolne_STR2_DATA_MEMO"), "");
    EXPECT_EQ(form.text(u"ZMIENNA_MiejscowoscRok_STR1_DATA_EDIT"), "2004");
    DocumentForm& other = *registry.form("TFSwiad205wkl2");  // not filled: still its placeholder
    const int rok = other.find(u"ZMIENNA_UchwalaRok_STR1_DATA_EDIT");
    EXPECT_EQ(other.text(rok), other.component(rok).caption);
}

// The ART-II/283/3 title page words its endings its own way ("przyjęty", "wpisany").
TEST_F(FieldOperations, TitlePageEndingsFollowTheSex)
{
    const std::pair<const char*, const char*> cases[] = {
        {"mężczyzna", "y"}, {"kobieta", "a"}, {"", "a"}, {"Mężczyzna", "a"}, {"mężczyzna ", "a"}};
    DocumentForm& title = *registry.form("TFArkusz283str1");
    for (const auto& [sex, ending] : cases) {
        SCOPED_TRACE(sex);
        student.fields["Plec_DATA_COMBOBOX"] = QString::fromUtf8(sex);
        title.FillFields({});
        EXPECT_EQ(title.text(u"ZMIENNA_PrzyjetyA_DATA_EDIT"), ending);
        EXPECT_EQ(title.text(u"ZMIENNA_WpisanyA_DATA_EDIT"), ending);
    }
}

TEST_F(FieldOperations, StudentFieldsAreJoinedWithOneBlankAndSetWhole)
{
    const QString longName(50, QChar('x'));
    student.fields = {{"Imie_DATA_EDIT", ""},
                      {"Nazwisko_DATA_EDIT", longName},
                      {"UrodzonyDnia_DATA_EDIT", "3 maja"},
                      {"UrodzonyRok_DATA_COMBOBOX", "1996 r."},
                      {"UrodzonyMiasto_DATA_COMBOBOX", "Kraków"},
                      {"UrodzonyWoj_DATA_COMBOBOX", "małopolskie"},
                      {"NrDziennika_DATA_EDIT", "17"},
                      {"NumerPesel_DATA_EDIT", "96050312345"}};
    DocumentForm& cert = *registry.form("TFSwiad205kl3");
    cert.FillFields({{"KLASA III MUZYCZNA", "ZMIENNA_NrNaSwiadectwie_STR1_DATA_EDIT", "5"}});
    EXPECT_EQ(cert.text(u"ZMIENNA_ImieNazwisko_STR1_DATA_EDIT"), " " + longName);
    EXPECT_EQ(cert.text(u"ZMIENNA_DataUrodzenia_STR1_DATA_EDIT"), "3 maja 1996 r.");
    EXPECT_EQ(cert.text(u"ZMIENNA_MiejsceUrodzenia_STR1_DATA_EDIT"), "Kraków");
    EXPECT_EQ(cert.text(u"ZMIENNA_NrNaSwiadectwie_STR1_DATA_EDIT"), "17");
    EXPECT_EQ(cert.text(u"ZMIENNA_NumerPESEL_STR1_DATA_EDIT"), "96050312345");

    // The title page keeps a stored birth place and voivodeship; it fills them only while empty.
    DocumentForm& title = *registry.form("TFArkusz283str1");
    title.FillFields(
        {{"ARKUSZ OCEN STR 1 MUZYCZNA", "ZMIENNA_MiejsceUrodzenia_DATA_EDIT", "Gdańsk"},
         {"ARKUSZ OCEN STR 1 MUZYCZNA", "ZMIENNA_Wojewodztwo_DATA_EDIT", "pomorskie"}});
    EXPECT_EQ(title.text(u"ZMIENNA_MiejsceUrodzenia_DATA_EDIT"), "Gdańsk");
    EXPECT_EQ(title.text(u"ZMIENNA_Wojewodztwo_DATA_EDIT"), "pomorskie");
    EXPECT_EQ(title.text(u"ZMIENNA_Pesel_DATA_EDIT"), "96050312345");
}

TEST_F(FieldOperations, EmptyListLeavesOnlyTheDerivedFields)
{
    DocumentForm& cert = *registry.form("TFSwiad205kl6");
    cert.FillFields({});
    for (const FieldRecord& r : collect("TFSwiad205kl6")) {
        const bool derived = r.comp_name == "ZMIENNA_ImieNazwisko_STR1_DATA_EDIT" ||
                             r.comp_name == "ZMIENNA_DataUrodzenia_STR1_DATA_EDIT" ||
                             r.comp_name == "ZMIENNA_UczeszczalA_STR1_DATA_EDIT" ||
                             r.comp_name == "ZMIENNA_OtrzymalA_STR1_DATA_EDIT";
        EXPECT_EQ(r.value.empty(), !derived) << r.comp_name;
    }
}

TEST_F(FieldOperations, SheetMemosStoreOneRowPerLine)
{
    DocumentForm& page = *registry.form("TFArkusz283str2");
    page.ClearFields();
    page.setText(u"ZMIENNA_SzczegolneOsiagniecia1_DATA_MEMO", "a\r\n\r\nc");
    page.setText(u"ZMIENNA_InfoOEgzam1_DATA_MEMO", "z\r\n");
    std::vector<FieldRecord> rows;
    for (const FieldRecord& r : collect("TFArkusz283str2"))
        if (r.comp_name.find("_DATA_MEMO") != std::string::npos)
            rows.push_back(r);
    const std::vector<FieldRecord> expected = {
        {"ARKUSZ OCEN STR 2 MUZYCZNA", "ZMIENNA_SzczegolneOsiagniecia1_DATA_MEMO01", "a"},
        {"ARKUSZ OCEN STR 2 MUZYCZNA", "ZMIENNA_SzczegolneOsiagniecia1_DATA_MEMO02", ""},
        {"ARKUSZ OCEN STR 2 MUZYCZNA", "ZMIENNA_SzczegolneOsiagniecia1_DATA_MEMO03", "c"},
        {"ARKUSZ OCEN STR 2 MUZYCZNA", "ZMIENNA_InfoOEgzam1_DATA_MEMO01", "z"}};
    EXPECT_EQ(rows, expected);

    // Lines beyond the limit are kept on load; a bare memo name matches no memo.
    page.FillFields(
        {{"ARKUSZ OCEN STR 2 MUZYCZNA", "ZMIENNA_SzczegolneOsiagniecia2_DATA_MEMO01", "1"},
         {"ARKUSZ OCEN STR 2 MUZYCZNA", "ZMIENNA_SzczegolneOsiagniecia2_DATA_MEMO02", "2"},
         {"ARKUSZ OCEN STR 2 MUZYCZNA", "ZMIENNA_SzczegolneOsiagniecia2_DATA_MEMO03", "3"},
         {"ARKUSZ OCEN STR 2 MUZYCZNA", "ZMIENNA_SzczegolneOsiagniecia2_DATA_MEMO04", "4"},
         {"ARKUSZ OCEN STR 2 MUZYCZNA", "ZMIENNA_SzczegolneOsiagniecia2_DATA_MEMO05", "5"},
         {"ARKUSZ OCEN STR 2 MUZYCZNA", "ZMIENNA_InfoOEgzam2_DATA_MEM", "x"}});
    EXPECT_EQ(page.memoLines(u"ZMIENNA_SzczegolneOsiagniecia2_DATA_MEMO"),
              QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_EQ(page.text(u"ZMIENNA_InfoOEgzam2_DATA_MEMO"), "");
}

TEST_F(FieldOperations, SampleDataOfTheClassOneForms)
{
    DocumentForm& plain = *registry.form("TFSwiad205kl1");
    DocumentForm& distinction = *registry.form("TFSwiad205wkl1");
    distinction.FillFields(
        {{"KLASA I WYR. MUZYCZNA", "ZMIENNA_OLetnim_STR1_DATA_EDIT", "sześcio"}});
    plain.FillSampleData();
    distinction.FillSampleData();
    EXPECT_EQ(plain.text(u"ZMIENNA_ObowiazkowyEduOpis17_STR2_DATA_EDIT"),
              "obowiązkowe zaj. edu. 17");
    EXPECT_EQ(plain.text(u"ZMIENNA_NadopowiazkoweOcn5_STR2_DATA_COMBOBOX"), "celujacy");
    EXPECT_EQ(plain.text(u"ZMIENNA_OLetnim_STR1_DATA_EDIT"), "dwu letnim");
    EXPECT_EQ(plain.memoLines(u"ZMIENNA_Szczegolne_STR2_DATA_MEMO"),
              QStringList({"szczegolne 1", "szczegolne 2", "szczegolne 3", "szczegolne 4",
                           "szczegolne 5"}));
    EXPECT_EQ(distinction.text(u"ZMIENNA_OLetnim_STR1_DATA_EDIT"), "sześcio");
    EXPECT_EQ(distinction.text(u"ZMIENNA_PromDoKlasy_STR1_DATA_EDIT"), "drugiej");

    DocumentForm& page3 = *registry.form("TFArkusz283str3");
    page3.FillSampleData();
    EXPECT_EQ(page3.text(u"ZMIENNA_ObowiazkoweOcn212_DATA_COMBOBOX"), "ob. 21 ocena 3");
    EXPECT_EQ(page3.text(u"ZMIENNA_NadobowiazkoweZajOcn100_DATA_COMBOBOX"), "nadob. ocena 1 10");
    EXPECT_EQ(page3.memoLines(u"ZMIENNA_DataUchwaly2_DATA_MEMO").size(), 5);
    DocumentForm& page2 = *registry.form("TFArkusz283str2");
    page2.FillSampleData();
    EXPECT_EQ(page2.text(u"ZMIENNA_NadobowiazkoweZajOcn101_DATA_COMBOBOX"), "nadob. ocena 110");
}

TEST_F(FieldOperations, NewStudentPresetOnPlainFormsOnly)
{
    registry.ClearAll();
    for (const auto& f : registry.forms())
        f->ApplyPreset("newStudent");
    EXPECT_EQ(registry.form("TFSwiad205kl4")->text(u"ZMIENNA_PromocjiE_STR1_DATA_EDIT"), "ę");
    EXPECT_EQ(registry.form("TFSwiad205wkl4")->find(u"ZMIENNA_PromocjiE_STR1_DATA_EDIT"), -1);
}

// The ART-II/280/3a title page is made like the ART-II/280/3 one but stays outside every
// sweep: whatever it shows is never collected, cleared or filled with a student's data.
TEST_F(FieldOperations, StandaloneTitlePageStaysOutsideTheSweeps)
{
    DocumentForm* page = registry.form("TFArkusz280astr1");
    ASSERT_NE(page, nullptr);
    const DocumentForm& base = *registry.form("TFArkusz280str1");
    EXPECT_EQ(page->instanceName(), "FArkusz280astr1");
    EXPECT_EQ(page->componentCount(), base.componentCount());
    for (const auto& f : registry.forms())
        EXPECT_NE(f.get(), page);

    const QString field = "ZMIENNA_NazwaSzkoly1_DATA_EDIT";
    ASSERT_GE(page->find(field), 0);
    page->setText(field, "szkoła");
    std::vector<FieldRecord> records;
    registry.CollectAll(records);
    for (const FieldRecord& r : records)
        EXPECT_NE(r.id, "");
    registry.ClearAll();
    registry.FillAll({{"ART-II/280/3 ARKUSZ OCEN STR 1 MUZYCZNA", field.toStdString(), "inna"}});
    EXPECT_EQ(page->text(field), "szkoła");
}
