// Adding, editing and deleting students, and saving one student when the file is locked.
#include "tests/main/WorkflowTestSupport.h"

#include <QDialog>
#include <QTreeWidgetItem>

#include <sqlite3.h>

#include <filesystem>

#include "forms/DocumentForm.h"
#include "forms/FormRegistry.h"
#include "forms/dialogs/StudentDialog.h"
#include "main/Glowna.h"
#include "store/CertFile.h"
#include "store/CppSQLite3.h"
#include "store/Folders.h"

namespace {

const QString kPromotion = "ZMIENNA_PromocjiE_STR1_DATA_EDIT";

bool HasTable(const std::string& file, const std::string& table)
{
    ErrorStream es;
    return iFunCheckIsStudentExists(es, file, table, false) == 1;
}

}  // namespace

TEST_F(WorkflowTest, AddThenCancelLeavesClearedFormsWithTheNewStudentEndings)
{
    storeStudent({"Adamski", "Piotr", "111"});
    ASSERT_TRUE(window().ReloadStudentsList());
    click(studentNode("Adamski Piotr"));
    form("TFSwiad205kl3").setText(kPromotion, "a");

    dialogs.answerModal([](QDialog& dialog) { Press(dialog, "Anuluj"); });
    window().DodajUczniaToolButtonClick();
    EXPECT_EQ(window().Modified, 1);
    EXPECT_EQ(FDaneUcznia->fieldText("Nazwisko_DATA_EDIT"), "");
    // The forms' own data names the endings; the class certificates always have one.
    QStringList withEnding;
    for (const auto& document : FormRegistry::instance().forms()) {
        if (document->find(kPromotion) < 0)
            continue;
        const bool preset = document->definition().presets.contains("newStudent");
        EXPECT_EQ(document->text(kPromotion), preset ? "ę" : "")
            << document->className().toStdString();
        if (preset)
            withEnding << document->className();
    }
    // Exactly the thirteen certificates without distinction; no "-w" form gets one.
    withEnding.sort();
    EXPECT_EQ(withEnding,
              (QStringList{"TFSwiad200", "TFSwiad200a", "TFSwiad201", "TFSwiad201b", "TFSwiad201c",
                           "TFSwiad203", "TFSwiad205a", "TFSwiad205kl1", "TFSwiad205kl2",
                           "TFSwiad205kl3", "TFSwiad205kl4", "TFSwiad205kl5", "TFSwiad205kl6"}));
    EXPECT_EQ(rootTexts(), QStringList{"Adamski Piotr"});
}

TEST_F(WorkflowTest, ChangedPeselMovesTheStudentToItsNewTable)
{
    addStudent({"Adamski", "Piotr", "111"});
    click(studentNode("Adamski Piotr"));
    dialogs.answerModal([](QDialog& dialog) {
        FDaneUcznia->fields().setText(u"NumerPesel_DATA_EDIT", "999");
        Press(dialog, "OK");
    });
    window().EdytujDaneUczniaToolButtonClick();
    EXPECT_FALSE(HasTable(workingCopy(), "PESEL111"));
    EXPECT_TRUE(HasTable(workingCopy(), "PESEL999"));
    EXPECT_EQ(studentNode("Adamski Piotr")->data(0, Qt::UserRole).toString(), "PESEL999");
    EXPECT_TRUE(messages().empty());
}

TEST_F(WorkflowTest, NewStudentWithAnExistingPeselAsksBeforeOverwriting)
{
    addStudent({"Adamski", "Piotr", "111"});
    dialogs.answerModal([this](QDialog& dialog) {
        dialogs.answerMessage(Answer::No);
        FillStudentDialog({"Borek", "Anna", "111", "kobieta"});
        Press(dialog, "OK");
        EXPECT_TRUE(dialog.isVisible());
        Press(dialog, "Anuluj");
    });
    window().DodajUczniaToolButtonClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].caption, "Zapis");
    EXPECT_EQ(rootTexts(), QStringList{"Adamski Piotr"});
}

TEST_F(WorkflowTest, StudentCommandsWithoutSelectionSayNoStudentWasChosen)
{
    for (void (TFGlowna::*command)() :
         {&TFGlowna::EdytujDaneUczniaToolButtonClick, &TFGlowna::UsunUczniaToolButtonClick}) {
        window().Modified = 0;
        dialogs.answerMessage(Answer::Ok);
        (window().*command)();
        EXPECT_EQ(window().Modified, 1);
    }
    dialogs.answerMessage(Answer::Ok).answerMessage(Answer::Ok);
    window().EdytujSwiadectwoToolButtonClick();
    window().DrukujToolButtonClick();
    const std::vector<std::pair<QString, QString>> expected = {
        {"Nie wybrano ucznia z listy", "Brak wyboru"},
        {"Nie wybrano ucznia z listy", "Brak wyboru"},
        {"Nie wybrano świadectwa z listy", "Brak wyboru"},
        {"Zaznacz świadectwo które chciesz wydrukować", "Brak wyboru"},
    };
    ASSERT_EQ(messages().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(messages()[i].text, expected[i].first);
        EXPECT_EQ(messages()[i].caption, expected[i].second);
        EXPECT_EQ(messages()[i].icon, MsgIcon::Warning);
    }
}

