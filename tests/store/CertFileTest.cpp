#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "store/CertFile.h"
#include "store/Cp1250.h"
#include "store/Folders.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/TempFolders.h"

namespace {

class CountingProgress : public ProgressSink {
public:
    void Begin(const std::string& info, int steps) override { stages.push_back({info, steps}); }
    void Advance() override { ++position; }
    std::vector<std::pair<std::string, int>> stages;
    int position = 0;
};

std::vector<FieldRecord> Student(const std::string& surname, const std::string& firstName)
{
    return {
        {"DANE UCZNIA", "Nazwisko_DATA_EDIT", surname},
        {"DANE UCZNIA", "Imie_DATA_EDIT", firstName},
        {"KLASA I MUZYCZNA", "ZMIENNA_Uwagi_STR2_DATA_MEMO", "O'Neil `x` żółć\r\ndruga linia ''"},
    };
}

class CertFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ErrorStream setUpErrors;
        file = DataTmpPath(setUpErrors);
        ASSERT_EQ(iFunCheckIsStudentExists(setUpErrors, file, "PESEL1", true), 0);
    }
    std::vector<FieldRecord> Load(const std::string& table)
    {
        std::vector<FieldRecord> list;
        EXPECT_TRUE(bFunLoadCertData(es, file, table, list)) << es.str();
        return list;
    }
    TempFolders folders;
    std::string file;
    ErrorStream es;
};

}  // namespace

TEST_F(CertFile, SaveAndLoadKeepEveryCharacterAndStoreWindows1250)
{
    const auto records = Student("Żółkiewska-O'Brien", "Łucja");
    ASSERT_TRUE(bFunSaveCertData(es, file, "PESEL1", records));
    EXPECT_EQ(Load("PESEL1"), records);
    const std::string hex =
        RawScalar(file, "select hex(value) from PESEL1 where comp_name='Nazwisko_DATA_EDIT'");
    std::string expected;
    for (unsigned char c : Utf8ToCp1250("Żółkiewska-O'Brien")) {
        char h[3];
        std::snprintf(h, sizeof h, "%02X", c);
        expected += h;
    }
    EXPECT_EQ(hex, expected);
    EXPECT_TRUE(es.empty());
}

TEST_F(CertFile, SavingOverAnExistingTableIsRefused)
{
    ASSERT_TRUE(bFunSaveCertData(es, file, "PESEL1", Student("A", "B")));
    EXPECT_FALSE(bFunSaveCertData(es, file, "PESEL1", Student("C", "D")));
    EXPECT_EQ(es.str(), "Tablica już istnieje: PESEL1");
    EXPECT_EQ(Load("PESEL1")[0].value, "A");
}

TEST_F(CertFile, EmptyRecordListMakesAnEmptyTable)
{
    ASSERT_TRUE(bFunSaveCertData(es, file, "PESEL1", {}));
    EXPECT_EQ(iFunCheckIsStudentExists(es, file, "PESEL1", false), 1);
    EXPECT_TRUE(Load("PESEL1").empty());
}

TEST_F(CertFile, ProgressAdvancesOncePerRow)
{
    CountingProgress progress;
    ASSERT_TRUE(ReplaceStudentTable(es, file, "PESEL1", Student("A", "B"), &progress));
    EXPECT_EQ(progress.position, 3);
    EXPECT_TRUE(progress.stages.empty());  // the caller sets the range
}

TEST_F(CertFile, ReplaceWritesTheNewRowsOnly)
{
    ASSERT_TRUE(ReplaceStudentTable(es, file, "PESEL1", Student("A", "B")));
    const std::vector<FieldRecord> second = {{"DANE UCZNIA", "Nazwisko_DATA_EDIT", "Nowak"}};
    ASSERT_TRUE(ReplaceStudentTable(es, file, "PESEL1", second));
    EXPECT_EQ(Load("PESEL1"), second);
}

TEST_F(CertFile, ReplaceInterruptedByALockKeepsThePreviousTable)
{
    const auto first = Student("Kowalska", "Anna");
    ASSERT_TRUE(ReplaceStudentTable(es, file, "PESEL1", first));
    {
        HeldWriteLock lock(file);
        EXPECT_FALSE(ReplaceStudentTable(es, file, "PESEL1", Student("Nowak", "Jan")));
    }
    EXPECT_EQ(es.str(), "SQLite exception: SQLITE_BUSY");
    ASSERT_FALSE(LogRows().empty());
    EXPECT_EQ(LogRows().back().fun, "bFunSaveCertData()");
    EXPECT_EQ(Load("PESEL1"), first);
}

