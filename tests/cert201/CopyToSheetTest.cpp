// Copying an ART-II/201/3 or 201-w/3 certificate into a year column of the ART-II/280/3
// pages 6 and 7 and the ART-II/281/3 pages 2 to 6: each block writes exactly its fields.
#include "forms/FormWindow.h"
#include "platform/ComboBox.h"
#include "tests/cert201/Cert201Forms.h"
#include "tests/forms/FormRecords.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/QtPrinters.h"
#include "tests/support/Typing.h"

#include <QCheckBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using Fields = std::map<std::string, std::string>;

std::string Row(const char* format, int n, int column = 0)
{
    QString name = QString::fromUtf8(format).arg(n);
    if (column)
        name = name.arg(column);
    return name.toStdString();
}

class Cert201Copy : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        registry.ClearAll();
        for (const char* cls : {"TFSwiad201", "TFSwiad201w"})
            fill(*registry.form(cls), cls);
    }
    // Every field the copy may read holds a text that names its certificate and field.
    static void fill(DocumentForm& cert, const QString& tag)
    {
        for (int i = 0; i < cert.componentCount(); ++i)
            if (cert.component(i).isStored() && cert.component(i).kind != ComponentKind::Memo)
                cert.setText(i, tag + " " + cert.component(i).name);
        cert.setText(u"ZMIENNA_RokSzkolny1_STR1_DATA_EDIT", "2002");
        cert.setText(u"ZMIENNA_RokSzkolny2_STR1_DATA_EDIT", "2003");
        cert.setText(u"ZMIENNA_Szczegolne_STR3_DATA_MEMO", "1\r\n2\r\n3\r\n4\r\n5");
    }
    // What a block for column `c` of an ART-II/280/3 page writes, by target name.
    Fields expected280(const QString& tag, int c, const char* classText, bool names) const
    {
        const DocumentForm& cert = *registry.form(tag);
        auto text = [&](const std::string& name) {
            return cert.text(QString::fromStdString(name)).toStdString();
        };
        Fields out = {{Row("ZMIENNA_RokSzkolny%1_DATA_EDIT", c), "2002/2003"},
                      {Row("ZMIENNA_Klasa%1_DATA_EDIT", c), classText},
                      {Row("ZMIENNA_ZachowanieOcn%1_DATA_COMBOBOX", c),
                       text("ZMIENNA_ZachowanieOcn_STR2_DATA_COMBOBOX")},
                      {Row("ZMIENNA_ReligiaOcn%1_DATA_COMBOBOX", c),
                       text("ZMIENNA_ReligiaEtykaOcn_STR2_DATA_COMBOBOX")}};
        addRows(out, cert, c, names,
                {{"ObowiazkoweZajEdu", "ObEdu", 2, 14},
                 {"ObowiazkoweZajArt", "ObEduArt", 2, 13},
                 {"NadobowiazkoweZajPozalekcyjne", "NadobZajPozalek", 3, 4}});
        return out;
    }
    Fields expected281(const QString& tag, int c, bool names) const
    {
        const DocumentForm& cert = *registry.form(tag);
        auto text = [&](const std::string& name) {
            return cert.text(QString::fromStdString(name)).toStdString();
        };
        Fields out = {{Row("ZMIENNA_Rok%1_DATA_EDIT", c), "2002 / 2003"},
                      {Row("ZMIENNA_ZachowanieOcn%1_DATA_COMBOBOX", c),
                       text("ZMIENNA_ZachowanieOcn_STR2_DATA_COMBOBOX")},
                      {Row("ZMIENNA_ReligiaOcn%1_DATA_COMBOBOX", c),
                       text("ZMIENNA_ReligiaEtykaOcn_STR2_DATA_COMBOBOX")},
                      {Row("ZMIENNA_Szczegolne%1_DATA_MEMO01", c), "1"},
                      {Row("ZMIENNA_Szczegolne%1_DATA_MEMO02", c), "2"},
                      {Row("ZMIENNA_Szczegolne%1_DATA_MEMO03", c), "3"}};
        addRows(out, cert, c, names,
                {{"ObowiazkoweZajEdu", "ObEdu", 2, 15},
                 {"ObowiazkoweZajArt", "ObEduArt", 2, 12},
                 {"NadobowiazkoweZajPozalekcyjne", "NadobZajPozalek", 3, 2}});
        return out;
    }
    struct Group {
        const char* certificate;
        const char* sheet;
        int page, rows;
    };
    static void addRows(Fields& out, const DocumentForm& cert, int c, bool names,
                        std::initializer_list<Group> groups)
    {
        for (const Group& g : groups)
            for (int n = 1; n <= g.rows; ++n) {
                const QString grade = QString("ZMIENNA_%1Ocn%2_STR%3_DATA_COMBOBOX")
                                          .arg(g.certificate)
                                          .arg(n)
                                          .arg(g.page);
                out[QString("ZMIENNA_%1Ocn%2%3_DATA_COMBOBOX")
                        .arg(g.sheet)
                        .arg(n)
                        .arg(c)
                        .toStdString()] = cert.text(grade).toStdString();
                const QString name = QString("ZMIENNA_%1Opis%2_STR%3_DATA_EDIT")
                                         .arg(g.certificate)
                                         .arg(n)
                                         .arg(g.page);
                if (names)
                    out[QString("ZMIENNA_%1Opis%2_DATA_EDIT").arg(g.sheet).arg(n).toStdString()] =
                        cert.text(name).toStdString();
            }
    }
    // The changes of all forms, which must all lie on the one page `key`.
    Fields changesOn(const Snapshot& before, const std::string& key) const
    {
        Fields out;
        for (const auto& [where, value] : Changes(before, TakeSnapshot(registry))) {
            EXPECT_EQ(where.first, key) << where.second;
            out[where.second] = value;
        }
        return out;
    }

    FormRegistry registry;
};

