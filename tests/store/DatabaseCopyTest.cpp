// Copies of SQLite files as SQLite reads them: a hot journal played back, commits found only
// in the write-ahead log taken in, damage named, the user's files never written; and a file
// replaced without a stale journal or log left beside it.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "store/CertFile.h"
#include "store/DatabaseCopy.h"
#include "store/Folders.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/SqliteStates.h"
#include "tests/support/TempFolders.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kTable = "PESEL02270803628";
constexpr const char* kLateTable = "PESEL85050554321";

std::vector<FieldRecord> Student(int rows)
{
    std::vector<FieldRecord> records;
    for (int i = 0; i < rows; ++i)
        records.push_back({"KLASA I MUZYCZNA",
                           "ZMIENNA_Pole" + std::to_string(i) + "_STR1_DATA_EDIT",
                           "Zażółć gęślą jaźń " + std::string(300, 'x') + std::to_string(i)});
    return records;
}

class DatabaseCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        original = folders.root() + "/klasa.sqvlm";
        user = folders.root() + "/klasa 4b.sqvlm";
        target = folders.dataFile("kopia.sqtmp");
        ASSERT_EQ(iFunCheckIsStudentExists(es, original, kTable, true), 0) << es.str();
        ASSERT_TRUE(bFunSaveCertData(es, original, kTable, Student(400))) << es.str();
    }

    std::vector<FieldRecord> Load(const std::string& file, const std::string& table)
    {
        std::vector<FieldRecord> rows;
        EXPECT_TRUE(bFunLoadCertData(es, file, table, rows)) << es.str();
        return rows;
    }

    TempFolders folders;
    ErrorStream es;
    std::string original;
    std::string user;
    std::string target;
};

}  // namespace

TEST_F(DatabaseCopy, AWriteCutOffIsPlayedBackFromItsJournal)
{
    CopyMidTransaction(original, user,
                       std::string("update ") + kTable + " set value = value || value || value");
    ASSERT_NE(QuickCheckOfMainFileAlone(user), "ok");
    const auto before = FilesBeside(user);
    ASSERT_EQ(before.size(), 2u);

    const DatabaseCopyResult copy = CopyDatabaseAsRead(user, target);

    EXPECT_EQ(copy.error, 0);
    EXPECT_EQ(copy.damage, "");
    EXPECT_EQ(QuickCheck(target), "ok");
    EXPECT_EQ(Load(target, kTable), Student(400));
    EXPECT_EQ(RawColumn(target, std::string("select value from ") + kTable),
              RawColumn(original, std::string("select value from ") + kTable));
    EXPECT_EQ(FilesBeside(target).size(), 1u);
    EXPECT_TRUE(FilesBeside(user) == before);
}

TEST_F(DatabaseCopy, CommitsFoundOnlyInTheLogAreTakenIn)
{
    const std::string late = std::string("create table ") + kLateTable +
                             "(id TEXT, comp_name TEXT, value TEXT); insert into " + kLateTable +
                             " values('DANE UCZNIA', 'Nazwisko_DATA_EDIT', 'Późna')";
    CopyWithCommitInLog(original, user, late);
    ASSERT_TRUE(fs::exists(user + "-wal"));
    const auto before = FilesBeside(user);

    const DatabaseCopyResult copy = CopyDatabaseAsRead(user, target);

    EXPECT_EQ(copy.error, 0);
    EXPECT_EQ(copy.damage, "");
    EXPECT_EQ(Load(target, kLateTable),
              (std::vector<FieldRecord>{{"DANE UCZNIA", "Nazwisko_DATA_EDIT", "Późna"}}));
    EXPECT_EQ(Load(target, kTable), Student(400));
    // A single file in rollback-journal mode: nothing of it lives in a log any more.
    EXPECT_EQ(RawScalar(target, "pragma journal_mode"), "delete");
    EXPECT_EQ(FilesBeside(target).size(), 1u);
    EXPECT_TRUE(FilesBeside(user) == before);
}

TEST_F(DatabaseCopy, DamageIsNamedInAFewLines)
{
    CopyMidTransaction(original, user,
                       std::string("update ") + kTable + " set value = value || value || value");
    fs::remove(user + "-journal");

    const DatabaseCopyResult copy = CopyDatabaseAsRead(user, target);

    EXPECT_EQ(copy.error, 0);
    ASSERT_NE(copy.damage, "");
    EXPECT_LE(std::count(copy.damage.begin(), copy.damage.end(), '\n'), 4) << copy.damage;
    EXPECT_TRUE(fs::exists(target));
}

TEST_F(DatabaseCopy, NoFileNoCopy)
{
    EXPECT_EQ(CopyDatabaseAsRead(folders.root() + "/brak.sqvlm", target).error, ENOENT);
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(CopyDatabaseAsRead(folders.root(), target).error, EISDIR);
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(DatabaseCopy, AReplacedFileKeepsNoStaleJournalOrLog)
{
    for (const bool log : {false, true}) {
        SCOPED_TRACE(log ? "log" : "journal");
        const std::string other = folders.root() + "/inna.sqvlm";
        ASSERT_EQ(iFunCheckIsStudentExists(es, other, kLateTable, true), 0) << es.str();
        ASSERT_TRUE(bFunDeleteTable(es, other, kLateTable)) << es.str();
        ASSERT_TRUE(bFunSaveCertData(es, other, kLateTable, Student(3))) << es.str();
        const std::string change =
            std::string("update ") + kTable + " set value = value || value || value";
        if (log)
            CopyWithCommitInLog(original, user, change);
        else
            CopyMidTransaction(original, user, change);

        EXPECT_EQ(ReplaceDatabaseFile(other, user), 0);

        EXPECT_EQ(FilesBeside(user).size(), 1u);
        EXPECT_EQ(QuickCheck(user), "ok");
        EXPECT_TRUE(FileBytes(user) == FileBytes(other));
        EXPECT_EQ(Load(user, kLateTable), Student(3));
        fs::remove(other);
    }
}

TEST_F(DatabaseCopy, AFileAnotherProgramHoldsIsNotReplaced)
{
    const std::string other = folders.root() + "/inna.sqvlm";
    ASSERT_EQ(iFunCheckIsStudentExists(es, other, kLateTable, true), 0) << es.str();
    const std::string before = FileBytes(original);
    {
        WriterInAnotherProcess writer(original);
        EXPECT_TRUE(DatabaseInUse(original));
        EXPECT_EQ(ReplaceDatabaseFile(other, original), EBUSY);
        EXPECT_TRUE(FileBytes(original) == before);
    }
    EXPECT_FALSE(DatabaseInUse(original));
    EXPECT_EQ(ReplaceDatabaseFile(other, original), 0);
}
