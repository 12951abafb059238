#include "DialogTestEnv.h"

#include "forms/DocumentForm.h"
#include "forms/FormRegistry.h"
#include "forms/FormWindow.h"
#include "forms/Layout.h"
#include "forms/SchoolData.h"
#include "forms/dialogs/SchoolDataDialog.h"
#include "platform/Edit.h"
#include "platform/OsServices.h"
#include "store/CppSQLite3.h"
#include "store/Folders.h"
#include "store/Settings.h"
#include "store/Templates.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

const std::string kKey = "DANE SZKOLY";

class FixedClock : public OsServices {
public:
    QDateTime utcNow() const override { return QDateTime(QDate(2026, 3, 1), QTime(8, 0), Qt::UTC); }
};

class SchoolDataDialogTest : public DialogTest {
protected:
    SchoolDataDialogTest() { previousServices_ = OsServices::install(&clock_); }
    ~SchoolDataDialogTest() override { OsServices::install(previousServices_); }

    std::string templatesFile() const
    {
        ErrorStream es;
        return TemplatesFilePath(es);
    }
    std::vector<FieldRecord> storedTemplate() const
    {
        ErrorStream es;
        std::vector<FieldRecord> rows;
        EXPECT_TRUE(bFunSqlTemplateReadData(es, templatesFile(), "school_data", rows)) << es.str();
        return rows;
    }
    void writeTemplate(const std::vector<FieldRecord>& rows)
    {
        ErrorStream es;
        ASSERT_TRUE(bFunSqlTemplateWriteData(es, templatesFile(), "school_data", rows)) << es.str();
    }
    void runSql(const std::string& sql)
    {
        CppSQLite3DB db;
        db.Open(templatesFile());
        db.RunUpdate(sql);
        db.Close();
    }
    int reminderSetting()
    {
        ErrorStream es;
        int value = -1;
        EXPECT_TRUE(bFunSqlGetSettingsValue(es, "create_school_data_template", value));
        return value;
    }
    // Shows the dialog, runs `whileShown`, then presses `button`; true when it closed.
    bool showAndPress(const char* button, const std::function<void(QDialog&)>& whileShown = {})
    {
        bool closed = false;
        dialogs.answerModal([&](QDialog& d) {
            if (whileShown)
                whileShown(d);
            d.findChild<QAbstractButton*>(button)->click();
            closed = !d.isVisible();
        });
        DialogService::instance().showModal(dialog);
        return closed;
    }
    // Every edit gets a text of its own, Polish letters and an apostrophe included.
    std::vector<FieldRecord> fillAll()
    {
        std::vector<FieldRecord> expected;
        int n = 0;
        for (const DialogFields::Field* f : dialog.fields().fields()) {
            const QString text = QStringLiteral("Wartość '%1' żółć").arg(++n);
            dialog.fields().setText(f->name, text);
            expected.push_back({kKey, f->name.toStdString(), text.toStdString()});
        }
        return expected;
    }

    TFDaneSzkoly dialog;

private:
    FixedClock clock_;
    OsServices* previousServices_;
};

TEST_F(SchoolDataDialogTest, HoldsTheSeventyThreeEditsTheLayoutsRead)
{
    QStringList names;
    for (const DialogFields::Field* f : dialog.fields().fields())
        names << f->name;
    ASSERT_EQ(names.size(), 73);
    EXPECT_EQ(names.first(), "ZMIENNA_ObowiazkoweZajEduArt5_DATA_EDIT");
    EXPECT_EQ(names[33], "ZMIENNA_ObowiazkoweEdu7_DATA_EDIT");
    EXPECT_EQ(names.last(), "ZMIENNA_DecyzjaZDnia_DATA_EDIT");
    QStringList expected = LayoutCatalog::builtIn().dialogFields.value("TFDaneSzkoly");
    names.sort();
    expected.sort();
    EXPECT_EQ(names, expected);
}

