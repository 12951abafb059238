// Copying ART-II/200/3 into ART-II/280/3 pages 2 to 5, and ART-II/203/3, 203-w/3 and
// 204/3 into ART-II/281/3 pages 4 and 7: each copy writes exactly its targets.
#include "forms/FormRegistry.h"
#include "tests/forms/FormRecords.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/QtPrinters.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

const QStringList kCertificates = {"TFSwiad200", "TFSwiad200a", "TFSwiad203",  "TFSwiad203w",
                                   "TFSwiad204", "TFSwiad204a", "TFSwiad205a", "TFSwiad205aw"};

class Cert200Copy : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        // Every field of every form holds a text no copy writes; each certificate field its own.
        for (const auto& f : registry.forms()) {
            const bool source = kCertificates.contains(f->className());
            SetStoredFields(*f, [&](const LayoutComponent& c, int) {
                return source ? "z " + c.name.mid(8, c.name.indexOf("_STR") - 8) : QString("przed");
            });
        }
        for (const char* cls : {"TFSwiad200", "TFSwiad203", "TFSwiad203w", "TFSwiad204"}) {
            DocumentForm& cert = *registry.form(cls);
            cert.setText(u"ZMIENNA_RokSzkolny1_STR1_DATA_EDIT", "2014");
            cert.setText(u"ZMIENNA_RokSzkolny2_STR1_DATA_EDIT", "2015");
        }
        DocumentForm& c200 = *registry.form("TFSwiad200");
        c200.setText(u"ZMIENNA_ReligiaEtyka_STR2_DATA_COMBOBOX", "zwolniony");
        c200.setText(u"ZMIENNA_ObZajEdu_STR2_DATA_MEMO", NumberedLines(10, "ogólne"));
        c200.setText(u"ZMIENNA_Szczegolne_STR2_DATA_MEMO", NumberedLines(5, "osiągnięcie"));
        for (const char* cls : {"TFSwiad203", "TFSwiad203w", "TFSwiad204"})
            registry.form(cls)->setText(u"ZMIENNA_Szczegolne_STR3_DATA_MEMO",
                                        NumberedLines(5, "osiągnięcie"));
    }

    // The text of every stored field of every form, by form class and field name.
    std::map<std::string, QString> state() const
    {
        std::map<std::string, QString> out;
        for (const auto& f : registry.forms())
            for (int i = 0; i < f->componentCount(); ++i)
                if (f->component(i).isStored())
                    out[(f->className() + " " + f->component(i).name).toStdString()] = f->text(i);
        return out;
    }
    std::set<std::string> changedSince(const std::map<std::string, QString>& before) const
    {
        std::set<std::string> out;
        for (const auto& [name, text] : state())
            if (before.at(name) != text)
                out.insert(name);
        return out;
    }

    FormRegistry registry;
};

struct CopyCase {
    const char* certificate;
    int page;
    int column;
    const char* sheet;
};

// What a copy into a year page of ART-II/281/3 writes: (target name, source name); an
// empty source is the joined school year, a target "<name>|names" only with names.
std::vector<std::pair<QString, QString>> Expected281(int column)
{
    const QString c = QString::number(column);
    std::vector<std::pair<QString, QString>> out = {
        {"ZMIENNA_Rok" + c + "_DATA_EDIT", ""},
        {"ZMIENNA_ZachowanieOcn" + c + "_DATA_COMBOBOX",
         "ZMIENNA_ZachowanieOcn_STR2_DATA_COMBOBOX"},
        {"ZMIENNA_ReligiaOcn" + c + "_DATA_COMBOBOX", "ZMIENNA_ReligiaEtykaOcn_STR2_DATA_COMBOBOX"},
        {"ZMIENNA_Szczegolne" + c + "_DATA_MEMO", "ZMIENNA_Szczegolne_STR3_DATA_MEMO"}};
    const struct {
        const char *source, *target;
        int rows, page;
    } groups[] = {{"ObowiazkoweZajEdu", "ObEdu", 15, 2},
                  {"ObowiazkoweZajArt", "ObEduArt", 12, 2},
                  {"NadobowiazkoweZajPozalekcyjne", "NadobZajPozalek", 2, 3}};
    for (const auto& g : groups)
        for (int n = 1; n <= g.rows; ++n) {
            const QString row = QString::number(n), page = QString::number(g.page);
            const QString source = QString("ZMIENNA_") + g.source,
                          target = QString("ZMIENNA_") + g.target;
            out.push_back({target + "Opis" + row + "_DATA_EDIT|names",
                           source + "Opis" + row + "_STR" + page + "_DATA_EDIT"});
            out.push_back({target + "Ocn" + row + c + "_DATA_COMBOBOX",
                           source + "Ocn" + row + "_STR" + page + "_DATA_COMBOBOX"});
        }
    return out;
}

