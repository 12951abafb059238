// The ART-II/280/3 and ART-II/281/3 grade-sheet pages on the real forms: collect, store
// and fill through a real working copy, memo limits, sample texts, the load bars.
#include "forms/FormRegistry.h"
#include "forms/FormWindow.h"
#include "platform/Edit.h"
#include "tests/forms/FormRecords.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/QtPrinters.h"
#include "tests/support/TempFolders.h"

#include <gtest/gtest.h>

namespace {

const QStringList kYearPages = {"TFArkusz280str2", "TFArkusz280str3", "TFArkusz280str4",
                                "TFArkusz280str5", "TFArkusz280str6", "TFArkusz280str7",
                                "TFArkusz281str2", "TFArkusz281str3", "TFArkusz281str4",
                                "TFArkusz281str5", "TFArkusz281str6", "TFArkusz281str7"};
const QStringList kTitlePages = {"TFArkusz280str1", "TFArkusz281str1"};

class SheetPages : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        registry.ClearAll();
    }
    DocumentForm& form(const QString& cls) const { return *registry.form(cls); }
    std::vector<FieldRecord> collect(const QStringList& classes) const
    {
        std::vector<FieldRecord> out;
        for (const QString& cls : classes)
            form(cls).CollectFields(out);
        return out;
    }

    TestStudent student;
    FormRegistry registry;
};

// Every stored field gets a text of its own; memos three lines with an empty middle one.
void FillDistinct(DocumentForm& form)
{
    SetStoredFields(form, [&](const LayoutComponent& c, int i) -> QString {
        if (c.kind == ComponentKind::Memo)
            return form.isCertificate() ? "pierwsza ż\r\ndruga" : "a ą\r\n\r\nc";
        return c.name.mid(8, 16) + " ż" + QString::number(i);
    });
}

int countIf(const DocumentForm& form, ComponentKind kind)
{
    int n = 0;
    for (int i = 0; i < form.componentCount(); ++i)
        n += form.component(i).kind == kind;
    return n;
}

}  // namespace

TEST_F(SheetPages, CollectStoreFillCollectGivesIdenticalRecords)
{
    TempFolders folders;
    student.fields = {{"Imie_DATA_EDIT", "Łucja"},
                      {"Nazwisko_DATA_EDIT", "Żak"},
                      {"Plec_DATA_COMBOBOX", "kobieta"},
                      {"UrodzonyMiasto_DATA_COMBOBOX", "Łódź"},
                      {"UrodzonyWoj_DATA_COMBOBOX", "łódzkie"},
                      {"NumerPesel_DATA_EDIT", "01234567890"}};
    const QStringList pages = kTitlePages + kYearPages;
    for (const QString& cls : pages)
        FillDistinct(form(cls));
    registry.FillAll(collect(pages));  // the student's fields overwrite the derived ones once
    const std::vector<FieldRecord> first = collect(pages);
    ASSERT_NO_FATAL_FAILURE(StoreAndReload(registry, first));

    EXPECT_EQ(collect(pages), first);
    EXPECT_EQ(form("TFArkusz281str5").memoLines(u"ZMIENNA_Projekt2_DATA_MEMO"),
              QStringList({"a ą", "", "c"}));
    EXPECT_EQ(form("TFArkusz280str1").text(u"ZMIENNA_ImieNazwisko_DATA_EDIT"), "Łucja Żak");
}

