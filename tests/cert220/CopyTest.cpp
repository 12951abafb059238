// Copying a leaving certificate into its grade-sheet year page: each block writes exactly its
// target fields, in any form of the registry nothing else changes, pairs without a block copy
// nothing, and the page memo keeps its own three lines.
#include "tests/cert220/LeavingForms.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

const QStringList kRemarks = {"uwaga 1", "uwaga 2", "uwaga 3", "uwaga 4", "uwaga 5"};

// The writes a copy should make, as stored records of the page: `one` maps a single certificate
// field, `names` a list of subject names into the shared name column, `grades` a list of grades
// into the column, `memo` the remarks as the page memo's first three rows.
struct Expectation {
    const DocumentForm& cert;
    const DocumentForm& page;
    int column;
    Snapshot writes;

    void set(const QString& field, const QString& value)
    {
        writes[{page.key().toStdString(), field.toStdString()}] = value.toStdString();
    }
    void one(const QString& from, const QString& to) { set(to, cert.text(from)); }
    void names(const char* from, const char* to, int count)
    {
        for (int r = 1; r <= count; ++r)
            one(QString(from).arg(r), QString(to).arg(r));
    }
    void grades(const char* from, const char* to, int count)
    {
        for (int r = 1; r <= count; ++r)
            one(QString(from).arg(r), QString(to).arg(r).arg(column));
    }
    void memo(const QString& from, const QString& to)
    {
        const QStringList lines = cert.text(from).split("\r\n");
        for (int i = 0; i < 3 && i < lines.size(); ++i)
            set(to.arg(column) + QString("0%1").arg(i + 1), lines[i]);
    }
};

class LeavingCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        registry.ClearAll();
        for (const LeavingForm& lf : LeavingForms()) {
            DocumentForm& cert = *registry.form(lf.cls);
            FillDistinct(cert, lf.cls);
            cert.setText(u"ZMIENNA_RokSzkolny1_STR1_DATA_EDIT", "2014");
            cert.setText(u"ZMIENNA_RokSzkolny2_STR1_DATA_EDIT", "2015");
            cert.setText(QString(lf.memo), kRemarks.join("\r\n"));
        }
    }

    static Snapshot ExpectedChanges(const Snapshot& before, const Snapshot& writes)
    {
        Snapshot out;
        for (const auto& [key, value] : writes)
            if (!before.count(key) || before.at(key) != value)
                out[key] = value;
        return out;
    }

    FormRegistry registry;
};

Snapshot Writes221(const DocumentForm& cert, const DocumentForm& page, int column, bool names)
{
    Expectation e{cert, page, column, {}};
    if (names) {
        e.names("ZMIENNA_ObowiazkowyEduOpis%1_STR2_DATA_EDIT",
                "ZMIENNA_ObowiazkowyOpis%1_DATA_EDIT", 15);
        e.names("ZMIENNA_NadobowiazkoweOpis%1_STR2_DATA_EDIT",
                "ZMIENNA_NadobowiazkoweZajOpis%1_DATA_EDIT", 5);
    }
    e.set(QString("ZMIENNA_Rok%1_DATA_EDIT").arg(column),
          cert.text(u"ZMIENNA_RokSzkolny1_STR1_DATA_EDIT") + " / " +
              cert.text(u"ZMIENNA_RokSzkolny2_STR1_DATA_EDIT"));
    e.one("ZMIENNA_NrNaSwiadectwie_STR1_DATA_EDIT",
          QString("ZMIENNA_NrDziennika%1_DATA_EDIT").arg(column));
    e.grades("ZMIENNA_ObowiazkowyEduOcn%1_STR2_DATA_COMBOBOX",
             "ZMIENNA_ObowiazkoweOcn%1%2_DATA_COMBOBOX", 15);
    e.grades("ZMIENNA_NadopowiazkoweOcn%1_STR2_DATA_COMBOBOX",
             "ZMIENNA_NadobowiazkoweZajOcn%1%2_DATA_COMBOBOX", 5);
    e.memo("ZMIENNA_Szczegolne_STR2_DATA_MEMO", "ZMIENNA_SzczegolneOsiagniecia%1_DATA_MEMO");
    return e.writes;
}