TEST_F(SchoolDataDialogTest, EveryEditStandsOnceOnItsTabPage)
{
    dialogs.answerModal([&](QDialog& d) {
        auto* pages = d.findChild<QTabWidget*>();
        ASSERT_EQ(pages->count(), 2);
        EXPECT_EQ(pages->tabText(0), "Szablon danych szkoły");
        EXPECT_EQ(pages->tabText(1), "Szablon strony głównej arkusza ocen");
        int index = 0;
        for (const DialogFields::Field* f : dialog.fields().fields()) {
            const auto found = d.findChildren<Edit*>(f->name);
            ASSERT_EQ(found.size(), 1) << f->name.toStdString();
            EXPECT_EQ(found[0]->typingLimit(), f->typingLimit);
            EXPECT_TRUE(pages->widget(index < 63 ? 0 : 1)->isAncestorOf(found[0]))
                << f->name.toStdString();
            ++index;
        }
    });
    DialogService::instance().showModal(dialog);
}

TEST_F(SchoolDataDialogTest, SaveAndLoadRoundTripInComponentOrder)
{
    const std::vector<FieldRecord> expected = fillAll();
    ASSERT_TRUE(dialog.SaveSchoolTemplate());
    EXPECT_EQ(storedTemplate(), expected);

    dialog.ClearFields();
    EXPECT_EQ(dialog.fieldText("ZMIENNA_Klasa_DATA_EDIT"), "");
    ASSERT_TRUE(dialog.LoadSchoolTemplate());
    std::vector<FieldRecord> again;
    for (const DialogFields::Field* f : dialog.fields().fields())
        again.push_back({kKey, f->name.toStdString(), f->text.toStdString()});
    EXPECT_EQ(again, expected);
    EXPECT_TRUE(messages().empty());
}

TEST_F(SchoolDataDialogTest, LoadMatchesNamesNotKeys)
{
    writeTemplate({
        {"INNY KLUCZ", "ZMIENNA_Klasa_DATA_EDIT", "druga"},
        {kKey, "ZMIENNA_Nieznane_DATA_EDIT", "x"},
        {kKey, "zmienna_szkolamiasto_data_edit", "Gdańsk"},
    });
    ASSERT_TRUE(dialog.load());
    EXPECT_EQ(SchoolData::current(), &dialog);
    EXPECT_EQ(SchoolData::current()->fieldText("ZMIENNA_Klasa_DATA_EDIT"), "druga");
    EXPECT_EQ(dialog.fieldText("ZMIENNA_SzkolaMiasto_DATA_EDIT"), "Gdańsk");
    EXPECT_EQ(dialog.fieldText("ZMIENNA_Szkola1_DATA_EDIT"), "");
}

TEST_F(SchoolDataDialogTest, UnreadableTemplateIsReportedAndChangesNothing)
{
    // A template table without its value column, and a templates file that is no database.
    const std::function<void()> damages[] = {
        [this] {
            runSql("create table `school_data`( id TEXT, comp_name TEXT )");
            runSql("insert into `school_data` values( 'DANE SZKOLY', 'ZMIENNA_Klasa_DATA_EDIT' )");
        },
        [this] {
            std::ofstream(templatesFile(), std::ios::binary | std::ios::trunc)
                << std::string(4096, 'x');
        },
    };
    for (const auto& damage : damages) {
        std::filesystem::remove(templatesFile());
        damage();
        dialogs.clearRequests();
        dialog.fields().setText(u"ZMIENNA_Klasa_DATA_EDIT", "przed");
        dialogs.answerMessage(Answer::Ok);
        EXPECT_FALSE(dialog.LoadSchoolTemplate());

        EXPECT_EQ(dialog.fieldText("ZMIENNA_Klasa_DATA_EDIT"), "przed");
        const auto requests = dialogs.requestsOf(DialogKind::Message);
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_TRUE(requests[0].text.startsWith(
            QString::fromUtf8("Błąd podczas odczytu danych.\n\nSqlException\n")))
            << requests[0].text.toStdString();
        EXPECT_EQ(requests[0].caption, QString::fromUtf8("Błąd"));
        EXPECT_EQ(requests[0].icon, MsgIcon::Error);
    }
}

TEST_F(SchoolDataDialogTest, FirstShowOffersThisSchoolYearAndClearsTheReminder)
{
    ErrorStream es;
    ASSERT_TRUE(bFunSqlSettingWriteValue(es, "create_school_data_template", 1));
    dialog.fields().setText(u"ZMIENNA_Klasa_DATA_EDIT", "niezapisane");
    EXPECT_TRUE(showAndPress("AnulujButton", [&](QDialog&) {
        EXPECT_EQ(dialog.fieldText("ZMIENNA_RokSzkolny1_DATA_EDIT"), "2025");
        EXPECT_EQ(dialog.fieldText("ZMIENNA_RokSzkolny2_DATA_EDIT"), "2026");
        EXPECT_EQ(dialog.fieldText("ZMIENNA_Klasa_DATA_EDIT"), "");
    }));
    EXPECT_EQ(reminderSetting(), 0);
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(storedTemplate().empty());
}