TEST_F(SheetPages, RecordsPerPageEmptyAndFull)
{
    struct Row {
        const char* cls;
        size_t empty, full;  // full: every memo line used
    };
    const Row table[] = {{"TFArkusz280str2", 27, 27 + 6 + 11 + 4 + 4 + 4},
                         {"TFArkusz280str6", 108, 108 + 2 * (3 + 7 + 6)},
                         {"TFArkusz280str7", 108, 108 + 2 * (3 + 7 + 6)},
                         {"TFArkusz281str2", 102, 140},
                         {"TFArkusz281str7", 102, 140}};
    for (const Row& row : table) {
        SCOPED_TRACE(row.cls);
        DocumentForm& page = form(row.cls);
        page.ClearFields();
        const std::vector<FieldRecord> empty = collect({row.cls});
        EXPECT_EQ(empty.size(), row.empty);
        for (const FieldRecord& r : empty) {
            EXPECT_EQ(r.id, page.key().toStdString());
            EXPECT_EQ(r.value, "");
        }
        for (int i = 0; i < page.componentCount(); ++i)
            if (page.component(i).kind == ComponentKind::Memo)
                page.setText(i, NumberedLines(page.component(i).lineLimit));
        EXPECT_EQ(collect({row.cls}).size(), row.full);
    }
    // A memo's lines are stored under its name and a two-digit line number.
    DocumentForm& page = form("TFArkusz280str2");
    page.ClearFields();
    page.setText(u"ZMIENNA_ObZajEduOgol1_DATA_MEMO", NumberedLines(11));
    const std::vector<FieldRecord> rows = collect({"TFArkusz280str2"});
    bool eleventh = false;
    for (const FieldRecord& r : rows)
        eleventh |= r.comp_name == "ZMIENNA_ObZajEduOgol1_DATA_MEMO11" && r.value == "linia 11";
    EXPECT_TRUE(eleventh);
}

TEST_F(SheetPages, MemosKeepTheirLimitFromCodeAndAtEnterAndLoadWhole)
{
    struct Row {
        const char* cls;
        const char* memo;
        int limit;
    };
    const Row table[] = {
        {"TFArkusz280str2", "ZMIENNA_Zachowanie1_DATA_MEMO", 6},
        {"TFArkusz280str3", "ZMIENNA_ObZajEduOgol1_DATA_MEMO", 11},
        {"TFArkusz280str4", "ZMIENNA_SzczegolneOs_DATA_MEMO", 4},
        {"TFArkusz280str5", "ZMIENNA_InfoOEgzaminach_DATA_MEMO", 4},
        {"TFArkusz280str5", "ZMIENNA_DataUchwaly_DATA_MEMO", 4},
        {"TFArkusz280str6", "ZMIENNA_Szczegolne2_DATA_MEMO", 3},
        {"TFArkusz280str7", "ZMIENNA_InfoOEgzaminach1_DATA_MEMO", 7},
        {"TFArkusz280str6", "ZMIENNA_DataUchwaly2_DATA_MEMO", 6},
        {"TFArkusz281str2", "ZMIENNA_Projekt1_DATA_MEMO", 3},
        {"TFArkusz281str3", "ZMIENNA_Szczegolne1_DATA_MEMO", 3},
        {"TFArkusz281str4", "ZMIENNA_InfoOEgzaminach2_DATA_MEMO", 7},
        {"TFArkusz281str7", "ZMIENNA_DataUchwaly1_DATA_MEMO", 6},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(std::string(row.cls) + " " + row.memo);
        DocumentForm& page = form(row.cls);
        const int m = page.find(QString::fromUtf8(row.memo));
        ASSERT_GE(m, 0);
        page.setText(m, NumberedLines(row.limit + 3));
        EXPECT_EQ(page.memoLines(m), NumberedLines(row.limit).split("\r\n"));
        EXPECT_FALSE(page.memoAcceptsEnter(m));
        page.setText(m, NumberedLines(row.limit - 1));
        EXPECT_TRUE(page.memoAcceptsEnter(m));

        std::vector<FieldRecord> stored;
        for (int line = 1; line <= row.limit + 2; ++line)
            stored.push_back(
                {page.key().toStdString(),
                 QString("%1%2").arg(row.memo).arg(line, 2, 10, QChar('0')).toStdString(),
                 QString("linia %1").arg(line).toStdString()});
        page.FillFields(stored);  // kept whole: no stored line is dropped
        EXPECT_EQ(page.memoLines(m), NumberedLines(row.limit + 2).split("\r\n"));
    }
}

