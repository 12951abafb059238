// Copying a certificate into the ART-II/283/3 year pages, and the school-data copy.
#include "forms/FormRegistry.h"
#include "forms/FormWindow.h"
#include "forms/LayoutValidator.h"
#include "platform/ComboBox.h"
#include "tests/forms/FormRecords.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/LayoutTestSupport.h"
#include "tests/forms/QtPrinters.h"
#include "tests/support/TempFolders.h"
#include "tests/support/Typing.h"

#include <QCheckBox>
#include <QFontMetricsF>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class CopyToSheet : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        registry.ClearAll();
        DocumentForm& cert = *registry.form("TFSwiad205kl2");
        cert.setText(u"ZMIENNA_RokSzkolny1_STR1_DATA_EDIT", "2002");
        cert.setText(u"ZMIENNA_RokSzkolny2_STR1_DATA_EDIT", "2003");
        cert.setText(u"ZMIENNA_Klasa_STR1_DATA_EDIT", "drugiej");
        cert.setText(u"ZMIENNA_NrNaSwiadectwie_STR1_DATA_EDIT", "12");
        for (int r = 1; r <= 17; ++r) {
            cert.setText(QString("ZMIENNA_ObowiazkowyEduOpis%1_STR2_DATA_EDIT").arg(r),
                         QString("przedmiot %1").arg(r));
            cert.setText(QString("ZMIENNA_ObowiazkowyEduOcn%1_STR2_DATA_COMBOBOX").arg(r), "dobry");
        }
        cert.setText(u"ZMIENNA_NadopowiazkoweOcn5_STR2_DATA_COMBOBOX", "uczestniczył ");
        cert.setText(u"ZMIENNA_Szczegolne_STR2_DATA_MEMO", "1\r\n2\r\n3\r\n4\r\n5");
    }
    FormRegistry registry;
};

}  // namespace

TEST_F(CopyToSheet, PageThreeColumnOneWritesDigitZeroOnly)
{
    const Snapshot before = TakeSnapshot(registry);
    registry.form("TFSwiad205kl2")->CopyGradesToSheet(1, 3, false);
    const Snapshot changed = Changes(before, TakeSnapshot(registry));

    const std::string key = "ARKUSZ OCEN STR 3 MUZYCZNA";
    Snapshot expected = {{{key, "ZMIENNA_Rok0_DATA_EDIT"}, "2002 / 2003"},
                         {{key, "ZMIENNA_Klasa0_DATA_EDIT"}, "drugiej"},
                         {{key, "ZMIENNA_NrDziennika0_DATA_EDIT"}, "12"},
                         {{key, "ZMIENNA_NadobowiazkoweZajOcn50_DATA_COMBOBOX"}, "uczestniczył "},
                         {{key, "ZMIENNA_SzczegolneOsiagniecia0_DATA_MEMO01"}, "1"},
                         {{key, "ZMIENNA_SzczegolneOsiagniecia0_DATA_MEMO02"}, "2"},
                         {{key, "ZMIENNA_SzczegolneOsiagniecia0_DATA_MEMO03"}, "3"}};
    for (int r = 1; r <= 17; ++r)
        expected[{key, "ZMIENNA_ObowiazkoweOcn" + std::to_string(r) + "0_DATA_COMBOBOX"}] = "dobry";
    EXPECT_EQ(changed, expected);
}

TEST_F(CopyToSheet, PairsWithoutABlockChangeNothing)
{
    const Snapshot before = TakeSnapshot(registry);
    const std::pair<int, int> pairs[] = {{3, 2}, {3, 4},    {0, 2}, {4, 3},
                                         {2, 5}, {1, 2812}, {4, 3}, {1, 1}};
    for (const auto& [column, page] : pairs) {
        registry.form("TFSwiad205kl2")->CopyGradesToSheet(column, page, true);
        EXPECT_EQ(Changes(before, TakeSnapshot(registry)), Snapshot()) << column << "," << page;
    }
}

TEST_F(CopyToSheet, PageTwoCopiesNamesOnRequestAndEmptiesCells)
{
    DocumentForm& page2 = *registry.form("TFArkusz283str2");
    page2.setText(u"ZMIENNA_ObowiazkoweOcn182_DATA_COMBOBOX", "stays");
    page2.setText(u"ZMIENNA_ObowiazkoweOcn32_DATA_COMBOBOX", "old");
    registry.form("TFSwiad205kl2")->setText(u"ZMIENNA_ObowiazkowyEduOcn3_STR2_DATA_COMBOBOX", "");
    registry.form("TFSwiad205kl2")->CopyGradesToSheet(2, 2, false);
    EXPECT_EQ(page2.text(u"ZMIENNA_ObowiazkowyOpis1_DATA_EDIT"), "");
    EXPECT_EQ(page2.text(u"ZMIENNA_ObowiazkoweOcn32_DATA_COMBOBOX"), "");
    EXPECT_EQ(page2.text(u"ZMIENNA_ObowiazkoweOcn182_DATA_COMBOBOX"), "stays");
    EXPECT_EQ(page2.text(u"ZMIENNA_ObowiazkoweOcn11_DATA_COMBOBOX"), "");
    registry.form("TFSwiad205kl2")->CopyGradesToSheet(1, 2, true);
    EXPECT_EQ(page2.text(u"ZMIENNA_ObowiazkowyOpis17_DATA_EDIT"), "przedmiot 17");
    EXPECT_EQ(page2.text(u"ZMIENNA_ObowiazkoweOcn11_DATA_COMBOBOX"), "dobry");
}