const std::string k280(int page)
{
    return "ART-II/280/3 ARKUSZ OCEN STR " + std::to_string(page) + " MUZYCZNA";
}
const std::string k281(int page)
{
    return "ART-II/281/3 ARKUSZ OCEN STR " + std::to_string(page) + " MUZYCZNA";
}

}  // namespace

TEST_F(Cert201Copy, GradeSheet280PagesSixAndSeven)
{
    struct Case {
        int page, column;
        const char* classText;
    };
    const Case cases[] = {
        {6, 1, "Klasa IV wyr."}, {6, 2, "Klasa IV"}, {7, 1, "Klasa IV"}, {7, 2, "Klasa IV"}};
    for (const char* cls : {"TFSwiad201", "TFSwiad201w"})
        for (const Case& c : cases)
            for (bool names : {false, true}) {
                SCOPED_TRACE(std::string(cls) + " page " + std::to_string(c.page) + " column " +
                             std::to_string(c.column) + (names ? " with names" : ""));
                registry.form(QString("TFArkusz280str%1").arg(c.page))->ClearFields();
                const Snapshot before = TakeSnapshot(registry);
                registry.form(cls)->CopyGradesToSheet(c.column, c.page, names);
                const Fields expected = expected280(cls, c.column, c.classText, names);
                EXPECT_EQ(expected.size(), names ? 66u : 35u);
                EXPECT_EQ(changesOn(before, k280(c.page)), expected);
            }
}

TEST_F(Cert201Copy, GradeSheet281PagesTwoToSix)
{
    for (const char* cls : {"TFSwiad201", "TFSwiad201w"})
        for (int page = 2; page <= 6; ++page)
            for (int column : {1, 2})
                for (bool names : {false, true}) {
                    SCOPED_TRACE(std::string(cls) + " page " + std::to_string(page) + " column " +
                                 std::to_string(column) + (names ? " with names" : ""));
                    registry.form(QString("TFArkusz281str%1").arg(page))->ClearFields();
                    const Snapshot before = TakeSnapshot(registry);
                    registry.form(cls)->CopyGradesToSheet(column, 2810 + page, names);
                    EXPECT_EQ(changesOn(before, k281(page)), expected281(cls, column, names));
                }
}

