// Certificates and calibration files in the states other programs leave them in. "Otwórz
// plik" shows what SQLite reads of the file (a write cut off played back, commits found only
// in the log taken in) and names damage, "Zapisz" leaves no stale journal or log beside the
// file it writes, and neither the open nor the calibration import writes the chosen file.
#include "tests/main/WorkflowTestSupport.h"

#include <filesystem>
#include <map>

#include "main/Glowna.h"
#include "render/Catalogue.h"
#include "store/Calibration.h"
#include "store/CertFile.h"
#include "store/Folders.h"
#include "tests/support/SqliteStates.h"

namespace fs = std::filesystem;

namespace {

// A change that spills into the main file before its commit: every value of the first
// student three times as long, and the second student dropped.
constexpr const char* kLargeChange =
    "update `PESEL11111111111` set value = value || value || value;"
    "drop table `PESEL22222222222`;";

constexpr const char* kLateStudent =
    "create table `PESEL44444444444`(id TEXT, comp_name TEXT, value TEXT);"
    "insert into `PESEL44444444444` values('DANE UCZNIA', 'Nazwisko_DATA_EDIT', 'Zięba'),"
    "('DANE UCZNIA', 'Imie_DATA_EDIT', 'Ewa');";

class FileStates : public WorkflowTest {
protected:
    void SetUp() override
    {
        WorkflowTest::SetUp();
        ErrorStream es;
        for (const auto& [table, surname, firstName] :
             {std::tuple{"PESEL11111111111", "Adamski", "Piotr"},
              std::tuple{"PESEL22222222222", "Nowak", "Anna"}}) {
            ASSERT_GE(iFunCheckIsStudentExists(es, school, table, true), 0) << es.str();
            std::vector<FieldRecord> rows = {{"DANE UCZNIA", "Nazwisko_DATA_EDIT", surname},
                                             {"DANE UCZNIA", "Imie_DATA_EDIT", firstName}};
            // Enough certificate text that a change of it fills many pages.
            for (int i = 0; i < 400; ++i)
                rows.push_back({"KLASA I MUZYCZNA",
                                "ZMIENNA_Pole" + std::to_string(i) + "_STR1_DATA_EDIT",
                                std::string(300, 'x')});
            ASSERT_TRUE(bFunSaveCertData(es, school, table, rows)) << es.str();
        }
    }

    void open(const std::string& path)
    {
        dialogs.answerOpenFile(QString::fromStdString(path));
        window().OtworzPlikToolButtonClick();
    }

    static QStringList StudentsIn(const std::string& file)
    {
        ErrorStream es;
        std::vector<StudentEntry> students;
        EXPECT_TRUE(bFunGetStudentsList(es, file, students)) << es.str();
        QStringList names;
        for (const StudentEntry& student : students)
            names << QString::fromStdString(student.display_name);
        names.sort();
        return names;
    }

    std::string school = folders.root() + "/szkola.sqvlm";
    std::string user = folders.root() + "/klasa 4b.sqvlm";
};

}  // namespace

TEST_F(FileStates, AFileCutOffMidWriteOpensWithItsCommittedStudents)
{
    CopyMidTransaction(school, user, kLargeChange);
    ASSERT_NE(QuickCheckOfMainFileAlone(user), "ok");
    const auto before = FilesBeside(user);

    open(user);

    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(window().currentPath().toStdString(), user);
    EXPECT_EQ(rootTexts(), (QStringList{"Adamski Piotr", "Nowak Anna"}));
    EXPECT_EQ(QuickCheck(workingCopy()), "ok");
    EXPECT_EQ(FilesBeside(workingCopy()).size(), 1u);
    EXPECT_TRUE(FilesBeside(user) == before);
}

TEST_F(FileStates, CommitsFoundOnlyInTheLogAreOpened)
{
    CopyWithCommitInLog(school, user, kLateStudent);
    const std::string mainFileAlone = folders.root() + "/bez logu.sqvlm";
    fs::copy_file(user, mainFileAlone);
    ASSERT_FALSE(StudentsIn(mainFileAlone).contains("Zięba Ewa"));
    const auto before = FilesBeside(user);

    open(user);

    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(rootTexts(), (QStringList{"Adamski Piotr", "Nowak Anna", "Zięba Ewa"}));
    EXPECT_EQ(FilesBeside(workingCopy()).size(), 1u);
    EXPECT_TRUE(FilesBeside(user) == before);
}