Snapshot Writes220(const DocumentForm& cert, const DocumentForm& page, int column, bool names)
{
    Expectation e{cert, page, column, {}};
    if (names) {
        e.names("ZMIENNA_ObowiazkoweZajEduOpis%1_STR2_DATA_EDIT", "ZMIENNA_ObEduOpis%1_DATA_EDIT",
                14);
        e.names("ZMIENNA_ObowiazkoweZajArtOpis%1_STR2_DATA_EDIT",
                "ZMIENNA_ObEduArtOpis%1_DATA_EDIT", 11);
        e.names("ZMIENNA_NadobowiazkoweZajPozalekcyjneOpis%1_STR3_DATA_EDIT",
                "ZMIENNA_NadobZajPozalekOpis%1_DATA_EDIT", 4);
    }
    e.set(QString("ZMIENNA_RokSzkolny%1_DATA_EDIT").arg(column),
          cert.text(u"ZMIENNA_RokSzkolny1_STR1_DATA_EDIT") + "/" +
              cert.text(u"ZMIENNA_RokSzkolny2_STR1_DATA_EDIT"));
    e.set(QString("ZMIENNA_Klasa%1_DATA_EDIT").arg(column), "Klasa VI");
    e.one("ZMIENNA_ZachowanieOcn_STR2_DATA_COMBOBOX",
          QString("ZMIENNA_ZachowanieOcn%1_DATA_COMBOBOX").arg(column));
    e.one("ZMIENNA_ReligiaEtykaOcn_STR2_DATA_COMBOBOX",
          QString("ZMIENNA_ReligiaOcn%1_DATA_COMBOBOX").arg(column));
    e.grades("ZMIENNA_ObowiazkoweZajEduOcn%1_STR2_DATA_COMBOBOX",
             "ZMIENNA_ObEduOcn%1%2_DATA_COMBOBOX", 14);
    e.grades("ZMIENNA_ObowiazkoweZajArtOcn%1_STR2_DATA_COMBOBOX",
             "ZMIENNA_ObEduArtOcn%1%2_DATA_COMBOBOX", 11);
    e.grades("ZMIENNA_NadobowiazkoweZajPozalekcyjneOcn%1_STR3_DATA_COMBOBOX",
             "ZMIENNA_NadobZajPozalekOcn%1%2_DATA_COMBOBOX", 4);
    e.memo("ZMIENNA_Szczegolne_STR3_DATA_MEMO", "ZMIENNA_Szczegolne%1_DATA_MEMO");
    return e.writes;
}

struct Target {
    const char* page;
    int code;
    Snapshot (*writes)(const DocumentForm&, const DocumentForm&, int, bool);
};

Target TargetOf(const LeavingForm& lf)
{
    return Is220(lf) ? Target{"TFArkusz280str7", 7, Writes220}
                     : Target{"TFArkusz283str4", 4, Writes221};
}

}  // namespace

TEST_F(LeavingCopy, EachBlockWritesExactlyItsFields)
{
    for (const LeavingForm& lf : LeavingForms()) {
        const Target target = TargetOf(lf);
        DocumentForm& cert = *registry.form(lf.cls);
        DocumentForm& page = *registry.form(target.page);
        for (const int column : {1, 2}) {
            for (const bool names : {false, true}) {
                SCOPED_TRACE(std::string(lf.cls) + " column " + std::to_string(column) +
                             (names ? " names" : ""));
                FillDistinct(page, "old");
                const Snapshot before = TakeSnapshot(registry);
                cert.CopyGradesToSheet(column, target.code, names);
                const Snapshot writes = target.writes(cert, page, column, names);
                EXPECT_EQ(Changes(before, TakeSnapshot(registry)), ExpectedChanges(before, writes));
                EXPECT_EQ(writes.size(), Is220(lf) ? (names ? 65u : 36u) : (names ? 45u : 25u));
            }
        }
    }
}

TEST_F(LeavingCopy, PairsWithoutABlockChangeNothing)
{
    const std::pair<int, int> pairs[] = {{0, 4}, {3, 4}, {-1, 4},   {1, 2},    {1, 3}, {2, 6},
                                         {0, 7}, {3, 7}, {1, 2814}, {1, 2817}, {1, 5}, {2, 0}};
    const Snapshot before = TakeSnapshot(registry);
    for (const LeavingForm& lf : LeavingForms()) {
        const int own = TargetOf(lf).code;
        for (const auto& [column, code] : pairs) {
            registry.form(lf.cls)->CopyGradesToSheet(column, code, true);
            EXPECT_EQ(Changes(before, TakeSnapshot(registry)), Snapshot())
                << lf.cls << " " << column << "," << code;
        }
        registry.form(lf.cls)->CopyGradesToSheet(1, own == 4 ? 7 : 4,
                                                 true);  // the other family's page
        EXPECT_EQ(Changes(before, TakeSnapshot(registry)), Snapshot()) << lf.cls;
    }
}

TEST_F(LeavingCopy, SchoolYearsAreJoinedEmptyOnesIncluded)
{
    struct Case {
        const char* first;
        const char* second;
        const char* joined220;
        const char* joined221;
    };
    const Case cases[] = {{"2014", "2015", "2014/2015", "2014 / 2015"},
                          {"2014", "", "2014/", "2014 / "},
                          {"", "", "/", " / "}};
    for (const LeavingForm& lf : LeavingForms()) {
        const Target target = TargetOf(lf);
        DocumentForm& cert = *registry.form(lf.cls);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(lf.cls) + " '" + c.first + "' '" + c.second + "'");
            cert.setText(u"ZMIENNA_RokSzkolny1_STR1_DATA_EDIT", c.first);
            cert.setText(u"ZMIENNA_RokSzkolny2_STR1_DATA_EDIT", c.second);
            cert.CopyGradesToSheet(2, target.code, false);
            EXPECT_EQ(registry.form(target.page)
                          ->text(Is220(lf) ? u"ZMIENNA_RokSzkolny2_DATA_EDIT"
                                           : u"ZMIENNA_Rok2_DATA_EDIT"),
                      Is220(lf) ? c.joined220 : c.joined221);
        }
    }
}