TEST_F(CopyToSheet, LoadBarsCallTheChosenCertificate)
{
    DocumentForm& page4 = *registry.form("TFArkusz283str4");
    registry.form("TFSwiad205wkl5")->setText(u"ZMIENNA_Klasa_STR1_DATA_EDIT", "piątej");
    FormWindow& w = page4.window();
    w.prepareShow();
    w.certificateList()->setCurrentIndex(1);
    w.columnList()->setCurrentIndex(1);
    w.namesCheckBox()->setChecked(true);
    w.findChild<QPushButton*>("WczytajDaneZSwiadectwaButton")->click();
    EXPECT_EQ(page4.text(u"ZMIENNA_Klasa2_DATA_EDIT"), "piątej");
    EXPECT_EQ(page4.text(u"ZMIENNA_Klasa1_DATA_EDIT"), "");
    w.prepareShow();  // the lists start again at their first items
    EXPECT_EQ(w.certificateList()->currentIndex(), 0);
    EXPECT_TRUE(w.namesCheckBox()->isChecked());

    // Page 3 has no names box and passes false.
    registry.form("TFArkusz283str3")->LoadColumn(6, 2, true);
    EXPECT_EQ(registry.form("TFArkusz283str3")->text(u"ZMIENNA_ObowiazkowyOpis1_DATA_EDIT"), "");
    EXPECT_EQ(registry.form("TFArkusz283str3")->text(u"ZMIENNA_Rok2_DATA_EDIT"), " / ");
}

// Achievements reach a sheet's memo in the lines its printed column holds (Times New Roman
// 8 pt: 11 page units; the columns are 211 units wide): none runs out of the table, and the
// lines read on as the certificate's text.
TEST_F(CopyToSheet, AchievementsArriveInLinesThePrintedColumnHolds)
{
    struct Case {
        const char* certificate;
        bool typed;  // typed in the certificate's window, else stored
        const char* sheet;
        const char* button;
        const char* target;
        int lines;  // expected lines on the sheet
    };
    const QString stored = QString("Laureatka I miejsca w Ogólnopolskim Konkursie Pianistycznym, "
                                   "solistka koncertu szkolnej orkiestry, ")
                               .repeated(8)
                               .left(787);
    const QString typed =
        "Wyróżnienie w konkursie skrzypcowym w Krakowie oraz udział w warsztatach w Łodzi";
    const Case cases[] = {
        {"TFSwiad204", false, "TFArkusz281str7", "LoadDataToSeetButton",
         "ZMIENNA_Szczegolne1_DATA_MEMO", 3},
        {"TFSwiad205kl2", true, "TFArkusz283str2", "WczytajDaneZSwiadectwaButton",
         "ZMIENNA_SzczegolneOsiagniecia1_DATA_MEMO", 2},
    };
    QFont printed("Times New Roman");
    printed.setPixelSize(11);
    printed.setKerning(false);
    printed.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF metrics(printed);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.certificate);
        DocumentForm& cert = *registry.form(c.certificate);
        const QString memoName =
            c.typed ? "ZMIENNA_Szczegolne_STR2_DATA_MEMO" : "ZMIENNA_Szczegolne_STR3_DATA_MEMO";
        const QString text = c.typed ? typed : stored;
        if (c.typed) {
            cert.setText(memoName, "");
            QWidget* memo = cert.window().widget(memoName);
            memo->setFocus();
            TypeText(memo, text);
            cert.releaseWindow();
        } else {
            cert.FillFields(
                {{cert.key().toStdString(), memoName.toStdString(), text.toStdString()}});
        }
        ASSERT_EQ(cert.text(memoName), text);

        DocumentForm& sheet = *registry.form(c.sheet);
        FormWindow& w = sheet.window();
        w.prepareShow();
        w.certificateList()->setCurrentIndex(0);
        w.columnList()->setCurrentIndex(0);
        w.findChild<QPushButton*>(c.button)->click();
        const QStringList lines = sheet.memoLines(QString::fromUtf8(c.target));
        EXPECT_EQ(lines.size(), c.lines);
        for (const QString& line : lines)
            EXPECT_LE(metrics.horizontalAdvance(line), 211.0) << line.toStdString();
        EXPECT_TRUE(text.startsWith(lines.join(""))) << lines.join("|").toStdString();
        if (c.typed) {
            EXPECT_EQ(lines.join(""), text);
        }
        sheet.releaseWindow();
    }
}