// The behaviour memo of ART-II/280/3 pages 2 to 5 wraps: a text set from code keeps six
// displayed lines; the examination memo does not wrap, so one long line stays one line.
TEST_F(SheetPages, WrappingAndNonWrappingMemosOfTheOneColumnPages)
{
    DocumentForm& page = form("TFArkusz280str3");
    const QString paragraph = QString("zachowanie bardzo dobre i staranne ").repeated(30).trimmed();
    page.setText(u"ZMIENNA_Zachowanie1_DATA_MEMO", paragraph);
    const QStringList shown = page.memoLines(u"ZMIENNA_Zachowanie1_DATA_MEMO");
    EXPECT_EQ(shown.size(), 6);
    EXPECT_TRUE(shown.first().startsWith("zachowanie bardzo dobre")) << shown.first().toStdString();
    page.setText(u"ZMIENNA_InfoOEgzaminach_DATA_MEMO", paragraph);
    EXPECT_EQ(page.memoLines(u"ZMIENNA_InfoOEgzaminach_DATA_MEMO"), QStringList({paragraph}));
}

TEST_F(SheetPages, RecordsOfAnotherPageChangeNothing)
{
    // Pages 2 and 3 share every component name; only the key tells their records apart.
    DocumentForm& two = form("TFArkusz280str2");
    two.FillFields(
        {{"ART-II/280/3 ARKUSZ OCEN STR 3 MUZYCZNA", "ZMIENNA_Klasa1_DATA_EDIT", "trzecia"},
         {"ART-II/280/3 ARKUSZ OCEN STR 2 MUZYCZNA", "ZMIENNA_religia1_DATA_COMBOBOX",
          "własna ocena"},
         {"ART-II/281/3 ARKUSZ OCEN STR 2 MUZYCZNA", "ZMIENNA_Strona_DATA_EDIT", "9"}});
    EXPECT_EQ(two.text(u"ZMIENNA_Klasa1_DATA_EDIT"), "");
    EXPECT_EQ(two.text(u"ZMIENNA_Religia1_DATA_COMBOBOX"), "własna ocena");
    EXPECT_EQ(two.text(u"ZMIENNA_Strona_DATA_EDIT"), "");
}

TEST_F(SheetPages, ClearEmptiesEveryFieldOfThePageOnly)
{
    for (const QString& cls : kYearPages)
        FillDistinct(form(cls));
    const Snapshot before = TakeSnapshot(registry);
    form("TFArkusz280str6").ClearFields();
    const Snapshot changed = Changes(before, TakeSnapshot(registry));
    size_t emptied = 0;
    for (const auto& [key, value] : changed) {
        EXPECT_EQ(key.first, "ART-II/280/3 ARKUSZ OCEN STR 6 MUZYCZNA") << key.second;
        emptied += key.second.find("_DATA_MEMO") == std::string::npos;
    }
    EXPECT_EQ(emptied, 108u);
    EXPECT_EQ(collect({"TFArkusz280str6"}).size(), 108u);
}