TEST_F(CertFile, MissingFileMessages)
{
    const std::string missing = folders.dataFile("nic.sqvlm");
    std::vector<FieldRecord> records;
    std::vector<std::string> tables;
    std::vector<StudentEntry> students;
    std::string name;
    struct Case {
        std::function<bool()> call;
        std::string text;
        std::string logName;
    };
    const Case cases[] = {
        {[&] { return bFunLoadCertData(es, missing, "PESEL1", records); }, "Plik nie istnieje: \n",
         "bFunLoadCertData"},
        {[&] { return bFunDeleteTable(es, missing, "PESEL1"); }, "Plik nie istnieje: \n",
         "bFunDeleteTable"},
        {[&] { return bFunSaveCertData(es, missing, "PESEL1", {}); }, "Plik nie istnieje: \n",
         "bFunSaveCertData()"},
        {[&] { return ReplaceStudentTable(es, missing, "PESEL1", {}); }, "Plik nie istnieje: \n",
         "bFunSaveCertData()"},
        {[&] { return bFunGetTableList(es, missing, tables); },
         "Plik nie istnieje: \n:", "bFunGetTableList"},
        {[&] { return bFunGetStudentsList(es, missing, students); },
         "Plik nie istnieje: \n:", "bFunGetTableList"},
        {[&] { return ReadStudentName(es, missing, "PESEL1", name); }, "Plik nie istnieje: \n",
         "ReadStudentName"},
        {[&] { return iFunCheckIsStudentExists(es, missing, "PESEL1", false) == 0; },
         "Plik nie istnieje: \n", "iFunCheckIsStudentExists"},
    };
    for (const Case& c : cases) {
        es = StreamWithOldText();
        EXPECT_FALSE(c.call()) << c.logName;
        EXPECT_EQ(es.str(), c.text + missing);
        EXPECT_EQ(LogRows().back().fun, c.logName);
        EXPECT_EQ(LogRows().back().info, c.text + missing);
    }
    EXPECT_EQ(iFunCheckIsStudentExists(es, missing, "PESEL1", false), -1);
    EXPECT_FALSE(FileExists(missing));
}

TEST_F(CertFile, LoadingAMissingTableOrANonDatabase)
{
    std::vector<FieldRecord> list;
    EXPECT_FALSE(bFunLoadCertData(es, file, "PESEL9", list));
    EXPECT_EQ(es.str(), "Tablica nie istnieje: \nPESEL9");
    const std::string text = folders.dataFile("text.sqvlm");
    {
        std::ofstream(text)
            << "this is not a database, just some text long enough to be a header......";
    }
    EXPECT_FALSE(bFunLoadCertData(es, text, "PESEL1", list));
    EXPECT_EQ(es.str(), "SQL exception: \nUNKNOWN_ERROR");
    EXPECT_EQ(LogRows().back().fun, "bFunLoadCertData()");
}

// A file that is no database opens, and its first statement fails inside the region.
TEST_F(CertFile, NonDatabaseFailsInsideEveryFunctionAsItsDatabaseFailure)
{
    const std::string text = folders.dataFile("text.sqvlm");
    {
        std::ofstream(text)
            << "this is not a database, just some text long enough to be a header......";
    }
    std::vector<std::string> tables;
    std::vector<StudentEntry> students;
    std::string name;
    struct Case {
        std::function<int()> call;
        int result;
        std::string prefix;
        std::string logName;
    };
    const Case cases[] = {
        {[&] { return iFunCheckIsStudentExists(es, text, "PESEL1", false); }, -1,
         "SQLite exception: \n", "iFunCheckIsStudentExists"},
        {[&] { return bFunGetTableList(es, text, tables); }, 0, "SQLite exception: \n",
         "bFunGetTableList"},
        {[&] { return bFunGetStudentsList(es, text, students); }, 0, "SQL exception: \n",
         "bFunGetStudentsList"},
        {[&] { return ReadStudentName(es, text, "PESEL1", name); }, 0, "SQL exception: \n",
         "ReadStudentName"},
        {[&] { return bFunDeleteTable(es, text, "PESEL1"); }, 0, "SQL exception: \n",
         "bFunDeleteTable()"},
        {[&] { return bFunSaveCertData(es, text, "PESEL1", Student("A", "B")); }, 0,
         "SQLite exception: ", "bFunSaveCertData()"},
    };
    for (const Case& c : cases) {
        es = StreamWithOldText();
        EXPECT_EQ(c.call(), c.result) << c.logName;
        EXPECT_EQ(es.str(), c.prefix + "UNKNOWN_ERROR") << c.logName;
        EXPECT_EQ(LogRows().back().fun, c.logName);
        EXPECT_EQ(LogRows().back().info, c.prefix + "UNKNOWN_ERROR");
    }
    EXPECT_TRUE(tables.empty());
    EXPECT_TRUE(students.empty());
}

TEST_F(CertFile, DeleteTableWhetherOrNotItExists)
{
    EXPECT_TRUE(bFunDeleteTable(es, file, "PESEL1"));
    EXPECT_TRUE(LogRows().empty());
    ASSERT_TRUE(bFunSaveCertData(es, file, "PESEL1", Student("A", "B")));
    EXPECT_TRUE(bFunDeleteTable(es, file, "PESEL1"));
    EXPECT_EQ(iFunCheckIsStudentExists(es, file, "PESEL1", false), 0);
}