TEST_F(SchoolDataDialogTest, SavedSchoolYearStaysWhateverTheDate)
{
    writeTemplate({{kKey, "ZMIENNA_RokSzkolny1_DATA_EDIT", "2010"},
                   {kKey, "ZMIENNA_RokSzkolny2_DATA_EDIT", "2011"}});
    EXPECT_TRUE(showAndPress("OKButton", [&](QDialog& d) {
        EXPECT_EQ(dialog.fieldText("ZMIENNA_RokSzkolny1_DATA_EDIT"), "2010");
        TypeText(d.findChild<Edit*>("ZMIENNA_Klasa_DATA_EDIT"), "pierwsza");
    }));
    const std::vector<FieldRecord> stored = storedTemplate();
    ASSERT_EQ(stored.size(), 73u);
    EXPECT_EQ(stored[23], (FieldRecord{kKey, "ZMIENNA_Klasa_DATA_EDIT", "pierwsza"}));
    EXPECT_EQ(stored[28].value, "2010");
    EXPECT_EQ(stored[29].value, "2011");
}

TEST_F(SchoolDataDialogTest, FailedSaveKeepsTheDialogOpenWithTheTyping)
{
    // A view of the template's name: the write cannot create its table.
    runSql("create view `school_data` as select 1 as id, 2 as comp_name, 3 as value");
    const bool closed = showAndPress("OKButton", [&](QDialog& d) {
        dialogs.answerMessage(Answer::Ok);
        TypeText(d.findChild<Edit*>("ZMIENNA_Klasa_DATA_EDIT"), "trzecia");
    });
    EXPECT_FALSE(closed);
    EXPECT_EQ(dialog.fieldText("ZMIENNA_Klasa_DATA_EDIT"), "trzecia");
    const auto requests = dialogs.requestsOf(DialogKind::Message);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests.back().text.startsWith(
        QString::fromUtf8("Błąd podczas próby zapisania danych do pliku.\n\nSqlException\n")))
        << requests.back().text.toStdString();
}

// Subjects typed one after another, Tab between them, stand in that order on the
// certificate that loads the template.
TEST_F(SchoolDataDialogTest, SubjectsTypedInTabOrderKeepTheirOrderOnTheCertificate)
{
    struct Case {
        const char* list;  // the template's edits: ZMIENNA_<list><n><suffix>_DATA_EDIT
        const char* suffix;
        int count;
        const char* certificate;  // a certificate showing all of them
        const char* button;
        const char* target;  // its field for subject n: %1
    };
    const Case cases[] = {
        {"ObowiazkoweEdu", "", 20, "TFSwiad204a", "btnLoadSchoolTemplate",
         "ZMIENNA_ObowiazkoweZajEduOpis%1_STR2_DATA_EDIT"},
        {"ObowiazkoweZajEduArt", "", 10, "TFSwiad205a", "btnLoadSchoolTemplate",
         "ZMIENNA_ObowiazkoweZajEduArtOpis%1_STR2_DATA_EDIT"},
        {"Nadobowiazkowe", "", 8, "TFSwiad201b", "btnLoadSchoolTemplate",
         "ZMIENNA_InneZajEdukacyjneOpis%1_STR3_DATA_EDIT"},
        {"PrzedmiotOpis", "_STR3", 4, "TFSwiad204a", "btnLoadSchoolTemplate",
         "ZMIENNA_PrzedmiotOpis%1_STR3_DATA_EDIT"},
        {"PrzedmiotUzOpis", "_STR3", 4, "TFSwiad204a", "btnLoadSchoolTemplate",
         "ZMIENNA_PrzedmiotUzOpis%1_STR3_DATA_EDIT"},
    };
    FormRegistry registry;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        const auto subject = [&](int n) { return QStringLiteral("przedmiot %1").arg(n); };
        QStringList visited;
        EXPECT_TRUE(showAndPress("OKButton", [&](QDialog& d) {
            QApplication::setActiveWindow(&d);
            d.findChild<Edit*>(
                 QStringLiteral("ZMIENNA_%1%2%3_DATA_EDIT").arg(c.list).arg(1).arg(c.suffix))
                ->setFocus();
            for (int n = 1; n <= c.count; ++n) {
                QWidget* field = d.focusWidget();
                visited << field->objectName();
                qobject_cast<Edit*>(field)->clear();
                TypeText(field, subject(n));
                TypeKey(field, Qt::Key_Tab);
            }
        }));
        QStringList expectedVisits;
        for (int n = 1; n <= c.count; ++n)
            expectedVisits
                << QStringLiteral("ZMIENNA_%1%2%3_DATA_EDIT").arg(c.list).arg(n).arg(c.suffix);
        EXPECT_EQ(visited, expectedVisits);

        DocumentForm& certificate = *registry.form(c.certificate);
        certificate.window().findChild<QAbstractButton*>(c.button)->click();
        for (int n = 1; n <= c.count; ++n)
            EXPECT_EQ(certificate.text(QString::fromUtf8(c.target).arg(n)), subject(n)) << n;
        certificate.releaseWindow();
    }
}

