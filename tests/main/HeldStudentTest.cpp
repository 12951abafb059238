// A student whose load failed leaves the forms holding the student loaded before, while
// the tree shows him chosen. The commands that save (the student dialog, a form's "OK")
// then load the chosen student first, or refuse: the held student's data never go into
// the chosen one's place, and the chosen one's table is never dropped.
#include "tests/main/WorkflowTestSupport.h"

#include <QDialog>

#include <sqlite3.h>

#include "forms/DocumentForm.h"
#include "forms/dialogs/StudentDialog.h"
#include "main/Glowna.h"
#include "store/CppSQLite3.h"

namespace {

const QString kGrade = "ZMIENNA_ObowiazkowyEduOcn1_STR2_DATA_COMBOBOX";
const QString kClassII = "ART-II/205/3 świad. klasa II";
const QString kLoadFailed = "Błąd podczas próby wczytania danych.\n\n";
const QString kRefused = "Dane ucznia:\nBorek Anna\nnie zostały wczytane, więc nie można ich teraz "
                         "edytować ani zapisać.";

}  // namespace

class HeldStudentTest : public WorkflowTest {
protected:
    void SetUp() override
    {
        WorkflowTest::SetUp();
        addStudent({"Adamski", "Piotr", "111"});
        addStudent({"Borek", "Anna", "222", "kobieta"});
        click(studentNode("Adamski Piotr"));
        adamski = storedRows(workingCopy(), "PESEL111");
        borek = storedRows(workingCopy(), "PESEL222");
        dialogs.clearRequests();
    }
    void TearDown() override
    {
        unlock();
        WorkflowTest::TearDown();
    }

    // Another program holds the working copy: every read fails at once (SQLITE_BUSY).
    void lock()
    {
        CppSQLite3DB::SetDefaultBusyTimeout(0);
        ASSERT_EQ(sqlite3_open(workingCopy().c_str(), &locker), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(locker, "begin exclusive;", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    void unlock()
    {
        if (!locker)
            return;
        sqlite3_exec(locker, "rollback;", nullptr, nullptr, nullptr);
        sqlite3_close(locker);
        locker = nullptr;
        CppSQLite3DB::SetDefaultBusyTimeout(60000);
    }
    // Borek's node (or one of his documents) clicked while his load fails: the forms keep
    // Adamski.
    void chooseBorekWhoseLoadFails(const QString& label = QString())
    {
        lock();
        dialogs.answerMessage(Answer::Ok);
        click(label.isEmpty() ? studentNode("Borek Anna") : documentNode("Borek Anna", label));
        ASSERT_EQ(messages().size(), 1u);
        ASSERT_TRUE(messages()[0].text.startsWith(kLoadFailed));
        ASSERT_EQ(FDaneUcznia->fieldText("Nazwisko_DATA_EDIT"), "Adamski");
        ASSERT_EQ(window().SelectedNodeText(1), "Borek Anna");
    }

    sqlite3* locker = nullptr;
    std::vector<FieldRecord> adamski;
    std::vector<FieldRecord> borek;
};

TEST_F(HeldStudentTest, StudentDialogAfterAFailedLoadShowsAndSavesTheChosenStudent)
{
    chooseBorekWhoseLoadFails();
    unlock();
    QString shown;
    dialogs.answerModal([&](QDialog& dialog) {
        shown = FDaneUcznia->fieldText("Nazwisko_DATA_EDIT");
        FDaneUcznia->fields().setText(u"NrDziennika_DATA_EDIT", "7");
        Press(dialog, "OK");
    });
    window().EdytujDaneUczniaToolButtonClick();

    EXPECT_EQ(shown, "Borek");
    EXPECT_EQ(messages().size(), 1u);  // the failed load's, nothing asked
    EXPECT_EQ(storedRows(workingCopy(), "PESEL111"), adamski);
    const std::vector<FieldRecord> saved = storedRows(workingCopy(), "PESEL222");
    ASSERT_EQ(saved.size(), borek.size());
    EXPECT_EQ(saved[7].comp_name, "Nazwisko_DATA_EDIT");
    EXPECT_EQ(saved[7].value, Cp1250Hex("Borek"));
    EXPECT_EQ(rootTexts(), (QStringList{"Adamski Piotr", "Borek Anna"}));
}

TEST_F(HeldStudentTest, FormOkAfterAFailedLoadSavesTheChosenStudent)
{
    chooseBorekWhoseLoadFails(kClassII);
    unlock();
    QString nameShown;
    editSelectedDocument([&](DocumentForm& certificate, QDialog& dialog) {
        nameShown = certificate.text(u"ZMIENNA_ImieNazwisko_STR1_DATA_EDIT");
        certificate.setText(kGrade, "celujący");
        Press(dialog, "OK");
    });

    EXPECT_EQ(nameShown, "Anna Borek");
    EXPECT_EQ(storedRows(workingCopy(), "PESEL111"), adamski);
    bool graded = false;
    for (const FieldRecord& row : storedRows(workingCopy(), "PESEL222"))
        graded =
            graded || (row.comp_name == kGrade.toStdString() && row.value == Cp1250Hex("celujący"));
    EXPECT_TRUE(graded);
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(HeldStudentTest, CommandsThatSaveRefuseWhileTheChosenStudentCannotBeLoaded)
{
    const std::vector<std::pair<const char*, void (TFGlowna::*)()>> commands = {
        {"Edytuj dane ucznia", &TFGlowna::EdytujDaneUczniaToolButtonClick},
        {"Edytuj wybrane świadectwo", &TFGlowna::EdytujSwiadectwoToolButtonClick},
    };
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        chooseBorekWhoseLoadFails(kClassII);
        dialogs.answerMessage(Answer::Ok).answerMessage(Answer::Ok);
        (window().*command)();
        unlock();

        ASSERT_EQ(messages().size(), 3u);
        EXPECT_TRUE(messages()[1].text.startsWith(kLoadFailed));
        EXPECT_EQ(messages()[2].text, kRefused);
        EXPECT_EQ(messages()[2].icon, MsgIcon::Warning);
        EXPECT_TRUE(dialogs.requestsOf(DialogKind::Modal).empty());
        EXPECT_EQ(storedRows(workingCopy(), "PESEL111"), adamski);
        EXPECT_EQ(storedRows(workingCopy(), "PESEL222"), borek);
        dialogs.clearRequests();
    }
}