TEST_F(Cert201Copy, PairsWithoutABlockChangeNothing)
{
    const std::pair<int, int> pairs[] = {{0, 6},    {3, 6},    {1, 2},    {2, 5},
                                         {1, 2817}, {2, 2811}, {1, 2818}, {1, 3}};
    const Snapshot before = TakeSnapshot(registry);
    for (const auto& [column, page] : pairs) {
        registry.form("TFSwiad201")->CopyGradesToSheet(column, page, true);
        registry.form("TFSwiad201w")->CopyGradesToSheet(column, page, true);
        EXPECT_EQ(Changes(before, TakeSnapshot(registry)), Snapshot()) << column << "," << page;
    }
    // The other certificates of the family copy nothing anywhere.
    for (const char* cls : {"TFSwiad201b", "TFSwiad201bw", "TFSwiad201c", "TFSwiad201cw"})
        registry.form(cls)->CopyGradesToSheet(1, 6, true);
    EXPECT_EQ(Changes(before, TakeSnapshot(registry)), Snapshot());
}

// The column is overwritten, not merged: empty sources empty their targets; texts arrive
// whole, trailing blanks and over-long names included, a memo's in the lines its printed
// column holds; the other column stays.
TEST_F(Cert201Copy, ValuesMoveUnchanged)
{
    DocumentForm& cert = *registry.form("TFSwiad201");
    DocumentForm& page = *registry.form("TFArkusz281str3");
    page.setText(u"ZMIENNA_ObEduOcn51_DATA_COMBOBOX", "stare");
    page.setText(u"ZMIENNA_ObEduOcn52_DATA_COMBOBOX", "druga kolumna");
    page.setText(u"ZMIENNA_Klasa1_DATA_EDIT", "klasa I");
    page.setText(u"ZMIENNA_ObEduArtOpis1_DATA_EDIT", "nazwa sprzed");
    cert.setText(u"ZMIENNA_ObowiazkoweZajEduOcn5_STR2_DATA_COMBOBOX", "");
    cert.setText(u"ZMIENNA_ObowiazkoweZajEduOcn6_STR2_DATA_COMBOBOX", "uczestniczył ");
    cert.setText(u"ZMIENNA_ReligiaEtykaOcn_STR2_DATA_COMBOBOX", "zwolniona");
    const QString longName(42, QChar('n'));
    cert.setText(u"ZMIENNA_ObowiazkoweZajEduOpis1_STR2_DATA_EDIT", longName);
    cert.setText(u"ZMIENNA_RokSzkolny2_STR1_DATA_EDIT", "");
    cert.setText(u"ZMIENNA_Szczegolne_STR3_DATA_MEMO",
                 "jedna uwaga, która na świadectwie zawija się w kilka linii ekranu");

    cert.CopyGradesToSheet(1, 2813, false);
    EXPECT_EQ(page.text(u"ZMIENNA_ObEduOcn51_DATA_COMBOBOX"), "");
    EXPECT_EQ(page.text(u"ZMIENNA_ObEduOcn61_DATA_COMBOBOX"), "uczestniczył ");
    EXPECT_EQ(page.text(u"ZMIENNA_ReligiaOcn1_DATA_COMBOBOX"), "zwolniona");
    EXPECT_EQ(page.text(u"ZMIENNA_Rok1_DATA_EDIT"), "2002 / ");
    // The sheet's column prints 211 units of Times New Roman 8 pt: the note goes on in a
    // second line there.
    EXPECT_EQ(
        page.memoLines(u"ZMIENNA_Szczegolne1_DATA_MEMO"),
        QStringList({"jedna uwaga, która na świadectwie zawija się w ", "kilka linii ekranu"}));
    EXPECT_EQ(page.text(u"ZMIENNA_ObEduOcn52_DATA_COMBOBOX"), "druga kolumna");
    EXPECT_EQ(page.text(u"ZMIENNA_Klasa1_DATA_EDIT"), "klasa I");
    EXPECT_EQ(page.text(u"ZMIENNA_ObEduArtOpis1_DATA_EDIT"), "nazwa sprzed");

    cert.CopyGradesToSheet(2, 2813, true);
    EXPECT_EQ(page.text(u"ZMIENNA_ObEduOpis1_DATA_EDIT"), longName);
    EXPECT_EQ(page.text(u"ZMIENNA_ObEduArtOpis1_DATA_EDIT"),
              "TFSwiad201 ZMIENNA_ObowiazkoweZajArtOpis1_STR2_DATA_EDIT");

    cert.setText(u"ZMIENNA_RokSzkolny1_STR1_DATA_EDIT", "");
    cert.setText(u"ZMIENNA_RokSzkolny2_STR1_DATA_EDIT", "2003");
    cert.CopyGradesToSheet(2, 6, false);
    EXPECT_EQ(registry.form("TFArkusz280str6")->text(u"ZMIENNA_RokSzkolny2_DATA_EDIT"), "/2003");
}

