// Clear, collect and fill of the six ART-II/201 forms through a real working copy, and the
// new-student preset.
#include "tests/cert201/Cert201Forms.h"
#include "tests/forms/FormRecords.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/QtPrinters.h"
#include "tests/support/TempFolders.h"

#include <gtest/gtest.h>

namespace {

const QStringList kDerived = {
    "ZMIENNA_ImieNazwisko_STR1_DATA_EDIT",     "ZMIENNA_DataUrodzenia_STR1_DATA_EDIT",
    "ZMIENNA_MiejsceUrodzenia_STR1_DATA_EDIT", "ZMIENNA_NumerPESEL_STR1_DATA_EDIT",
    "ZMIENNA_UczeszczalA_STR1_DATA_EDIT",      "ZMIENNA_OtrzymalA_STR1_DATA_EDIT",
    "ZMIENNA_NrNaSwiadectwie_STR1_DATA_EDIT"};

class Cert201Fields : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }

    DocumentForm& form(const Cert201Form& f) { return *registry.form(f.cls); }

    TestStudent student;
    FormRegistry registry;
};

// Every stored field gets a text of its own: memos two lines, combos a grade with its
// trailing blank, edits longer than they could be typed.
void FillDistinct(DocumentForm& form)
{
    SetStoredFields(form, [](const LayoutComponent& c, int) -> std::optional<QString> {
        if (kDerived.contains(c.name))
            return std::nullopt;
        if (c.kind == ComponentKind::Memo)
            return "pierwsza linia\r\ndruga żółć";
        if (c.kind == ComponentKind::Combo)
            return "uczestniczył ";
        return c.name.mid(8).chopped(15) + " ąę " + QString(c.maxLength, QChar('x'));
    });
}

}  // namespace

TEST_F(Cert201Fields, CollectStoreFillCollectGivesIdenticalRecords)
{
    TempFolders folders;
    student.fields = {{"Imie_DATA_EDIT", "Łucja"},
                      {"Nazwisko_DATA_EDIT", "Żak"},
                      {"Plec_DATA_COMBOBOX", "kobieta"},
                      {"NrDziennika_DATA_EDIT", "7"},
                      {"NumerPesel_DATA_EDIT", "01234567890"}};
    registry.ClearAll();
    for (const Cert201Form& f : kCert201Forms)
        FillDistinct(form(f));
    registry.FillAll({});  // the student's fields, which a load always sets
    for (const Cert201Form& f : kCert201Forms)
        FillDistinct(form(f));
    const std::vector<FieldRecord> first = CollectAll(registry);
    ASSERT_NO_FATAL_FAILURE(StoreAndReload(registry, first));
    EXPECT_EQ(CollectAll(registry), first);

    for (const Cert201Form& f : kCert201Forms) {
        SCOPED_TRACE(f.cls);
        const std::vector<FieldRecord> own = Collect(form(f));
        ASSERT_EQ(int(own.size()), f.edits + f.combos + f.memos);
        QStringList names;
        for (const FieldRecord& r : own) {
            EXPECT_EQ(r.id, f.key);
            names << QString::fromStdString(r.comp_name);
        }
        EXPECT_EQ(names, StoredNames(form(f)));
        for (const MemoLimit& m : MemosOf(f.blank))
            EXPECT_EQ(form(f).text(QStringView(m.name)), "pierwsza linia\r\ndruga żółć");
        EXPECT_EQ(form(f).text(u"ZMIENNA_ImieNazwisko_STR1_DATA_EDIT"), "Łucja Żak");
    }
}

TEST_F(Cert201Fields, OnlyRecordsOfTheFormsOwnKeyFillIt)
{
    const std::string plainKey = "ART-II/201/3 KLASA I MUZYCZNA",
                      twinKey = "ART-II/201-w/3 KLASA I MUZYCZNA";
    const std::vector<FieldRecord> records = {
        {plainKey, "ZMIENNA_Klasa_STR1_DATA_EDIT", "pierwsza"},
        {twinKey, "ZMIENNA_Klasa_STR1_DATA_EDIT", "z wyróżnieniem"},
        {plainKey, "ZMIENNA_KLASA_STR1_DATA_EDIT", "druga"},
        {"ART-II/201/3b", "ZMIENNA_Szczegolne_STR3_DATA_MEMO", "b"},
        {plainKey, "STALY_Slash_STR1_DATA_LABEL", "?"},
        {plainKey, "ZMIENNA_Nieistniejace_STR1_DATA_EDIT", "?"},
        {plainKey, "ZMIENNA_PromocjiE_STR1_DATA_EDIT", "ę"},
        {twinKey, "ZMIENNA_PromocjiE_STR1_DATA_EDIT", "ę"},
    };
    DocumentForm& plain = *registry.form("TFSwiad201");
    DocumentForm& twin = *registry.form("TFSwiad201w");
    DocumentForm& b = *registry.form("TFSwiad201b");
    plain.FillFields(records);
    twin.FillFields(records);
    b.FillFields(records);
    EXPECT_EQ(plain.text(u"ZMIENNA_Klasa_STR1_DATA_EDIT"), "druga");
    EXPECT_EQ(plain.text(u"ZMIENNA_PromocjiE_STR1_DATA_EDIT"), "ę");
    EXPECT_EQ(plain.text(u"ZMIENNA_Szczegolne_STR3_DATA_MEMO"), "");
    EXPECT_EQ(plain.text(u"STALY_Slash_STR1_DATA_LABEL"), "/");
    EXPECT_EQ(twin.text(u"ZMIENNA_Klasa_STR1_DATA_EDIT"), "z wyróżnieniem");
    EXPECT_EQ(twin.find(u"ZMIENNA_PromocjiE_STR1_DATA_EDIT"), -1);
    EXPECT_EQ(b.text(u"ZMIENNA_Klasa_STR1_DATA_EDIT"), "");
    EXPECT_EQ(b.text(u"ZMIENNA_Szczegolne_STR3_DATA_MEMO"), "b");
}

// Without records and with an empty student dialog only the joined fields (one blank) and
// the endings hold text.
TEST_F(Cert201Fields, EmptyListLeavesOnlyTheDerivedFields)
{
    for (const Cert201Form& f : kCert201Forms) {
        SCOPED_TRACE(f.cls);
        FillDistinct(form(f));
        form(f).FillFields({});
        for (const FieldRecord& r : Collect(form(f))) {
            const QString name = QString::fromStdString(r.comp_name);
            const std::string expected =
                name.contains("ImieNazwisko") || name.contains("DataUrodzenia") ? " "
                : name.contains("UczeszczalA") || name.contains("OtrzymalA")    ? "a"
                                                                                : "";
            EXPECT_EQ(r.value, expected) << r.comp_name;
        }
    }
}

TEST_F(Cert201Fields, NewStudentPresetPutsTheEndingOnPlainFormsOnly)
{
    registry.ClearAll();
    for (const auto& f : registry.forms())
        f->ApplyPreset("newStudent");
    for (const Cert201Form& f : kCert201Forms) {
        SCOPED_TRACE(f.cls);
        if (f.plain)
            EXPECT_EQ(form(f).text(u"ZMIENNA_PromocjiE_STR1_DATA_EDIT"), "ę");
        else
            EXPECT_EQ(form(f).find(u"ZMIENNA_PromocjiE_STR1_DATA_EDIT"), -1);
        EXPECT_EQ(form(f).text(u"ZMIENNA_NieOtrzymalProm_STR1_DATA_EDIT"), "");
    }
}