TEST_F(WorkflowTest, SchoolTemplateReminderComesBeforeTheSelectionCheck)
{
    storeSetting("create_school_data_template", 1);
    dialogs.answerMessage(Answer::Yes)
        .answerModal([](QDialog& dialog) { Press(dialog, "Anuluj"); })
        .answerMessage(Answer::Ok);
    window().EdytujSwiadectwoToolButtonClick();
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(
        messages()[0].text,
        "Szablon danych szkoły nie został jeszcze utworzony.\nCzy chcesz utworzyć szablon teraz ?");
    EXPECT_EQ(messages()[0].caption, "Szablon");
    EXPECT_EQ(messages()[1].text, "Nie wybrano świadectwa z listy");
    // Showing the template dialog ends the reminder.
    EXPECT_EQ(storedSetting("create_school_data_template"), 0);
}

TEST_F(WorkflowTest, FailedDeleteIsReportedAndKeepsTheStudent)
{
    addStudent({"Adamski", "Piotr", "111"});
    click(studentNode("Adamski Piotr"));
    CppSQLite3DB::SetDefaultBusyTimeout(0);
    sqlite3* locker = nullptr;
    ASSERT_EQ(sqlite3_open(workingCopy().c_str(), &locker), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(locker, "begin exclusive;", nullptr, nullptr, nullptr), SQLITE_OK);
    // The reload after the failed drop cannot read the locked file either.
    dialogs.answerMessage(Answer::Yes).answerMessage(Answer::Ok).answerMessage(Answer::Ok);
    window().UsunUczniaToolButtonClick();
    sqlite3_exec(locker, "rollback;", nullptr, nullptr, nullptr);
    sqlite3_close(locker);
    CppSQLite3DB::SetDefaultBusyTimeout(60000);

    ASSERT_EQ(messages().size(), 3u);
    EXPECT_TRUE(messages()[1].text.startsWith("Błąd podczas próby usunięcia danych ucznia.\n\n"));
    EXPECT_EQ(messages()[1].icon, MsgIcon::Error);
    EXPECT_EQ(messages()[2].text, "Błąd podczas próby wczytania listy uczniów");
    EXPECT_TRUE(HasTable(workingCopy(), "PESEL111"));
}

TEST_F(WorkflowTest, SaveIntoALockedFileKeepsTheOldTableAndTheFormOpen)
{
    addStudent({"Adamski", "Piotr", "111"});
    const QString grade = "ZMIENNA_ObowiazkowyEduOcn1_STR2_DATA_COMBOBOX";
    click(documentNode("Adamski Piotr", "ART-II/205/3 świad. klasa II"));
    const std::vector<FieldRecord> before = storedRows(workingCopy(), "PESEL111");

    CppSQLite3DB::SetDefaultBusyTimeout(0);
    sqlite3* locker = nullptr;
    ASSERT_EQ(sqlite3_open(workingCopy().c_str(), &locker), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(locker, "begin exclusive;", nullptr, nullptr, nullptr), SQLITE_OK);

    editSelectedDocument([&](DocumentForm& certificate, QDialog& dialog) {
        dialogs.answerMessage(Answer::Ok);
        certificate.setText(grade, "celujący");
        Press(dialog, "OK");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(certificate.text(grade), "celujący");
        sqlite3_exec(locker, "rollback;", nullptr, nullptr, nullptr);
        Press(dialog, "Anuluj");
    });
    sqlite3_close(locker);
    CppSQLite3DB::SetDefaultBusyTimeout(60000);

    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.startsWith("Błąd zapisu danych.\n\nSQLite exception: "))
        << messages()[0].text.toStdString();
    EXPECT_EQ(messages()[0].caption, "Błąd");
    EXPECT_EQ(storedRows(workingCopy(), "PESEL111"), before);
    // "Anuluj": the form shows the stored value again.
    EXPECT_EQ(form("TFSwiad205kl2").text(grade), "");
}

TEST_F(WorkflowTest, UnreadableSettingsStopTheEditCommandFirst)
{
    addStudent({"Adamski", "Piotr", "111"});
    click(documentNode("Adamski Piotr", "ART-II/205/3 świad. klasa II"));
    window().Modified = 0;
    ErrorStream es;
    ASSERT_TRUE(std::filesystem::remove(SettingsFilePath(es, false)));

    dialogs.clearRequests();
    dialogs.answerMessage(Answer::Ok);
    window().EdytujSwiadectwoToolButtonClick();

    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Błąd uzyskania zmiennej z pliku ustawień");
    EXPECT_EQ(messages()[0].caption, "Błąd");
    EXPECT_EQ(messages()[0].icon, MsgIcon::Error);
    EXPECT_TRUE(dialogs.requestsOf(DialogKind::Modal).empty());
    EXPECT_EQ(window().Modified, 0);
}