// The box after "w" is the "e" of "we": a box for a letter or two, named by its tooltip, taking
// the one letter the certificates keep; the town has its own wide box after it.
TEST_F(SchoolDataDialogTest, LetterAfterWIsABoxForOneLetter)
{
    EXPECT_TRUE(showAndPress("AnulujButton", [&](QDialog& d) {
        auto* letter = d.findChild<Edit*>("ZMIENNA_SzkolaWE_DATA_EDIT");
        auto* town = d.findChild<Edit*>("ZMIENNA_SzkolaMiasto_DATA_EDIT");
        EXPECT_EQ(letter->toolTip(), "Końcówka słowa „w”");
        EXPECT_EQ(letter->typingLimit(), 1);
        const int twoLetters = letter->fontMetrics().horizontalAdvance(QStringLiteral("ęy"));
        EXPECT_GE(letter->width(), twoLetters + 4);
        EXPECT_LE(letter->width(), 3 * twoLetters);
        EXPECT_GT(town->width(), 4 * letter->width());
        EXPECT_LT(letter->geometry().right(), town->x());
        letter->setFocus();
        TypeText(letter, "Krakowie");
        EXPECT_EQ(dialog.fieldText("ZMIENNA_SzkolaWE_DATA_EDIT"), "K");
    }));
}

TEST_F(SchoolDataDialogTest, TypingIntoAnEditWithoutLimitStopsAt2047Bytes)
{
    EXPECT_TRUE(showAndPress("AnulujButton", [&](QDialog& d) {
        auto* edit = d.findChild<Edit*>("ZMIENNA_NazwaSzkoly_DATA_EDIT");
        dialog.fields().setText(u"ZMIENNA_NazwaSzkoly_DATA_EDIT", QString(2045, u'x'));
        edit->end(false);
        TypeText(edit, "śżź");
        EXPECT_EQ(dialog.fieldText("ZMIENNA_NazwaSzkoly_DATA_EDIT"), QString(2045, u'x') + "śż");
        // A text set from code is kept whole.
        dialog.fields().setText(u"ZMIENNA_NazwaSzkoly_DATA_EDIT", QString(3000, u'y'));
        EXPECT_EQ(edit->text().size(), 3000);
    }));
}

TEST_F(SchoolDataDialogTest, OpensAtTheTopOfItsFirstPageInTheFirstField)
{
    // Left on the second page and scrolled down the first one.
    EXPECT_TRUE(showAndPress("AnulujButton", [](QDialog& d) {
        auto* pages = d.findChild<QTabWidget*>();
        auto* first = qobject_cast<QScrollArea*>(pages->widget(0));
        first->verticalScrollBar()->setValue(first->verticalScrollBar()->maximum());
        pages->setCurrentIndex(1);
        d.findChild<QAbstractButton*>("AnulujButton")->setFocus();
    }));
    int page = -1, scrolled = -1;
    QString focused;
    EXPECT_TRUE(showAndPress("AnulujButton", [&](QDialog& d) {
        auto* pages = d.findChild<QTabWidget*>();
        page = pages->currentIndex();
        scrolled = qobject_cast<QScrollArea*>(pages->widget(0))->verticalScrollBar()->value();
        focused = d.focusWidget() ? d.focusWidget()->objectName() : QString();
    }));
    EXPECT_EQ(page, 0);
    EXPECT_EQ(scrolled, 0);
    EXPECT_EQ(focused, "ZMIENNA_RokSzkolny1_DATA_EDIT");
}