TEST_F(SheetPages, SampleTextsFillEveryFieldOfTheirPages)
{
    struct Probe {
        const char* field;
        const char* text;
    };
    struct Row {
        const char* cls;
        std::vector<Probe> probes;
    };
    const Row table[] = {
        {"TFArkusz280str2",
         {{"ZMIENNA_RokSzkolny1_DATA_EDIT", "Rok"},
          {"ZMIENNA_Religia1_DATA_COMBOBOX", "religia ocn"},
          {"ZMIENNA_ObEduArtOpis10_DATA_EDIT", "ob. zaj. edu. art. opis 10"},
          {"ZMIENNA_ObEduArtOcn7_DATA_COMBOBOX", "ob. zaj. edu. art. ocn 7"},
          {"ZMIENNA_GodzOpuszczoneNieusp_DATA_EDIT", "10"},
          {"ZMIENNA_Strona_DATA_EDIT", "2"}}},
        {"TFArkusz280str6",
         {{"ZMIENNA_Klasa2_DATA_EDIT", "Klasa 2"},
          {"ZMIENNA_ObEduOcn141_DATA_COMBOBOX", "edu ocn 141"},
          {"ZMIENNA_ObEduArtOpis13_DATA_EDIT", "edu art opis 13"},
          {"ZMIENNA_NadobZajPozalekOcn42_DATA_COMBOBOX", "pozalekcyjne ocn 42"},
          {"ZMIENNA_GodzOpuszczoneNieusp2_DATA_EDIT", "20"},
          {"ZMIENNA_Strona_DATA_EDIT", "6b"}}},
        {"TFArkusz280str7",
         {{"ZMIENNA_ZachowanieOcn1_DATA_COMBOBOX", "zachowanie ocn 1"},
          {"ZMIENNA_Strona_DATA_EDIT", "7b"}}},
        {"TFArkusz281str2",
         {{"ZMIENNA_Rok1_DATA_EDIT", "Rok 1"},
          {"ZMIENNA_ObEduOcn152_DATA_COMBOBOX", "edu ocn 152"},
          {"ZMIENNA_ObEduArtOcn121_DATA_COMBOBOX", "edu art ocn 121"},
          {"ZMIENNA_NadobZajPozalekOpis2_DATA_EDIT", "pozalekcyjne 2"},
          {"ZMIENNA_GodzOgolem2_DATA_EDIT", "10"},
          {"ZMIENNA_GodzNieusp1_DATA_EDIT", "15"}}},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.cls);
        DocumentForm& page = form(row.cls);
        page.FillSampleData();
        for (const Probe& p : row.probes)
            EXPECT_EQ(page.text(QString::fromUtf8(p.field)), QString::fromUtf8(p.text)) << p.field;
        for (int i = 0; i < page.componentCount(); ++i) {
            const LayoutComponent& c = page.component(i);
            if (c.isStored() && c.kind != ComponentKind::Memo) {
                EXPECT_FALSE(page.text(i).isEmpty()) << c.name.toStdString();
            }
        }
        int memos = 0;  // every memo gets all its sample lines
        for (const SampleStep& step :
             registry.catalog().samples.value(page.definition().samples).steps) {
            if (!step.isMemo)
                continue;
            EXPECT_EQ(page.memoLines(step.field), step.lines) << step.field.toStdString();
            ++memos;
        }
        EXPECT_EQ(memos, countIf(page, ComponentKind::Memo));
    }
    EXPECT_EQ(form("TFArkusz280str2").memoLines(u"ZMIENNA_ObZajEduOgol1_DATA_MEMO").last(),
              "ob. zaj. edu. ogóln. linia 10");
    EXPECT_EQ(form("TFArkusz280str7").memoLines(u"ZMIENNA_DataUchwaly2_DATA_MEMO").last(),
              "data uchwaly 2 linia 5");
    EXPECT_EQ(form("TFArkusz281str2").memoLines(u"ZMIENNA_Projekt2_DATA_MEMO").first(),
              "projekt 2 linia 1");

    // Pages without sample texts keep the student's values.
    DocumentForm& three = form("TFArkusz281str3");
    three.setText(u"ZMIENNA_Klasa1_DATA_EDIT", "III a");
    three.FillSampleData();
    EXPECT_EQ(three.text(u"ZMIENNA_Klasa1_DATA_EDIT"), "III a");
}

// Whatever a certificate copies through a load bar lands in the chosen column of the page
// that asked (and in the shared subject names when they are asked for), nowhere else.
TEST_F(SheetPages, LoadsWriteOnlyTheChosenColumnOfTheirPage)
{
    for (const QString& cls : kYearPages) {
        const FormSpec& definition = form(cls).definition();
        for (int certificate = 0; certificate < definition.loadBar->certificates.size();
             ++certificate) {
            DocumentForm& cert = form(definition.loadBar->certificates[certificate].formClass);
            for (int column = 0; column < definition.loadBar->columns.size(); ++column) {
                for (const bool names : {false, true}) {
                    SCOPED_TRACE(QString("%1 %2 column %3 names %4")
                                     .arg(cls, cert.className())
                                     .arg(column)
                                     .arg(names)
                                     .toStdString());
                    registry.ClearAll();
                    FillDistinct(cert);
                    const Snapshot before = TakeSnapshot(registry);
                    form(cls).LoadColumn(certificate, column, names);
                    const Snapshot changed = Changes(before, TakeSnapshot(registry));
                    // No offered choice is without effect once its certificate is laid out.
                    if (!cert.definition().pages.isEmpty()) {
                        EXPECT_FALSE(changed.empty());
                    }
                    for (const auto& [key, value] : changed) {
                        EXPECT_EQ(key.first, form(cls).key().toStdString()) << key.second;
                        const QString name = QString::fromStdString(key.second);
                        const QString stem = name.left(name.indexOf("_DATA_"));
                        if (stem.contains("Opis")) {
                            EXPECT_TRUE(names) << key.second;
                        } else if (definition.loadBar->columns.size() > 1) {
                            EXPECT_EQ(stem.back(), QChar('1' + column)) << key.second;
                        }
                    }
                }
            }
        }
    }
}

