#include "DialogTestEnv.h"

#include "forms/Layout.h"
#include "forms/StudentData.h"
#include "forms/dialogs/StudentDialog.h"
#include "platform/ComboBox.h"
#include "platform/Edit.h"
#include "platform/OsServices.h"
#include "store/CertFile.h"
#include "store/Folders.h"
#include "store/Towns.h"

#include <QAbstractButton>

#include <filesystem>
#include <functional>

namespace {

const std::string kKey = "DANE UCZNIA";

struct Student {
    QString surname, firstName, sex, day, year, town, voivodeship, number, pesel;
};

const Student kNowak{"nowak",  "łucja",       "kobieta", "12 marca",   "2001 r.",
                     "Kraków", "małopolskie", "17",      "01231212345"};

class FixedClock : public OsServices {
public:
    explicit FixedClock(QDate today)
        : today_(today)
    {
    }
    QDateTime utcNow() const override { return QDateTime(today_, QTime(12, 0), Qt::UTC); }

private:
    QDate today_;
};

class StudentDialogTest : public DialogTest {
protected:
    void enter(const Student& s)
    {
        DialogFields& f = dialog.fields();
        f.setText(u"Nazwisko_DATA_EDIT", s.surname);
        f.setText(u"Imie_DATA_EDIT", s.firstName);
        f.setText(u"Plec_DATA_COMBOBOX", s.sex);
        f.setText(u"UrodzonyDnia_DATA_EDIT", s.day);
        f.setText(u"UrodzonyRok_DATA_COMBOBOX", s.year);
        f.setText(u"UrodzonyMiasto_DATA_COMBOBOX", s.town);
        f.setText(u"UrodzonyWoj_DATA_COMBOBOX", s.voivodeship);
        f.setText(u"NrDziennika_DATA_EDIT", s.number);
        f.setText(u"NumerPesel_DATA_EDIT", s.pesel);
    }

    // Shows the dialog as the main window does and presses OK, answering the message
    // boxes with `answers`; true when OK closed it.
    bool pressOk(std::initializer_list<Answer> answers = {})
    {
        bool closed = false;
        dialogs.answerModal([&](QDialog& d) {
            QApplication::setActiveWindow(&d);
            d.findChild<QAbstractButton*>("OKButton")->click();
            closed = d.result() == QDialog::Accepted;
            focused = d.focusWidget();
        });
        for (Answer answer : answers)
            dialogs.answerMessage(answer);
        DialogService::instance().showModal(dialog);
        return closed;
    }

    void saveStudent(const Student& s)
    {
        dialog.mode = TFDaneUcznia::NewStudent;
        enter(s);
        ASSERT_TRUE(pressOk());
    }