std::vector<std::pair<QString, QString>> Expected280()
{
    std::vector<std::pair<QString, QString>> out = {
        {"ZMIENNA_Zachowanie1_DATA_MEMO", "ZMIENNA_Zachowanie_STR2_DATA_MEMO"},
        {"ZMIENNA_Religia1_DATA_COMBOBOX", "ZMIENNA_ReligiaEtyka_STR2_DATA_COMBOBOX"},
        {"ZMIENNA_ObZajEduOgol1_DATA_MEMO", "ZMIENNA_ObZajEdu_STR2_DATA_MEMO"},
        {"ZMIENNA_SzczegolneOs_DATA_MEMO", "ZMIENNA_Szczegolne_STR2_DATA_MEMO"}};
    for (int n = 1; n <= 5; ++n) {
        out.push_back({QString("ZMIENNA_ObEduArtOpis%1_DATA_EDIT|names").arg(n),
                       QString("ZMIENNA_ObowiazkoweZajArtOpis%1_STR2_DATA_EDIT").arg(n)});
        out.push_back({QString("ZMIENNA_ObEduArtOcn%1_DATA_COMBOBOX").arg(n),
                       QString("ZMIENNA_ObowiazkoweZajArtOcn%1_STR2_DATA_COMBOBOX").arg(n)});
    }
    return out;
}

}  // namespace

TEST_F(Cert200Copy, EachBlockWritesExactlyItsTargets)
{
    const CopyCase cases[] = {
        {"TFSwiad200", 2, 1, "TFArkusz280str2"},
        {"TFSwiad200", 3, 1, "TFArkusz280str3"},
        {"TFSwiad200", 4, 1, "TFArkusz280str4"},
        {"TFSwiad200", 5, 1, "TFArkusz280str5"},
        // ART-II/200/3 copies the same whatever column the sheet passes
        {"TFSwiad200", 2, 0, "TFArkusz280str2"},
        {"TFSwiad200", 5, 2, "TFArkusz280str5"},
        {"TFSwiad203", 2814, 1, "TFArkusz281str4"},
        {"TFSwiad203", 2814, 2, "TFArkusz281str4"},
        {"TFSwiad203w", 2814, 1, "TFArkusz281str4"},
        {"TFSwiad203w", 2814, 2, "TFArkusz281str4"},
        {"TFSwiad204", 2817, 1, "TFArkusz281str7"},
        {"TFSwiad204", 2817, 2, "TFArkusz281str7"},
    };
    const auto initial = state();
    for (const CopyCase& k : cases)
        for (const bool names : {false, true}) {
            SCOPED_TRACE(QString("%1 -> %2 kol. %3%4")
                             .arg(k.certificate)
                             .arg(k.page)
                             .arg(k.column)
                             .arg(names ? " with names" : "")
                             .toStdString());
            const auto before = state();
            DocumentForm& cert = *registry.form(k.certificate);
            DocumentForm& sheet = *registry.form(k.sheet);
            cert.CopyGradesToSheet(k.column, k.page, names);

            std::set<std::string> expected;
            const auto steps = k.page < 10 ? Expected280() : Expected281(k.column);
            for (const auto& [target, source] : steps) {
                const bool namesOnly = target.endsWith("|names");
                const QString name = target.section('|', 0, 0);
                if (namesOnly && !names) {
                    EXPECT_EQ(sheet.text(name),
                              before.at((sheet.className() + " " + name).toStdString()))
                        << name.toStdString();
                    continue;
                }
                const QString wanted = source.isEmpty() ? "2014 / 2015" : cert.text(source);
                const int i = sheet.find(name);
                ASSERT_GE(i, 0) << name.toStdString();
                const int limit = sheet.component(i).lineLimit;
                const QString shown = limit ? sheet.memoLines(i).join("\r\n") : sheet.text(i);
                EXPECT_EQ(shown, limit ? wanted.split("\r\n").mid(0, limit).join("\r\n") : wanted)
                    << name.toStdString();
                expected.insert((sheet.className() + " " + name).toStdString());
            }
            std::set<std::string> beyond;
            for (const std::string& name : changedSince(before))
                if (!expected.count(name))
                    beyond.insert(name);
            EXPECT_EQ(beyond, std::set<std::string>());
            for (const auto& f : registry.forms())  // restore for the next case
                for (int i = 0; i < f->componentCount(); ++i)
                    if (f->component(i).isStored())
                        f->setText(
                            i, initial.at(
                                   (f->className() + " " + f->component(i).name).toStdString()));
        }
}