// A person's text reaches the sheet as typed, braces included: only the copy's fixed texts
// name the block's values.
TEST_F(Cert201Copy, TypedTextIsCopiedAsTyped)
{
    struct Case {
        const char* field;   // typed on the certificate
        const char* target;  // where column 1 of ART-II/280/3 page 6 shows it
    };
    const Case cases[] = {
        {"ZMIENNA_ObowiazkoweZajEduOpis1_STR2_DATA_EDIT", "ZMIENNA_ObEduOpis1_DATA_EDIT"},
        {"ZMIENNA_ZachowanieOcn_STR2_DATA_COMBOBOX", "ZMIENNA_ZachowanieOcn1_DATA_COMBOBOX"}};
    DocumentForm& cert = *registry.form("TFSwiad201");
    FormWindow& certWindow = cert.window();
    for (const Case& c : cases) {
        QWidget* field = certWindow.widget(QString::fromUtf8(c.field));
        ASSERT_NE(field, nullptr) << c.field;
        cert.setText(QString::fromUtf8(c.field), "");
        TypeText(field, "{class} {name}");
        EXPECT_EQ(cert.text(QString::fromUtf8(c.field)), "{class} {name}") << c.field;
    }
    cert.releaseWindow();

    DocumentForm& page = *registry.form("TFArkusz280str6");
    FormWindow& w = page.window();
    w.prepareShow();
    w.certificateList()->setCurrentIndex(0);
    w.columnList()->setCurrentIndex(0);
    w.namesCheckBox()->setChecked(true);
    w.findChild<QPushButton*>("LoadDataToSeetButton")->click();
    for (const Case& c : cases)
        EXPECT_EQ(page.text(QString::fromUtf8(c.target)), "{class} {name}") << c.target;
    EXPECT_EQ(page.text(u"ZMIENNA_Klasa1_DATA_EDIT"), "Klasa IV wyr.");
    page.releaseWindow();
}

// The year pages' load bars call the chosen certificate with the chosen column and the
// names box.
TEST_F(Cert201Copy, LoadBarsOfTheYearPagesCallTheChosenCertificate)
{
    struct Case {
        const char* page;
        int certificate;
        const char* tag;
    };
    const Case cases[] = {{"TFArkusz280str6", 1, "TFSwiad201w"},
                          {"TFArkusz280str7", 0, "TFSwiad201"},
                          {"TFArkusz281str2", 1, "TFSwiad201w"},
                          {"TFArkusz281str6", 0, "TFSwiad201"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        DocumentForm& page = *registry.form(c.page);
        FormWindow& w = page.window();
        w.prepareShow();
        w.certificateList()->setCurrentIndex(c.certificate);
        w.columnList()->setCurrentIndex(1);
        w.namesCheckBox()->setChecked(true);
        w.findChild<QPushButton*>("LoadDataToSeetButton")->click();
        EXPECT_EQ(page.text(u"ZMIENNA_ZachowanieOcn2_DATA_COMBOBOX"),
                  QString(c.tag) + " ZMIENNA_ZachowanieOcn_STR2_DATA_COMBOBOX");
        EXPECT_EQ(page.text(u"ZMIENNA_ObEduOpis1_DATA_EDIT"),
                  QString(c.tag) + " ZMIENNA_ObowiazkoweZajEduOpis1_STR2_DATA_EDIT");
        EXPECT_EQ(page.text(u"ZMIENNA_ZachowanieOcn1_DATA_COMBOBOX"), "");
        page.releaseWindow();
    }
}