namespace {

class SchoolDataCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        form.setText(u"ZMIENNA_Klasa_STR1_DATA_EDIT", "typed");
        form.setText(u"ZMIENNA_UchwalaRok_STR1_DATA_EDIT", "2001");
    }

    TempFolders folders;
    TemplateSchool school;
    FormRegistry registry;
    DocumentForm& form = *registry.form("TFSwiad205wkl3");
};

}  // namespace

TEST_F(SchoolDataCopy, CopiesTheThirtyOnePairsWholeAndEmptiesMissingOnes)
{
    WriteSchoolTemplate({{"DANE SZKOLY", "ZMIENNA_Szkola1_DATA_EDIT", "Państwowa Szkoła Muzyczna"},
                         {"DANE SZKOLY", "ZMIENNA_PromocjaDoKlasy_DATA_EDIT", "czwartej"},
                         {"DANE SZKOLY", "ZMIENNA_SzkolaWE_DATA_EDIT", "e w"},
                         {"DANE SZKOLY", "ZMIENNA_Nadobowiazkowe5_DATA_EDIT", "chór"}});
    form.LoadSchoolData();
    EXPECT_EQ(form.text(u"ZMIENNA_NazwaSzkoly1_STR1_DATA_EDIT"), "Państwowa Szkoła Muzyczna");
    EXPECT_EQ(form.text(u"ZMIENNA_PromDoKlasy_STR1_DATA_EDIT"), "czwartej");
    EXPECT_EQ(form.text(u"ZMIENNA_SzkolaWE_STR1_DATA_EDIT"), "e w");
    EXPECT_EQ(form.text(u"ZMIENNA_NadobowiazkoweOpis5_STR2_DATA_EDIT"), "chór");
    EXPECT_EQ(form.text(u"ZMIENNA_Klasa_STR1_DATA_EDIT"), "");
    EXPECT_EQ(form.text(u"ZMIENNA_UchwalaRok_STR1_DATA_EDIT"), "2001");

    DocumentForm& title = *registry.form("TFArkusz283str1");
    WriteSchoolTemplate({{"DANE SZKOLY", "ZMIENNA_DecyzjaNr_DATA_EDIT", "12/2004"}});
    title.setText(u"ZMIENNA_DoKlasy_DATA_EDIT", "pierwszej");
    title.LoadSchoolData();
    EXPECT_EQ(title.text(u"ZMIENNA_DecyzjaNr_DATA_EDIT"), "12/2004");
    EXPECT_EQ(title.text(u"ZMIENNA_DoKlasy_DATA_EDIT"), "pierwszej");
}

// A copy step may write a fixed text that each block words its own way.
TEST(CopyMaps, FixedTextsComeFromTheBlock)
{
    EnsureApplication();
    QTemporaryDir dir;
    ASSERT_NO_FATAL_FAILURE(CopyBuiltInLayouts(dir.path()));
    QFile file(dir.filePath("forms.json"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    QJsonObject maps = root["copyMaps"].toObject();
    QJsonArray steps = maps["cert205_to_283"].toArray();
    for (qsizetype i = 0; i < steps.size(); ++i)
        if (steps[i].toObject()["to"].toString() == "ZMIENNA_Klasa{c}_DATA_EDIT")
            steps[i] = QJsonObject{{"text", "Klasa {class}"}, {"to", "ZMIENNA_Klasa{c}_DATA_EDIT"}};
    maps["cert205_to_283"] = steps;
    root["copyMaps"] = maps;
    // Class II gets blocks of its own; classes III to V keep the shared ones.
    QJsonArray forms = root["forms"].toArray();
    for (qsizetype i = 0; i < forms.size(); ++i) {
        QJsonObject f = forms[i].toObject();
        if (f["class"].toString() == "TFSwiad205kl2")
            f["copy"] = "cert205_2";
        forms[i] = f;
    }
    root["forms"] = forms;
    QJsonObject blocks = root["copyBlocks"].toObject();
    QJsonArray own = blocks["cert205_2to5"].toArray();
    for (qsizetype i = 0; i < own.size(); ++i) {
        QJsonObject b = own[i].toObject();
        b["values"] = QJsonObject{{"class", QString("II.%1").arg(i)}};
        own[i] = b;
    }
    blocks["cert205_2"] = own;
    root["copyBlocks"] = blocks;
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QJsonDocument(root).toJson());
    file.close();

    const LayoutCatalog catalog = LayoutCatalog::fromDirectory(dir.path());
    const QStringList problems = ValidateLayouts(catalog);
    // Class III to V blocks give no value: the validator names them.
    EXPECT_TRUE(problems.join('\n').contains("needs the value \"class\""))
        << problems.join('\n').toStdString();
    FormRegistry registry(catalog);
    registry.form("TFSwiad205kl2")->CopyGradesToSheet(2, 3, false);
    EXPECT_EQ(registry.form("TFArkusz283str3")->text(u"ZMIENNA_Klasa1_DATA_EDIT"), "Klasa II.3");
}