TEST_F(SheetPages, TitlePagesTakeTheStudentDataOverStoredTexts)
{
    struct Case {
        const char* sex;
        const char* ending;
    };
    const Case cases[] = {{"mężczyzna", "y"}, {"kobieta", "a"}, {"", "a"}, {"Mężczyzna", "a"}};
    student.fields = {{"Imie_DATA_EDIT", ""},
                      {"Nazwisko_DATA_EDIT", ""},
                      {"UrodzonyDnia_DATA_EDIT", "1 stycznia"},
                      {"UrodzonyRok_DATA_COMBOBOX", "2005 r."},
                      {"UrodzonyMiasto_DATA_COMBOBOX", "Kraków"},
                      {"UrodzonyWoj_DATA_COMBOBOX", ""},
                      {"NumerPesel_DATA_EDIT", "05210112345"}};
    for (const QString& cls : kTitlePages) {
        DocumentForm& title = form(cls);
        const std::string key = title.key().toStdString();
        for (const Case& c : cases) {
            SCOPED_TRACE(cls.toStdString() + " " + c.sex);
            student.fields["Plec_DATA_COMBOBOX"] = QString::fromUtf8(c.sex);
            title.FillFields({{key, "ZMIENNA_Pesel_DATA_EDIT", "99999999999"},
                              {key, "ZMIENNA_MiejsceUrodzenia_DATA_EDIT", "Gdańsk"},
                              {key, "ZMIENNA_Wojewodztwo_DATA_EDIT", "pomorskie"},
                              {key, "ZMIENNA_DoKsiegiUczniowPodNr_DATA_EDIT", "17"}});
            EXPECT_EQ(title.text(u"ZMIENNA_PrzyjetyA_DATA_EDIT"), c.ending);
            EXPECT_EQ(title.text(u"ZMIENNA_WpisanyA_DATA_EDIT"), c.ending);
            EXPECT_EQ(title.text(u"ZMIENNA_ImieNazwisko_DATA_EDIT"), " ");
            EXPECT_EQ(title.text(u"ZMIENNA_DataUrodzenia_DATA_EDIT"), "1 stycznia 2005 r.");
            EXPECT_EQ(title.text(u"ZMIENNA_Pesel_DATA_EDIT"), "05210112345");
            EXPECT_EQ(title.text(u"ZMIENNA_DoKsiegiUczniowPodNr_DATA_EDIT"), "17");
        }
        // Without stored records the typed fields stay empty and the student fields are filled.
        title.FillFields({});
        int filled = 0;
        for (const FieldRecord& r : collect({cls}))
            filled += !r.value.empty();
        EXPECT_EQ(filled, 6) << cls.toStdString();  // name, ending twice, birth date, place, PESEL
    }
}