TEST_F(FileStates, ADamagedFileOpensWithAWarningThatNamesTheDamage)
{
    CopyMidTransaction(school, user, kLargeChange);
    fs::remove(user + "-journal");
    const std::string check = QuickCheckOfMainFileAlone(user);
    ASSERT_NE(check, "ok");
    const std::string bytes = ReadFile(user);
    dialogs.answerOpenFile(QString::fromStdString(user))
        .answerMessage(Answer::Ok)
        .answerMessage(Answer::Ok);
    window().OtworzPlikToolButtonClick();

    // The damage first, then the student whose table cannot be read.
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].caption, "Błąd");
    const DialogRequest warning = messages()[0];
    EXPECT_EQ(warning.caption, "Uwaga");
    EXPECT_EQ(warning.icon, MsgIcon::Warning);
    EXPECT_TRUE(warning.text.startsWith(
        QString::fromStdString("Plik\n" + user + "\njest uszkodzony. SQLite znajduje w nim:\n")))
        << warning.text.toStdString();
    // SQLite's own first line of the report.
    EXPECT_TRUE(warning.text.contains(QString::fromStdString(check.substr(0, check.find('\n')))));
    EXPECT_EQ(window().currentPath().toStdString(), user);
    EXPECT_TRUE(ReadFile(user) == bytes);
}

TEST_F(FileStates, SaveLeavesNoStaleJournalOrLogBesideTheFile)
{
    for (const bool log : {false, true}) {
        SCOPED_TRACE(log ? "log" : "journal");
        if (log)
            CopyWithCommitInLog(school, user, kLateStudent);
        else
            CopyMidTransaction(school, user, kLargeChange);
        dialogs.clearRequests();
        open(user);
        storeStudent({"Wiśniewska", "Ola", "55555555555"});

        ASSERT_TRUE(window().Zapisz1Click());

        EXPECT_TRUE(messages().empty());
        EXPECT_EQ(FilesBeside(user).size(), 1u);
        EXPECT_TRUE(ReadFile(user) == ReadFile(workingCopy()));
        EXPECT_EQ(QuickCheck(user), "ok");
        EXPECT_EQ(StudentsIn(user), StudentsIn(workingCopy()));
        EXPECT_TRUE(StudentsIn(user).contains("Wiśniewska Ola"));
        fs::remove(user);
    }
}

TEST_F(FileStates, SaveIntoAFileAnotherProgramIsWritingIsRefused)
{
    open(school);
    addStudent({"Wiśniewska", "Ola", "55555555555"});
    const std::string before = ReadFile(school);
    dialogs.answerMessage(Answer::Ok);
    {
        WriterInAnotherProcess other(school);
        EXPECT_FALSE(window().Zapisz1Click());
    }
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].caption, "Błąd");
    EXPECT_TRUE(messages()[0].text.endsWith(
        "Kod błędu: 16\n\nDane nie zostały zapisane.\n\nPlik jest w tej chwili "
        "otwarty w innym programie. Zamknij go tam i zapisz ponownie."))
        << messages()[0].text.toStdString();
    EXPECT_TRUE(ReadFile(school) == before);
    EXPECT_EQ(window().Modified, 1);
}

TEST_F(FileStates, CalibrationImportOnlyReadsTheChosenFile)
{
    ErrorStream es;
    const std::string factory = CalibrationFilePath(es, true);
    const std::string sound = folders.root() + "/kalibracja.sqset";
    const std::string chosen = folders.root() + "/kalibracja szkoły.sqset";
    fs::copy_file(factory, sound);
    std::string change;
    for (std::string_view set : CalibrationSetNames())
        change += "update `" + std::string(set) + "` set font_name = font_name || '" +
                  std::string(200, 'x') + "';";
    CopyMidTransaction(sound, chosen, change);
    const auto before = FilesBeside(chosen);
    ASSERT_EQ(before.size(), 2u);

    dialogs.answerOpenFile(QString::fromStdString(chosen));
    window().Importujustawieniakalibracji1Click();

    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(FilesBeside(chosen) == before);
    const std::string userCalibration = CalibrationFilePath(es, false);
    EXPECT_EQ(FilesBeside(userCalibration).size(), 1u);
    for (std::string_view set : CalibrationSetNames()) {
        std::vector<CalibrationRecord> taken, shipped;
        ASSERT_TRUE(bFunCalibLoadData(es, userCalibration, std::string(set), taken)) << es.str();
        ASSERT_TRUE(bFunCalibLoadData(es, factory, std::string(set), shipped)) << es.str();
        EXPECT_EQ(taken, shipped) << set;
    }
}
