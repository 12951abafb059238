// What a killed save, a damaged log, a deleted lock file or a pipe in place of a file leave
// for the program to meet: none of them may change another file or lose the user's data.
#include "tests/main/WorkflowTestSupport.h"

#include <sqlite3.h>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "forms/dialogs/StudentDialog.h"
#include "main/Glowna.h"
#include "main/ProgramStart.h"
#include "main/Wait.h"
#include "store/CertFile.h"

namespace fs = std::filesystem;

namespace {

void WriteStudents(const std::string& file,
                   const std::vector<std::pair<std::string, std::string>>& students)
{
    ErrorStream es;
    ASSERT_GE(iFunCheckIsStudentExists(es, file, "PESEL", true), 0) << es.str();
    int pesel = 100;
    for (const auto& [surname, firstName] : students) {
        const std::vector<FieldRecord> rows = {
            {"DANE UCZNIA", "Nazwisko_DATA_EDIT", surname},
            {"DANE UCZNIA", "Imie_DATA_EDIT", firstName},
            // Enough bytes per student that the file spans many pages.
            {"DANE UCZNIA", "Uwagi", std::string(6000, 'u')},
        };
        ASSERT_TRUE(ReplaceStudentTable(es, file, "PESEL" + std::to_string(++pesel), rows))
            << es.str();
    }
}

void Exec(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
}

// The state a save killed mid-way leaves: the working copy partly rewritten and SQLite's
// journal beside it. Made by copying both files while a transaction that overflowed its
// cache is still open, then rolling that transaction back.
void LeaveJournalOfAKilledSave(const std::string& working)
{
    const std::string journal = working + "-journal";
    const std::string savedCopy = working + ".kopia", savedJournal = journal + ".kopia";
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(working.c_str(), &db), SQLITE_OK);
    Exec(db, "pragma cache_size = 2");
    Exec(db, "begin");
    Exec(db, "update `PESEL101` set value = value || value");
    Exec(db, "create table `PESEL999`( id TEXT, comp_name TEXT, value TEXT )");
    Exec(db, "insert into `PESEL999` select * from `PESEL101`");
    ASSERT_GT(fs::file_size(journal), 4096u);
    fs::copy_file(working, savedCopy);
    fs::copy_file(journal, savedJournal);
    Exec(db, "rollback");
    sqlite3_close(db);
    fs::rename(savedCopy, working);
    fs::rename(savedJournal, journal);
}

// A file system of its own, of that many bytes, mounted over a folder while the object lives.
class MountedOver {
public:
    MountedOver(const std::string& folder, std::uintmax_t bytes)
        : folder_(folder)
        , mounted_(::mount("tmpfs", folder.c_str(), "tmpfs", 0,
                           ("size=" + std::to_string(bytes / 1024 + 1) + "k").c_str()) == 0)
    {
    }
    ~MountedOver()
    {
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
    }
    MountedOver(const MountedOver&) = delete;
    MountedOver& operator=(const MountedOver&) = delete;
    explicit operator bool() const { return mounted_; }

private:
    std::string folder_;
    bool mounted_;
};

class KilledSaveTest : public WorkflowTest {
protected:
    void SetUp() override {}
};

}  // namespace

TEST_F(KilledSaveTest, JournalLeftByAKilledSaveNeverReachesTheNextFileOpened)
{
    prepareDataFolder();
    WriteStudents(workingCopy(), {{"Obcy", "Adam"}, {"Obcy", "Ewa"}});
    LeaveJournalOfAKilledSave(workingCopy());
    const std::string fileB = folders.root() + "/b.sqvlm";
    WriteStudents(fileB, {{"Bednarz", "Jan"}, {"Bednarz", "Ola"}, {"Bednarz", "Piotr"}});
    const std::string before = ReadFile(fileB);

    WorkflowTest::SetUp();
    EXPECT_FALSE(fs::exists(workingCopy() + "-journal"));
    dialogs.answerOpenFile(QString::fromStdString(fileB));
    window().OtworzPlikToolButtonClick();
    EXPECT_EQ(rootTexts(), (QStringList{"Bednarz Jan", "Bednarz Ola", "Bednarz Piotr"}));
    ASSERT_TRUE(window().Zapisz1Click());

    EXPECT_TRUE(messages().empty());
    std::vector<StudentEntry> students;
    ErrorStream es;
    ASSERT_TRUE(bFunGetStudentsList(es, fileB, students));
    EXPECT_EQ(students.size(), 3u);
    EXPECT_TRUE(ReadFile(fileB) == before);
}