TEST_F(CertFile, StudentsListSkipsWhatIsNotAStudent)
{
    ASSERT_TRUE(bFunSaveCertData(es, file, "PESEL1", Student("Kowalska", "Anna")));
    ASSERT_TRUE(bFunSaveCertData(es, file, "PESEL2", {{"DANE UCZNIA", "Imie_DATA_EDIT", "Jan"}}));
    RawExec(file,
            "create table broken( a TEXT );"  // no id column
            "create table seq( id INTEGER PRIMARY KEY AUTOINCREMENT, comp_name TEXT, value TEXT );"
            "insert into seq( comp_name ) values( 'x' );"
            "create view v as select 1;"
            "create index i on PESEL1( id );"
            "create table PESEL3( id TEXT, comp_name TEXT, value TEXT );"
            "insert into PESEL3 values( 'DANE UCZNIA', 'Nazwisko_DATA_EDIT', NULL );"
            "insert into PESEL3 values( 'DANE UCZNIA', 'Nazwisko_DATA_EDIT', 'Second' );");
    std::vector<StudentEntry> students;
    EXPECT_TRUE(bFunGetStudentsList(es, file, students));
    // "broken" cannot be read and is skipped; sqlite_sequence (made by "seq"), the view and the
    // index are no students
    const std::vector<StudentEntry> expected = {
        {"Kowalska Anna", "PESEL1"}, {" Jan", "PESEL2"}, {" ", "seq"}, {" ", "PESEL3"}};
    EXPECT_EQ(students, expected);
    EXPECT_EQ(es.str(), "SQL exception: \nSQLITE_ERROR");
    EXPECT_EQ(LogRows().back().fun, "bFunGetStudentsList");

    std::vector<std::string> tables;
    EXPECT_TRUE(bFunGetTableList(es, file, tables));
    EXPECT_EQ(tables.size(), 8u);  // every schema object
}

TEST_F(CertFile, OneStudentsNameIsTheOneTheListGives)
{
    ASSERT_TRUE(bFunSaveCertData(es, file, "PESEL1", Student("Kowalska", "Anna")));
    RawExec(file, "create table PESEL3( id TEXT, comp_name TEXT, value TEXT );"
                  "insert into PESEL3 values( 'DANE UCZNIA', 'Nazwisko_DATA_EDIT', 'First' );"
                  "insert into PESEL3 values( 'DANE UCZNIA', 'Nazwisko_DATA_EDIT', 'Second' );"
                  "create table broken( a TEXT );");
    const struct {
        const char* table;
        bool read;
        const char* name;
    } cases[] = {
        {"PESEL1", true, "Kowalska Anna"},
        {"PESEL3", true, "First "},  // the first row of a field, no first name
        {"broken", false, ""},
    };
    for (const auto& c : cases) {
        std::string name;
        EXPECT_EQ(ReadStudentName(es, file, c.table, name), c.read) << c.table;
        EXPECT_EQ(name, c.name) << c.table;
    }
    EXPECT_EQ(es.str(), "SQL exception: \nSQLITE_ERROR");
    EXPECT_EQ(LogRows().back().fun, "ReadStudentName");
}

TEST_F(CertFile, EmptyFileHasNoStudents)
{
    std::vector<StudentEntry> students;
    std::vector<std::string> tables;
    EXPECT_TRUE(bFunGetStudentsList(es, file, students));
    EXPECT_TRUE(bFunGetTableList(es, file, tables));
    EXPECT_TRUE(students.empty());
    EXPECT_TRUE(tables.empty());
}

TEST_F(CertFile, TableNamesWithQuotesWork)
{
    const std::string table = "PESEL`1'2";
    ASSERT_TRUE(ReplaceStudentTable(es, file, table, Student("A", "B"))) << es.str();
    EXPECT_EQ(iFunCheckIsStudentExists(es, file, table, false), 1);
    EXPECT_EQ(Load(table).size(), 3u);
    std::vector<StudentEntry> students;
    EXPECT_TRUE(bFunGetStudentsList(es, file, students));
    ASSERT_EQ(students.size(), 1u);
    EXPECT_EQ(students[0], (StudentEntry{"A B", table}));
    EXPECT_TRUE(bFunDeleteTable(es, file, table));
}

TEST_F(CertFile, NullColumnsLoadAsEmptyText)
{
    RawExec(file, "create table PESEL5( id TEXT, comp_name TEXT, value TEXT );"
                  "insert into PESEL5 values( NULL, 'a', NULL );");
    EXPECT_EQ(Load("PESEL5"), (std::vector<FieldRecord>{{"", "a", ""}}));
}