// The texts arrive as the certificate holds them: a grade that is no item of the sheet's
// list, an empty school year, a longer memo cut to the page memo's lines.
TEST_F(Cert200Copy, TextsArriveWholeAndMemosKeepThePageLimit)
{
    DocumentForm& c200 = *registry.form("TFSwiad200");
    DocumentForm& page3 = *registry.form("TFArkusz280str3");
    c200.CopyGradesToSheet(1, 3, false);
    EXPECT_EQ(page3.text(u"ZMIENNA_Religia1_DATA_COMBOBOX"), "zwolniony");
    EXPECT_EQ(page3.memoLines(u"ZMIENNA_ObZajEduOgol1_DATA_MEMO"),
              NumberedLines(10, "ogólne").split("\r\n"));
    EXPECT_EQ(page3.memoLines(u"ZMIENNA_SzczegolneOs_DATA_MEMO"),
              NumberedLines(4, "osiągnięcie").split("\r\n"));
    c200.ClearFields();  // an empty certificate empties what it copies, memos included
    c200.CopyGradesToSheet(1, 3, true);
    for (const char16_t* name :
         {u"ZMIENNA_Zachowanie1_DATA_MEMO", u"ZMIENNA_ObZajEduOgol1_DATA_MEMO",
          u"ZMIENNA_SzczegolneOs_DATA_MEMO", u"ZMIENNA_Religia1_DATA_COMBOBOX",
          u"ZMIENNA_ObEduArtOpis1_DATA_EDIT", u"ZMIENNA_ObEduArtOcn5_DATA_COMBOBOX"})
        EXPECT_EQ(page3.text(name), "") << QString::fromUtf16(name).toStdString();
    EXPECT_EQ(page3.text(u"ZMIENNA_Klasa1_DATA_EDIT"), "przed");

    DocumentForm& c204 = *registry.form("TFSwiad204");
    DocumentForm& page7 = *registry.form("TFArkusz281str7");
    c204.setText(u"ZMIENNA_RokSzkolny2_STR1_DATA_EDIT", "");
    c204.setText(u"ZMIENNA_ObowiazkoweZajArtOcn3_STR2_DATA_COMBOBOX", "");
    c204.CopyGradesToSheet(2, 2817, true);
    EXPECT_EQ(page7.text(u"ZMIENNA_Rok2_DATA_EDIT"), "2014 / ");
    EXPECT_EQ(page7.text(u"ZMIENNA_ObEduArtOcn32_DATA_COMBOBOX"), "");
    EXPECT_EQ(page7.memoLines(u"ZMIENNA_Szczegolne2_DATA_MEMO"),
              NumberedLines(3, "osiągnięcie").split("\r\n"));

    // Names into column 2 after column 1 from the other twin: the names of the later copy.
    DocumentForm& page4 = *registry.form("TFArkusz281str4");
    registry.form("TFSwiad203w")
        ->setText(u"ZMIENNA_ObowiazkoweZajEduOpis1_STR2_DATA_EDIT", "polski w");
    registry.form("TFSwiad203w")->CopyGradesToSheet(1, 2814, true);
    EXPECT_EQ(page4.text(u"ZMIENNA_ObEduOpis1_DATA_EDIT"), "polski w");
    registry.form("TFSwiad203")->CopyGradesToSheet(2, 2814, true);
    EXPECT_EQ(page4.text(u"ZMIENNA_ObEduOpis1_DATA_EDIT"), "z ObowiazkoweZajEduOpis1");
}

