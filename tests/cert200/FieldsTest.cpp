// Clear, collect, fill, student data and memo limits of the family's forms, on the real
// forms and through a real working copy.
#include "forms/FormRegistry.h"
#include "tests/cert200/Cert200Forms.h"
#include "tests/forms/FormRecords.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/QtPrinters.h"
#include "tests/support/TempFolders.h"

#include <gtest/gtest.h>

namespace {

class Cert200Fields : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }

    DocumentForm& form(const Cert200Form& f) const { return *registry.form(f.cls); }
    std::vector<FieldRecord> collect(const Cert200Form& f) const { return Collect(form(f)); }

    TestStudent student;
    FormRegistry registry;
};

// A text of its own for every stored field; memos get two lines with Polish letters.
void FillDistinct(DocumentForm& form)
{
    SetStoredFields(form, [](const LayoutComponent& c, int) -> QString {
        return c.kind == ComponentKind::Memo    ? "pierwsza linia\r\ndruga żółć"
               : c.kind == ComponentKind::Combo ? "uczestniczył "
                                                : c.name.mid(8, 14) + " ą";
    });
}

}  // namespace

TEST_F(Cert200Fields, CollectSaveFillCollectGivesIdenticalRecords)
{
    TempFolders folders;
    student.fields = {{"Imie_DATA_EDIT", "Łucja"},
                      {"Nazwisko_DATA_EDIT", "Żak"},
                      {"Plec_DATA_COMBOBOX", "kobieta"},
                      {"NumerPesel_DATA_EDIT", "01234567890"}};
    for (const Cert200Form& f : Cert200Forms())
        FillDistinct(form(f));
    registry.FillAll(CollectAll(registry));  // the student's fields overwrite the derived ones once
    const std::vector<FieldRecord> first = CollectAll(registry);
    ASSERT_NO_FATAL_FAILURE(StoreAndReload(registry, first));
    EXPECT_EQ(CollectAll(registry), first);

    for (const Cert200Form& f : Cert200Forms()) {
        SCOPED_TRACE(f.cls);
        const std::vector<FieldRecord> records = collect(f);
        EXPECT_EQ(int(records.size()), f.edits + f.combos + f.memos);
        for (const FieldRecord& r : records) {
            EXPECT_EQ(r.id, f.key);
            if (r.comp_name.find("_DATA_MEMO") == std::string::npos)
                continue;
            EXPECT_EQ(r.value, "pierwsza linia\r\ndruga żółć") << r.comp_name;
        }
    }
}

// Records are matched by the form key byte for byte: the twins and the neighbours never
// take each other's values, and a name the form lacks is skipped.
TEST_F(Cert200Fields, FillTakesOnlyItsOwnKey)
{
    const std::pair<const char*, const char*> neighbours[] = {{"TFSwiad200", "TFSwiad200a"},
                                                              {"TFSwiad203", "TFSwiad203w"},
                                                              {"TFSwiad204", "TFSwiad204a"},
                                                              {"TFSwiad205a", "TFSwiad205aw"}};
    // The forms of these pairs that have the "did not get promoted" line.
    const QStringList withPromotionLine = {"TFSwiad200", "TFSwiad200a", "TFSwiad203",
                                           "TFSwiad205a"};
    for (const auto& [a, b] : neighbours) {
        DocumentForm& first = *registry.form(a);
        DocumentForm& second = *registry.form(b);
        const std::vector<FieldRecord> records = {
            {first.key().toStdString(), "ZMIENNA_UchwalaRok_STR1_DATA_EDIT", "1999"},
            {second.key().toStdString(), "ZMIENNA_UchwalaRok_STR1_DATA_EDIT", "2001"},
            {second.key().toStdString() + " ", "ZMIENNA_UchwalaDnia_STR1_DATA_EDIT", "x"},
            {second.key().toStdString(), "ZMIENNA_NieOtrzymalProm_STR1_DATA_EDIT", "nie"},
            {first.key().toStdString(), "ZMIENNA_NieOtrzymalProm_STR1_DATA_EDIT", "nie"}};
        first.FillFields(records);
        second.FillFields(records);
        EXPECT_EQ(first.text(u"ZMIENNA_UchwalaRok_STR1_DATA_EDIT"), "1999") << a;
        EXPECT_EQ(second.text(u"ZMIENNA_UchwalaRok_STR1_DATA_EDIT"), "2001") << b;
        EXPECT_EQ(second.text(u"ZMIENNA_UchwalaDnia_STR1_DATA_EDIT"), "") << b;
        for (const DocumentForm* f : {&first, &second}) {
            const bool holds = withPromotionLine.contains(f->className());
            EXPECT_EQ(f->find(u"ZMIENNA_NieOtrzymalProm_STR1_DATA_EDIT") >= 0, holds)
                << f->className().toStdString();
            if (holds) {
                EXPECT_EQ(f->text(u"ZMIENNA_NieOtrzymalProm_STR1_DATA_EDIT"), "nie")
                    << f->className().toStdString();
            }
        }
        for (const DocumentForm* f : {&first, &second})  // no stray record is collected
            for (const FieldRecord& r : Collect(*f))
                EXPECT_EQ(QString::fromStdString(r.id), f->key());
    }
}

// An empty student dialog: the name and the birth date are single blanks, the endings "a",
// and nothing else of the form is set.
TEST_F(Cert200Fields, EmptyListLeavesOnlyTheDerivedFields)
{
    for (const Cert200Form& f : Cert200Forms()) {
        form(f).FillFields({});
        for (const FieldRecord& r : collect(f)) {
            const QString name = QString::fromStdString(r.comp_name);
            bool ending = false;
            for (const Ending& e : f.endings)
                ending |= name == e.name;
            const bool blank = name == "ZMIENNA_ImieNazwisko_STR1_DATA_EDIT" ||
                               name == "ZMIENNA_DataUrodzenia_STR1_DATA_EDIT";
            EXPECT_EQ(r.value, ending ? "a" : blank ? " " : "") << f.cls << " " << r.comp_name;
        }
    }
}

// Each memo keeps its own limit: set from code or loaded, and Enter at the limit.
TEST_F(Cert200Fields, MemoLimits)
{
    for (const Cert200Form& f : Cert200Forms()) {
        DocumentForm& cert = form(f);
        for (const MemoLimit& m : f.memoLimits) {
            SCOPED_TRACE(std::string(f.cls) + " " + m.name);
            const int i = cert.find(QString::fromUtf8(m.name));
            ASSERT_GE(i, 0);
            cert.setText(i, NumberedLines(m.lines + 2));
            EXPECT_EQ(cert.memoLines(i), NumberedLines(m.lines).split("\r\n"));
            EXPECT_FALSE(cert.memoAcceptsEnter(i));
            cert.setText(i, NumberedLines(m.lines - 1));
            EXPECT_TRUE(cert.memoAcceptsEnter(i));

            // One long paragraph wraps: exactly the first N displayed lines remain.
            cert.setText(i, QString("słowo ").repeated(60 * m.lines).trimmed());
            EXPECT_EQ(cert.memoLines(i).size(), m.lines);

            // A stored text beyond the limit is kept whole, for the person to see and shorten.
            cert.FillFields({{f.key, m.name, NumberedLines(m.lines + 3).toStdString()}});
            EXPECT_EQ(cert.memoLines(i), NumberedLines(m.lines + 3).split("\r\n"));
        }
    }
}