TEST_F(SheetPages, TitlePagesKeepOrFollowTheBirthPlaceByTheirOwnRule)
{
    // ART-II/280/3 and ART-II/283/3 record the birth place once: a stored one stays when the
    // student's town changes. ART-II/281/3 follows the student dialog at every load.
    struct Case {
        const char* page;
        const char* storedPlace;
        const char* storedVoivodeship;
        const char* place;
        const char* voivodeship;
    };
    const Case cases[] = {
        {"TFArkusz280str1", "Gdańsk", "pomorskie", "Gdańsk", "pomorskie"},
        {"TFArkusz280str1", "", "", "Kraków", "małopolskie"},
        {"TFArkusz283str1", "Gdańsk", "pomorskie", "Gdańsk", "pomorskie"},
        {"TFArkusz283str1", "", "", "Kraków", "małopolskie"},
        {"TFArkusz281str1", "Gdańsk", "pomorskie", "Kraków", "małopolskie"},
        {"TFArkusz281str1", "", "", "Kraków", "małopolskie"},
    };
    student.fields = {{"UrodzonyMiasto_DATA_COMBOBOX", "Kraków"},
                      {"UrodzonyWoj_DATA_COMBOBOX", "małopolskie"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.page) + " stored \"" + c.storedPlace + "\"");
        DocumentForm& title = form(c.page);
        const std::string key = title.key().toStdString();
        std::vector<FieldRecord> stored;
        if (*c.storedPlace)
            stored.push_back({key, "ZMIENNA_MiejsceUrodzenia_DATA_EDIT", c.storedPlace});
        if (*c.storedVoivodeship)
            stored.push_back({key, "ZMIENNA_Wojewodztwo_DATA_EDIT", c.storedVoivodeship});
        title.FillFields(stored);
        FormWindow& window = title.window();
        EXPECT_EQ(qobject_cast<Edit*>(window.widget(u"ZMIENNA_MiejsceUrodzenia_DATA_EDIT"))->text(),
                  QString::fromUtf8(c.place));
        EXPECT_EQ(qobject_cast<Edit*>(window.widget(u"ZMIENNA_Wojewodztwo_DATA_EDIT"))->text(),
                  QString::fromUtf8(c.voivodeship));
        title.releaseWindow();
    }
}

TEST_F(SheetPages, TitlePageTemplateButtonCopiesTheSheetSchoolFields)
{
    TempFolders folders;
    TemplateSchool school;
    ASSERT_NO_FATAL_FAILURE(WriteSchoolTemplate(
        {{"DANE SZKOLY", "ZMIENNA_NazwaSzkoly1_DATA_EDIT", "Szkoła Muzyczna"},
         {"DANE SZKOLY", "ZMIENNA_SzkolaNiepublicznaProwadzonaPrzez_DATA_EDIT", "Fundację"},
         {"DANE SZKOLY", "ZMIENNA_DecyzjaNr_DATA_EDIT", "12/2004"},
         {"DANE SZKOLY", "ZMIENNA_NazwaSzkoly_DATA_EDIT", "PSM"}}));
    for (const QString& cls : kTitlePages) {
        DocumentForm& title = form(cls);
        title.setText(u"ZMIENNA_NazwaSzkoly2_DATA_EDIT", "typed");
        title.setText(u"ZMIENNA_DoKlasy_DATA_EDIT", "pierwszej");
        title.LoadSchoolData();
        EXPECT_EQ(title.text(u"ZMIENNA_NazwaSzkoly1_DATA_EDIT"), "Szkoła Muzyczna");
        EXPECT_EQ(title.text(u"ZMIENNA_NazwaSzkoly2_DATA_EDIT"), "");  // the template holds none
        EXPECT_EQ(title.text(u"ZMIENNA_DoKlasy_DATA_EDIT"), "pierwszej");
    }
    EXPECT_EQ(form("TFArkusz280str1").text(u"ZMIENNA_SzkolaNiepublicznaProwadzonaPrzez1_DATA_EDIT"),
              "Fundację");
    EXPECT_EQ(form("TFArkusz281str1").text(u"ZMIENNA_SzkolaNiepublicznaProwadzonaPrzez_DATA_EDIT"),
              "Fundację");
    EXPECT_EQ(form("TFArkusz281str1").text(u"ZMIENNA_DecyzjaNr_DATA_EDIT"), "12/2004");
}

TEST_F(SheetPages, TitlePageSampleTextsFillEveryEdit)
{
    for (const QString& cls : kTitlePages) {
        DocumentForm& title = form(cls);
        title.FillSampleData();
        for (const FieldRecord& r : collect({cls}))
            EXPECT_FALSE(r.value.empty()) << cls.toStdString() << " " << r.comp_name;
    }
    EXPECT_EQ(form("TFArkusz280str1").text(u"ZMIENNA_DataPrzyczynaOpuszczeniaSzkoly2_DATA_EDIT"),
              "data / przyczyna opuszczenia szkoły 2");
    EXPECT_EQ(form("TFArkusz280str1").text(u"ZMIENNA_Wojewodztwo_DATA_EDIT"), "śląskie");
    EXPECT_EQ(form("TFArkusz281str1").text(u"ZMIENNA_NazwaSzkoly3_DATA_EDIT"), "nazwa 3");
}