    TFDaneUcznia dialog;
    QWidget* focused = nullptr;  // after the last OK
};

TEST_F(StudentDialogTest, OkChecksTheFieldsInOrderAndKeepsTheDialogOpen)
{
    struct Case {
        Student student;
        const char* message;
        const char* focus;
    };
    const Case cases[] = {
        {{"", "", "", "", "", "", "", "", ""},
         "Nazwisko ucznia jest wymagane",
         "Nazwisko_DATA_EDIT"},
        {{"", "jan", "kobieta", "", "", "", "", "", "x y"},
         "Nazwisko ucznia jest wymagane",
         "Nazwisko_DATA_EDIT"},
        {{"nowak", "", "", "", "", "", "", "", "x y"},
         "Imię ucznia jest wymagane",
         "Imie_DATA_EDIT"},
        {{"nowak", "jan", "", "", "", "", "", "", "x y"},
         "Płeć ucznia jest wymagana",
         "Plec_DATA_COMBOBOX"},
        {{"nowak", "jan", "mężczyzna", "", "", "", "", "", "850 10"},
         "Numer PESEL nie jest prawidłowy lub zawiera nie dozwolone znaki",
         "NumerPesel_DATA_EDIT"},
        {{"nowak", "jan", "mężczyzna", "", "", "", "", "", "Ł85"},
         "Numer PESEL nie jest prawidłowy lub zawiera nie dozwolone znaki",
         "NumerPesel_DATA_EDIT"},
    };
    for (const Case& c : cases) {
        dialogs.clearRequests();
        enter(c.student);
        EXPECT_FALSE(pressOk({Answer::Ok})) << c.message;
        ASSERT_EQ(dialogs.requestsOf(DialogKind::Message).size(), 1u) << c.message;
        const DialogRequest r = dialogs.requestsOf(DialogKind::Message)[0];
        EXPECT_EQ(r.text, QString::fromUtf8(c.message));
        EXPECT_EQ(r.caption, "Brak danych");
        EXPECT_EQ(r.icon, MsgIcon::Warning);
        EXPECT_EQ(r.buttons, MsgButtons::Ok);
        ASSERT_NE(focused, nullptr) << c.message;
        EXPECT_TRUE(focused->objectName() == c.focus || focused->parent()->objectName() == c.focus)
            << c.message << " focus on " << focused->objectName().toStdString();
    }
    EXPECT_EQ(host.saves, 0);
    EXPECT_FALSE(FileExists(workingCopy()));
}

TEST_F(StudentDialogTest, OkRemembersTownAndVoivodeshipBeforeAnyCheck)
{
    enter({"", "", "", "", "", "Żółtki Wielkie", "nowe województwo", "", ""});
    EXPECT_FALSE(pressOk({Answer::Ok}));

    ErrorStream es;
    std::vector<std::string> towns, voivodeships;
    ASSERT_TRUE(bFunStudentDataLoadCityList(es, towns));
    ASSERT_TRUE(bFunStudentDataLoadProvinceList(es, voivodeships));
    EXPECT_EQ(std::count(towns.begin(), towns.end(), "Żółtki Wielkie"), 1);
    EXPECT_EQ(std::count(voivodeships.begin(), voivodeships.end(), "nowe województwo"), 1);
}

TEST_F(StudentDialogTest, NewStudentIsSavedWithCapitalisedNames)
{
    saveStudent(kNowak);

    EXPECT_TRUE(dialogs.requestsOf(DialogKind::Message).empty());
    EXPECT_EQ(dialog.fieldText("Nazwisko_DATA_EDIT"), "Nowak");
    EXPECT_EQ(dialog.fieldText("Imie_DATA_EDIT"), "Łucja");
    const std::vector<FieldRecord> expected = {
        {kKey, "Imie_DATA_EDIT", "Łucja"},
        {kKey, "UrodzonyDnia_DATA_EDIT", "12 marca"},
        {kKey, "Plec_DATA_COMBOBOX", "kobieta"},
        {kKey, "UrodzonyRok_DATA_COMBOBOX", "2001 r."},
        {kKey, "UrodzonyMiasto_DATA_COMBOBOX", "Kraków"},
        {kKey, "UrodzonyWoj_DATA_COMBOBOX", "małopolskie"},
        {kKey, "NrDziennika_DATA_EDIT", "17"},
        {kKey, "Nazwisko_DATA_EDIT", "Nowak"},
        {kKey, "NumerPesel_DATA_EDIT", "01231212345"},
    };
    EXPECT_EQ(tableRows("PESEL01231212345"), expected);
}

TEST_F(StudentDialogTest, EmptyPeselSavesIntoTablePesel)
{
    saveStudent({"lis", "ewa", "kobieta", "", "", "", "", "", ""});
    EXPECT_TRUE(tableExists("PESEL"));
}

TEST_F(StudentDialogTest, ExistingPeselAsksBeforeOverwriting)
{
    saveStudent(kNowak);
    Student other = kNowak;
    other.surname = "kowalski";

    for (Answer answer : {Answer::No, Answer::Yes}) {
        dialogs.clearRequests();
        dialog.mode = TFDaneUcznia::NewStudent;
        enter(other);
        EXPECT_EQ(pressOk({answer}), answer == Answer::Yes);
        // It names the student whose data "Tak" replaces, and Enter answers "Nie".
        EXPECT_EQ(messages(),
                  std::vector<QString>{QString::fromUtf8(
                      "Zapis|Uczeń o tym numerze PESEL już istnieje, czy chcesz nadpisać "
                      "dane tego ucznia ?\nNowak Łucja")});
        EXPECT_EQ(dialogs.requestsOf(DialogKind::Message)[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(dialogs.requestsOf(DialogKind::Message)[0].defaultButton, Answer::No);
        EXPECT_EQ(tableRows("PESEL01231212345")[7].value,
                  answer == Answer::Yes ? "Kowalski" : "Nowak");
    }
}

TEST_F(StudentDialogTest, EditWithAChangedPeselMovesTheStudent)
{
    saveStudent(kNowak);
    dialog.mode = TFDaneUcznia::EditStudent;
    dialog.editedTable = "PESEL01231212345";
    dialog.fields().setText(u"NumerPesel_DATA_EDIT", "99999999999");
    ASSERT_TRUE(pressOk());

    EXPECT_FALSE(tableExists("PESEL01231212345"));
    EXPECT_EQ(tableRows("PESEL99999999999").back().value, "99999999999");
    EXPECT_EQ(dialog.editedTable, "PESEL99999999999");
}

TEST_F(StudentDialogTest, EditWithTheSamePeselRewritesWithoutAsking)
{
    saveStudent(kNowak);
    dialog.mode = TFDaneUcznia::EditStudent;
    dialog.editedTable = "PESEL01231212345";
    dialog.fields().setText(u"NrDziennika_DATA_EDIT", "42");
    ASSERT_TRUE(pressOk());

    EXPECT_TRUE(dialogs.requestsOf(DialogKind::Message).empty());
    EXPECT_EQ(tableRows("PESEL01231212345")[6].value, "42");
}

TEST_F(StudentDialogTest, EditOntoAnotherStudentsPeselAsksFirst)
{
    saveStudent(kNowak);
    saveStudent({"lis", "jan", "mężczyzna", "", "", "", "", "", "123"});
    dialog.mode = TFDaneUcznia::EditStudent;
    dialog.editedTable = "PESEL123";
    dialog.fields().setText(u"NumerPesel_DATA_EDIT", kNowak.pesel);
    EXPECT_FALSE(pressOk({Answer::No}));

    EXPECT_EQ(messages().size(), 1u);
    EXPECT_TRUE(tableExists("PESEL123"));
    EXPECT_EQ(tableRows("PESEL01231212345")[7].value, "Nowak");
}

TEST_F(StudentDialogTest, FailedSaveOfAChangedPeselKeepsTheOldTable)
{
    saveStudent(kNowak);
    dialog.mode = TFDaneUcznia::EditStudent;
    dialog.editedTable = "PESEL01231212345";
    dialog.fields().setText(u"NumerPesel_DATA_EDIT", "555");
    host.failSave = true;
    EXPECT_FALSE(pressOk());

    EXPECT_TRUE(tableExists("PESEL01231212345"));
    EXPECT_EQ(dialog.editedTable, "PESEL01231212345");
    EXPECT_EQ(dialog.fieldText("NumerPesel_DATA_EDIT"), "555");
}

TEST_F(StudentDialogTest, CollectStoreFillCollectGivesTheSameRecords)
{
    enter({"Żak", "Zoë 'Ann'", "mężczyzna", "1 stycznia", "własny rok", "Łódź", "łódzkie", "3a",
           "7"});
    std::vector<FieldRecord> first;
    ASSERT_TRUE(dialog.CollectFields(first));
    ErrorStream es;
    ASSERT_EQ(iFunCheckIsStudentExists(es, workingCopy(), "PESEL7", true), 0);
    ASSERT_TRUE(ReplaceStudentTable(es, workingCopy(), "PESEL7", first)) << es.str();

    enter({"", "", "", "", "", "", "", "", ""});
    std::vector<FieldRecord> loaded;
    ASSERT_TRUE(bFunLoadCertData(es, workingCopy(), "PESEL7", loaded));
    dialog.FillFields(loaded);
    std::vector<FieldRecord> second;
    dialog.CollectFields(second);
    EXPECT_EQ(second, first);
}

TEST_F(StudentDialogTest, FillTakesOnlyItsKeyAndMarkedNamesTheLaterRecordWinning)
{
    enter(kNowak);
    dialog.FillFields({
        {kKey, "Imie_DATA_EDIT", "Adam"},
        {kKey, "IMIE_DATA_EDIT", "Piotr"},
        {kKey, "imie_data_edit", "bez znacznika"},
        {"DANE UCZNIA ", "Nazwisko_DATA_EDIT", "Obcy"},
        {"dane ucznia", "NrDziennika_DATA_EDIT", "9"},
        {kKey, "Nieznane_DATA_EDIT", "x"},
    });
    EXPECT_EQ(dialog.fieldText("Imie_DATA_EDIT"), "Piotr");
    EXPECT_EQ(dialog.fieldText("Nazwisko_DATA_EDIT"), "");
    EXPECT_EQ(dialog.fieldText("NrDziennika_DATA_EDIT"), "");
    // Kept from before: birth year, town and voivodeship survive the clear.
    EXPECT_EQ(dialog.fieldText("UrodzonyRok_DATA_COMBOBOX"), "2001 r.");
    EXPECT_EQ(dialog.fieldText("UrodzonyMiasto_DATA_COMBOBOX"), "Kraków");
    EXPECT_EQ(dialog.fieldText("UrodzonyWoj_DATA_COMBOBOX"), "małopolskie");
    EXPECT_EQ(dialog.fieldText("Plec_DATA_COMBOBOX"), "");
}

TEST_F(StudentDialogTest, SexLoadsAsManOnlyForTheExactText)
{
    const std::pair<const char*, const char*> cases[] = {
        {"mężczyzna", "mężczyzna"}, {"kobieta", "kobieta"},    {"", "kobieta"},
        {"Mężczyzna", "kobieta"},   {"mężczyzna ", "kobieta"}, {"inna", "kobieta"},
    };
    for (const auto& [stored, shown] : cases) {
        dialog.FillFields({{kKey, "Plec_DATA_COMBOBOX", stored}});
        EXPECT_EQ(dialog.fieldText("Plec_DATA_COMBOBOX"), QString::fromUtf8(shown)) << stored;
        EXPECT_EQ(StudentData::current().fieldText("Plec_DATA_COMBOBOX"), QString::fromUtf8(shown));
    }
}

TEST_F(StudentDialogTest, WidgetsAreBuiltOnFirstShowAndFollowTheValues)
{
    EXPECT_TRUE(dialog.findChildren<Edit*>().isEmpty());
    enter(kNowak);
    dialogs.answerModal([&](QDialog& d) {
        auto* surname = d.findChild<Edit*>("Nazwisko_DATA_EDIT");
        ASSERT_NE(surname, nullptr);
        EXPECT_EQ(surname->text(), "nowak");
        surname->clear();
        TypeText(surname, "Lis");
        auto* sex = d.findChild<ComboBox*>("Plec_DATA_COMBOBOX");
        EXPECT_EQ(sex->text(), "kobieta");
        dialog.fields().setText(u"Plec_DATA_COMBOBOX", "mężczyzna");
        EXPECT_EQ(sex->currentIndex(), 1);
        // Tab order: from the surname down the rows to the buttons.
        QStringList order;
        QWidget* w = surname;
        for (int step = 0; step < 100 && order.size() < 11; ++step, w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty() &&
                !order.contains(w->objectName()))
                order << w->objectName();
        EXPECT_EQ(order, (QStringList{"Nazwisko_DATA_EDIT", "Imie_DATA_EDIT", "Plec_DATA_COMBOBOX",
                                      "UrodzonyDnia_DATA_EDIT", "UrodzonyRok_DATA_COMBOBOX",
                                      "UrodzonyMiasto_DATA_COMBOBOX", "UrodzonyWoj_DATA_COMBOBOX",
                                      "NrDziennika_DATA_EDIT", "NumerPesel_DATA_EDIT", "OKButton",
                                      "AnulujButton"}));
    });
    DialogService::instance().showModal(dialog);
    EXPECT_EQ(dialog.fieldText("Nazwisko_DATA_EDIT"), "Lis");
}

// Every edit is wide enough for its typing limit of average characters, and a text set
// from code shows from its beginning.
TEST_F(StudentDialogTest, EditsShowTheirTypingLimitsFromTheBeginning)
{
    const std::pair<const char*, int> limits[] = {
        {"Nazwisko_DATA_EDIT", 48},    {"Imie_DATA_EDIT", 48},       {"UrodzonyDnia_DATA_EDIT", 46},
        {"NrDziennika_DATA_EDIT", 48}, {"NumerPesel_DATA_EDIT", 20},
    };
    for (const auto& [name, limit] : limits)
        dialog.fields().setText(QString::fromLatin1(name),
                                QStringLiteral("Wąż ").repeated(limit).left(limit));
    dialogs.answerModal([&](QDialog& d) {
        for (const auto& [name, limit] : limits) {
            SCOPED_TRACE(name);
            auto* edit = d.findChild<Edit*>(name);
            ASSERT_NE(edit, nullptr);
            EXPECT_GE(edit->textAreaWidth(), limit * edit->fontMetrics().averageCharWidth());
            if (edit != d.focusWidget()) {  // the field the dialog opens in has its text selected
                EXPECT_EQ(edit->cursorPosition(), 0);
            }
        }
    });
    DialogService::instance().showModal(dialog);
}

TEST_F(StudentDialogTest, TypingStopsAtTheFieldLimitsAndAt2047Bytes)
{
    const QString longTown(2046, u'a');
    dialogs.answerModal([&](QDialog& d) {
        auto* town = d.findChild<ComboBox*>("UrodzonyMiasto_DATA_COMBOBOX");
        dialog.fields().setText(u"UrodzonyMiasto_DATA_COMBOBOX", longTown);
        town->lineEdit()->end(false);
        TypeText(town->lineEdit(), "ąb");  // "ą" is one byte in Windows-1250
        auto* pesel = d.findChild<Edit*>("NumerPesel_DATA_EDIT");
        TypeText(pesel, "123456789012345678901234");
    });
    DialogService::instance().showModal(dialog);
    EXPECT_EQ(dialog.fieldText("UrodzonyMiasto_DATA_COMBOBOX"), longTown + u'ą');
    EXPECT_EQ(dialog.fieldText("NumerPesel_DATA_EDIT"), "12345678901234567890");
}

TEST_F(StudentDialogTest, ShowLoadsSortedListsAndKeepsTheTexts)
{
    ErrorStream es;
    bFunStudentDataAddCity(es, "łuków");
    bFunStudentDataAddCity(es, "Żary");
    enter(kNowak);
    dialog.fields().setText(u"UrodzonyMiasto_DATA_COMBOBOX", "Nieznane Miasto");
    dialogs.answerModal(QDialog::Rejected);
    DialogService::instance().showModal(dialog);

    EXPECT_EQ(dialog.fieldText("UrodzonyMiasto_DATA_COMBOBOX"), "Nieznane Miasto");
    EXPECT_EQ(dialog.fieldText("UrodzonyWoj_DATA_COMBOBOX"), "małopolskie");
    const QStringList towns = dialog.fields().find(u"UrodzonyMiasto_DATA_COMBOBOX")->items;
    // Polish order, letter case ignored (the file's byte order would put "Ł" after "Z").
    const QStringList expected = {"Lublin", "Łódź", "łuków", "Zielona Góra", "Żary"};
    QStringList seen;
    for (const QString& town : towns)
        if (expected.contains(town))
            seen << town;
    EXPECT_EQ(seen, expected);
    EXPECT_FALSE(dialog.fields().find(u"UrodzonyWoj_DATA_COMBOBOX")->items.isEmpty());
    EXPECT_TRUE(messages().empty());
}

// The year list offers the birth years of this school's pupils, by the date of the showing;
// a chosen year stays.
TEST_F(StudentDialogTest, YearListFollowsTheDateOfTheShowing)
{
    struct Case {
        QDate today;
        const char* first;
        const char* last;
    };
    const Case cases[] = {{QDate(2026, 3, 1), "2001 r.", "2021 r."},
                          {QDate(2026, 12, 31), "2001 r.", "2021 r."},
                          {QDate(2031, 1, 1), "2006 r.", "2026 r."}};
    dialog.fields().setText(u"UrodzonyRok_DATA_COMBOBOX", "1999 r.");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.today.toString(Qt::ISODate).toStdString());
        FixedClock clock(c.today);
        OsServices* previous = OsServices::install(&clock);
        QStringList shown;
        QString text;
        dialogs.answerModal([&](QDialog& d) {
            auto* years = d.findChild<ComboBox*>("UrodzonyRok_DATA_COMBOBOX");
            for (int i = 0; i < years->count(); ++i)
                shown << years->itemText(i);
            text = years->currentText();
            d.reject();
        });
        DialogService::instance().showModal(dialog);
        OsServices::install(previous);
        ASSERT_EQ(shown.size(), 21);
        EXPECT_EQ(shown.first(), c.first);
        EXPECT_EQ(shown.last(), c.last);
        EXPECT_EQ(text, "1999 r.");
    }
}

TEST_F(StudentDialogTest, ShowReportsListsItCannotRead)
{
    std::filesystem::remove(folders.dataFile("ustawienia.sqset"));
    dialogs.answerModal(QDialog::Rejected).answerMessage(Answer::Ok).answerMessage(Answer::Ok);
    DialogService::instance().showModal(dialog);

    const std::string path = folders.dataFile("ustawienia.sqset");
    EXPECT_EQ(messages(),
              (std::vector<QString>{
                  QString::fromStdString("Błąd|Błąd podczas próby wczytania listy miast.\n"
                                         "Plik nie istnieje.\n" +
                                         path),
                  QString::fromStdString("Błąd|Błąd podczas próby wczytania listy "
                                         "województw.\nPlik nie istnieje.\n" +
                                         path),
              }));
    EXPECT_EQ(dialogs.requestsOf(DialogKind::Message)[0].icon, MsgIcon::Error);
}

TEST_F(StudentDialogTest, StoredNamesAreTheOnesTheLayoutsRead)
{
    std::vector<FieldRecord> records;
    dialog.CollectFields(records);
    QStringList names;
    for (const FieldRecord& r : records)
        names << QString::fromStdString(r.comp_name);
    QStringList expected = LayoutCatalog::builtIn().dialogFields.value("TFDaneUcznia");
    names.sort();
    expected.sort();
    EXPECT_EQ(names, expected);
}

}  // namespace