TEST_F(Cert200Copy, PairsWithoutABlockChangeNothing)
{
    const struct {
        const char* certificate;
        int column, page;
    } pairs[] = {{"TFSwiad200", 1, 6},     {"TFSwiad200", 1, 7},    {"TFSwiad200", 1, 2812},
                 {"TFSwiad200", 1, 1},     {"TFSwiad203", 0, 2814}, {"TFSwiad203", 3, 2814},
                 {"TFSwiad203", 1, 2817},  {"TFSwiad203w", 1, 4},   {"TFSwiad204", 0, 2817},
                 {"TFSwiad204", 1, 2814},  {"TFSwiad204", 1, 7},    {"TFSwiad200a", 1, 2},
                 {"TFSwiad204a", 1, 2817}, {"TFSwiad205a", 1, 2},   {"TFSwiad205aw", 1, 3}};
    const auto before = state();
    for (const auto& p : pairs) {
        registry.form(p.certificate)->CopyGradesToSheet(p.column, p.page, true);
        EXPECT_EQ(changedSince(before), std::set<std::string>())
            << p.certificate << " " << p.column << "," << p.page;
    }
}

// The year pages' load bars reach these certificates.
TEST_F(Cert200Copy, LoadBarsCallTheChosenCertificate)
{
    const auto load = [&](const char* sheet, const char* certificate, int column, bool names) {
        DocumentForm& page = *registry.form(sheet);
        const QList<LoadBarEntry>& items = page.definition().loadBar->certificates;
        for (qsizetype i = 0; i < items.size(); ++i)
            if (items[i].formClass == certificate)
                return page.LoadColumn(int(i), column, names);
        ADD_FAILURE() << sheet << " offers no " << certificate;
    };
    load("TFArkusz281str4", "TFSwiad203w", 1, false);  // "kol. 2"
    EXPECT_EQ(registry.form("TFArkusz281str4")->text(u"ZMIENNA_ZachowanieOcn2_DATA_COMBOBOX"),
              "z ZachowanieOcn");
    EXPECT_EQ(registry.form("TFArkusz281str4")->text(u"ZMIENNA_ObEduOpis1_DATA_EDIT"), "przed");
    load("TFArkusz281str7", "TFSwiad204", 0, true);
    EXPECT_EQ(registry.form("TFArkusz281str7")->text(u"ZMIENNA_ObEduOpis15_DATA_EDIT"),
              "z ObowiazkoweZajEduOpis15");
    load("TFArkusz280str5", "TFSwiad200", 0, true);
    EXPECT_EQ(registry.form("TFArkusz280str5")->text(u"ZMIENNA_ObEduArtOpis5_DATA_EDIT"),
              "z ObowiazkoweZajArtOpis5");
}