TEST_F(WorkflowTest, DamagedLogChangesNothingTheCommandsDo)
{
    addStudent({"Adamski", "Piotr", "111"});
    const std::string file = folders.root() + "/szkola.sqvlm";
    dialogs.answerSaveFile(QString::fromStdString(file));
    ASSERT_TRUE(window().Zapisz1Click());
    std::ofstream(folders.dataFile("logs.sqdb"), std::ios::binary | std::ios::trunc)
        << std::string(4096, 'x');

    // A failed open ends in the state "no file", with the open's own message.
    const std::string missing = folders.root() + "/brak.sqvlm";
    dialogs.clearRequests();
    dialogs.answerOpenFile(QString::fromStdString(missing)).answerMessage(Answer::Ok);
    window().OtworzPlikToolButtonClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.startsWith("Błąd kopiowania pliku\nz :"))
        << messages()[0].text.toStdString();
    EXPECT_EQ(window().currentPath(), "");
    EXPECT_TRUE(rootTexts().isEmpty());

    // A student save that fails shows the save's message, and its wait window is gone.
    std::ofstream(workingCopy(), std::ios::binary | std::ios::trunc) << std::string(4096, 'x');
    dialogs.clearRequests();
    dialogs.answerMessage(Answer::Ok);
    EXPECT_FALSE(window().SaveStudentData());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.startsWith("Błąd zapisu danych.\n\nSQLite exception: "))
        << messages()[0].text.toStdString();
    EXPECT_EQ(messages()[0].caption, "Błąd");
    ASSERT_NE(FWait, nullptr);
    EXPECT_FALSE(FWait->isVisible());
}

TEST_F(WorkflowTest, PipeNamedLikeACertificatesFileIsRefusedBeforeAnythingIsDeleted)
{
    addStudent({"Adamski", "Piotr", "111"});
    const std::string file = folders.root() + "/szkola.sqvlm";
    dialogs.answerSaveFile(QString::fromStdString(file));
    ASSERT_TRUE(window().Zapisz1Click());
    const std::string working = ReadFile(workingCopy());
    const std::string pipe = folders.root() + "/potok.sqvlm";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    // Held open at both ends, so that no version of the program can wait on it for ever.
    const int keepOpen = ::open(pipe.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(keepOpen, 0);

    dialogs.clearRequests();
    dialogs.answerOpenFile(QString::fromStdString(pipe)).answerMessage(Answer::Ok);
    window().OtworzPlikToolButtonClick();
    ::close(keepOpen);

    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text.toStdString(), "Wybrana nazwa nie wskazuje zwykłego pliku:\n" +
                                                    pipe +
                                                    "\nDane świadectw nie zostały wczytane.");
    EXPECT_EQ(messages()[0].caption, "Błąd");
    EXPECT_EQ(messages()[0].icon, MsgIcon::Error);
    EXPECT_EQ(window().currentPath().toStdString(), file);
    EXPECT_EQ(rootTexts(), QStringList{"Adamski Piotr"});
    EXPECT_TRUE(ReadFile(workingCopy()) == working);
}

namespace {

int RootPage(const std::string& file, const std::string& table)
{
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    const std::string sql = "select rootpage from sqlite_master where name = '" + table + "'";
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr), SQLITE_OK);
    const int page = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int(statement, 0) : 0;
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return page;
}

}  // namespace

TEST_F(WorkflowTest, DamagedFileNamesTheStudentWhoseDataCannotBeRead)
{
    const std::string file = folders.root() + "/uszkodzony.sqvlm";
    WriteStudents(file, {{"Nowak", "Anna"}, {"Nowak", "Ewa"}, {"Nowak", "Jan"}});
    const int page = RootPage(file, "PESEL102");
    ASSERT_GT(page, 1);
    {
        std::fstream bytes(file, std::ios::binary | std::ios::in | std::ios::out);
        bytes.seekp(std::streamoff(page - 1) * 4096);
        bytes << std::string(4096, '\xEE');
    }

    dialogs.answerOpenFile(QString::fromStdString(file))
        .answerMessage(Answer::Ok)
        .answerMessage(Answer::Ok);
    window().OtworzPlikToolButtonClick();

    EXPECT_EQ(rootTexts(), (QStringList{"Nowak Anna", "Nowak Jan"}));
    EXPECT_EQ(window().currentPath().toStdString(), file);
    // SQLite's check names the damage first, then the students that could not be read.
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_TRUE(messages()[0].text.startsWith(
        QString::fromStdString("Plik\n" + file + "\njest uszkodzony.")));
    EXPECT_EQ(messages()[1].text,
              "Nie można odczytać danych uczniów zapisanych w tabelach:\n\nPESEL102\n\n"
              "Plik jest uszkodzony. Pozostali uczniowie zostali wczytani.");
    EXPECT_EQ(messages()[1].caption, "Błąd");
}