TEST_F(SchoolDataDialogTest, CertificateLinesStayWithinTheBlanksFrame)
{
    // The blank's printed frame: 22 page units inside the page, the picture stretched
    // over the page's content.
    const QRectF frame = toPicture({22, 22, kPageWidth - 22, kPageHeight - 22});
    EXPECT_TRUE(showAndPress("AnulujButton", [&](QDialog& d) {
        auto* page = qobject_cast<QScrollArea*>(d.findChild<QTabWidget*>()->widget(0));
        QWidget* content = page->widget();
        for (int i = 0; i < 3; ++i)  // the margins follow the content's size
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const double sx = content->width() / double(kBlankWidth);
        const double sy = content->height() / double(kBlankHeight);
        const QRectF inside(frame.left() * sx, frame.top() * sy, frame.width() * sx,
                            frame.height() * sy);
        const auto edits = content->findChildren<Edit*>();
        ASSERT_EQ(edits.size(), 63);
        for (const Edit* edit : edits)
            EXPECT_TRUE(inside.contains(QRectF(edit->geometry())))
                << edit->objectName().toStdString();
    }));
}

TEST_F(SchoolDataDialogTest, SheetPageShowsTheSchoolFieldsWhereTheTitlePageHasThem)
{
    // "Wczytaj szablon arkusza" puts each text where this page showed it.
    FormRegistry registry;
    FormWindow& titlePage = registry.form("TFArkusz283str1")->window();
    const QStringList names = {
        "ZMIENNA_NazwaSzkoly_DATA_EDIT",
        "ZMIENNA_NazwaSzkoly1_DATA_EDIT",
        "ZMIENNA_NazwaSzkoly2_DATA_EDIT",
        "ZMIENNA_NazwaSzkoly3_DATA_EDIT",
        "ZMIENNA_SzkolaNiepublicznaProwadzonaPrzez_DATA_EDIT",
        "ZMIENNA_SzkolaNiepPodNr_DATA_EDIT",
        "ZMIENNA_UprawnieniaNadanePrzez1_DATA_EDIT",
        "ZMIENNA_UprawnieniaNadanePrzez2_DATA_EDIT",
        "ZMIENNA_DecyzjaNr_DATA_EDIT",
        "ZMIENNA_DecyzjaZDnia_DATA_EDIT",
    };
    EXPECT_TRUE(showAndPress("AnulujButton", [&](QDialog& d) {
        QWidget* page = d.findChild<QTabWidget*>()->widget(1);
        for (const QString& name : names) {
            const auto* edit = page->findChild<Edit*>(name);
            ASSERT_NE(edit, nullptr) << name.toStdString();
            EXPECT_EQ(edit->geometry(), titlePage.widget(name)->geometry()) << name.toStdString();
            // Within the page (the picture's last 8 pixels are beyond it).
            EXPECT_LE(edit->geometry().right(), kBlankWidth - 8) << name.toStdString();
        }
        // The school's kind follows the heading "SZKOŁY"; the name's lines follow the kind.
        const QRect heading = page->findChild<QLabel*>("STALY_Szkoly_DATA_LABEL")->geometry();
        const QRect kind = page->findChild<Edit*>("ZMIENNA_NazwaSzkoly_DATA_EDIT")->geometry();
        EXPECT_LE(heading.bottom(), kind.top());
        EXPECT_LT(kind.bottom(),
                  page->findChild<Edit*>("ZMIENNA_NazwaSzkoly1_DATA_EDIT")->geometry().top());
        EXPECT_EQ(page->findChild<QLabel*>("STALY_Szkoly_DATA_LABEL")->text(), "SZKOŁY");
    }));
    const QRect heading = titlePage.widget(u"STALY_Szkoly_DATA_LABEL")->geometry();
    EXPECT_LE(heading.bottom(),
              titlePage.widget(u"ZMIENNA_NazwaSzkoly_DATA_EDIT")->geometry().top());
}

}  // namespace