// A certificate never filled in for the student empties the column's grades and remarks; it
// still writes the years' separator, and what the certificate takes from the student.
TEST_F(LeavingCopy, NeverFilledCertificateEmptiesTheColumn)
{
    TestStudent student;
    student.fields = {{"NrDziennika_DATA_EDIT", "17"}};
    for (const LeavingForm& lf : LeavingForms()) {
        SCOPED_TRACE(lf.cls);
        const Target target = TargetOf(lf);
        DocumentForm& cert = *registry.form(lf.cls);
        DocumentForm& page = *registry.form(target.page);
        cert.FillFields({});
        FillDistinct(page, "old");
        cert.CopyGradesToSheet(1, target.code, false);
        if (Is220(lf)) {
            EXPECT_EQ(page.text(u"ZMIENNA_RokSzkolny1_DATA_EDIT"), "/");
            EXPECT_EQ(page.text(u"ZMIENNA_Klasa1_DATA_EDIT"), "Klasa VI");
            EXPECT_EQ(page.text(u"ZMIENNA_ZachowanieOcn1_DATA_COMBOBOX"), "");
            EXPECT_EQ(page.text(u"ZMIENNA_ObEduArtOcn111_DATA_COMBOBOX"), "");
            EXPECT_EQ(page.text(u"ZMIENNA_Szczegolne1_DATA_MEMO"), "");
            EXPECT_TRUE(page.text(u"ZMIENNA_NrDziennika1_DATA_EDIT").startsWith("old"));  // kept
        } else {
            EXPECT_EQ(page.text(u"ZMIENNA_Rok1_DATA_EDIT"), " / ");
            EXPECT_EQ(page.text(u"ZMIENNA_NrDziennika1_DATA_EDIT"), "17");
            EXPECT_EQ(page.text(u"ZMIENNA_ObowiazkoweOcn151_DATA_COMBOBOX"), "");
            EXPECT_EQ(page.text(u"ZMIENNA_SzczegolneOsiagniecia1_DATA_MEMO"), "");
            EXPECT_TRUE(page.text(u"ZMIENNA_Klasa1_DATA_EDIT").startsWith("old"));  // kept
        }
    }
}

// The certificate memo wraps, the page memo does not: a wrapped paragraph arrives in the lines
// the page's column prints (three words a line in Times New Roman 8 pt over 211 units), five
// hard lines as their first three.
TEST_F(LeavingCopy, RemarksArriveByHardLines)
{
    const QString paragraph = QString("wyróżnienie ").repeated(12).trimmed();
    for (const LeavingForm& lf : LeavingForms()) {
        const Target target = TargetOf(lf);
        SCOPED_TRACE(lf.cls);
        DocumentForm& cert = *registry.form(lf.cls);
        DocumentForm& page = *registry.form(target.page);
        const QString sheetMemo = Is220(lf) ? "ZMIENNA_Szczegolne1_DATA_MEMO"
                                            : "ZMIENNA_SzczegolneOsiagniecia1_DATA_MEMO";
        cert.CopyGradesToSheet(1, target.code, false);
        EXPECT_EQ(page.memoLines(sheetMemo), kRemarks.mid(0, 3));
        cert.setText(QString(lf.memo), paragraph);
        ASSERT_GT(cert.memoLines(QString(lf.memo)).size(), 1);
        cert.CopyGradesToSheet(1, target.code, false);
        const QString threeWords = QString("wyróżnienie ").repeated(3);
        EXPECT_EQ(page.memoLines(sheetMemo), QStringList({threeWords, threeWords, threeWords}));
    }
}

// The ART-II/283/3 page-4 load bar offers both ART-II/221 forms after the two class-V ones.
TEST_F(LeavingCopy, PageFourLoadBarCallsTheChosenLeavingCertificate)
{
    DocumentForm& page = *registry.form("TFArkusz283str4");
    registry.form("TFSwiad221")->setText(u"ZMIENNA_NrNaSwiadectwie_STR1_DATA_EDIT", "plain");
    registry.form("TFSwiad221w")->setText(u"ZMIENNA_NrNaSwiadectwie_STR1_DATA_EDIT", "distinction");
    page.LoadColumn(2, 1, true);
    EXPECT_EQ(page.text(u"ZMIENNA_NrDziennika2_DATA_EDIT"), "plain");
    EXPECT_EQ(page.text(u"ZMIENNA_ObowiazkowyOpis15_DATA_EDIT"),
              registry.form("TFSwiad221")->text(u"ZMIENNA_ObowiazkowyEduOpis15_STR2_DATA_EDIT"));
    page.setText(u"ZMIENNA_ObowiazkowyOpis15_DATA_EDIT", "typed");
    page.LoadColumn(3, 0, false);
    EXPECT_EQ(page.text(u"ZMIENNA_NrDziennika1_DATA_EDIT"), "distinction");
    EXPECT_EQ(page.text(u"ZMIENNA_ObowiazkowyOpis15_DATA_EDIT"), "typed");
}