TEST_F(WorkflowTest, ZeroByteInAStoredValueIsNamedAndTheStudentStaysSaveable)
{
    const std::string file = folders.root() + "/zero.sqvlm";
    WriteStudents(file, {{"Nowak", "Anna"}});
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
        Exec(db, "insert into `PESEL101` values( 'DANE UCZNIA', 'NrDziennika_DATA_EDIT', '1' || "
                 "char(0) || '7' )");
        sqlite3_close(db);
    }
    dialogs.answerOpenFile(QString::fromStdString(file));
    window().OtworzPlikToolButtonClick();
    dialogs.answerMessage(Answer::Ok);
    click(studentNode("Nowak Anna"));

    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Dane ucznia zapisane w tabeli PESEL101 zawierały niedozwolony "
                                  "znak (bajt zerowy) w polach:\n\n"
                                  "NrDziennika_DATA_EDIT\n\nZnak ten został pominięty, pozostała "
                                  "treść pól została wczytana.");
    EXPECT_EQ(messages()[0].caption, "Uwaga");
    EXPECT_EQ(FDaneUcznia->fieldText("NrDziennika_DATA_EDIT"), "17");

    FDaneUcznia->fields().setText(u"NumerPesel_DATA_EDIT", "101");
    ASSERT_TRUE(window().SaveStudentData()) << window().ErrorStream.str();
    bool found = false;
    for (const FieldRecord& row : storedRows(workingCopy(), "PESEL101"))
        if (row.comp_name == "NrDziennika_DATA_EDIT") {
            found = true;
            EXPECT_EQ(row.value, Cp1250Hex("17"));
        }
    EXPECT_TRUE(found);
    EXPECT_EQ(messages().size(), 1u);
}

class UnwritableDataFolderTest : public WorkflowTest, public ::testing::WithParamInterface<bool> {};

// A read-only data folder, or a full one: the save ends with its own message, the log's
// failure goes no further, and the wait window is gone.
TEST_P(UnwritableDataFolderTest, SaveEndsWithItsMessageAndNoWaitWindow)
{
    const bool full = GetParam();
    addStudent({"Adamski", "Piotr", "111"});
    // The data folder's files on a file system of their own, then made read-only or filled.
    const std::string folder = folders.dataFolder();
    const std::string staging = folders.root() + "/kopia-danych";
    fs::copy(folder, staging, fs::copy_options::recursive);
    std::uintmax_t bytes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(staging))
        if (entry.is_regular_file())
            bytes += entry.file_size();
    // Room for the files and a little more, which a full disk then takes.
    const MountedOver mounted(folder, bytes + 2 * 1024 * 1024);
    if (!mounted)
        GTEST_SKIP() << "this machine does not let the test mount a file system";
    ASSERT_EQ(std::system(("cp -a " + staging + "/. " + folder).c_str()), 0);
    if (full) {
        std::ofstream filler(folder + "/zapelnienie", std::ios::binary);
        const std::string block(1 << 20, 'z');
        while (filler.write(block.data(), std::streamsize(block.size())))
            ;
    } else {
        ASSERT_EQ(::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    }

    dialogs.answerMessage(Answer::Ok);
    const bool saved = window().SaveStudentData();

    EXPECT_FALSE(saved);
    ASSERT_NE(FWait, nullptr);
    EXPECT_FALSE(FWait->isVisible());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.startsWith("Błąd zapisu danych.\n\nSQLite exception: "))
        << messages()[0].text.toStdString();
    EXPECT_EQ(messages()[0].caption, "Błąd");
}

INSTANTIATE_TEST_SUITE_P(ReadOnlyOrFull, UnwritableDataFolderTest, ::testing::Bool(),
                         [](const auto& paramInfo) {
                             return paramInfo.param ? "Full" : "ReadOnly";
                         });
