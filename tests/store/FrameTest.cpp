// The protected region of the data functions: a database exception inside it becomes a
// false result with the prefix and the code's name in the stream, logged; nothing else is
// caught, and a success leaves the stream alone.
#include <gtest/gtest.h>

#include <stdexcept>

#include "store/Frame.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/TempFolders.h"

TEST(Guarded, DatabaseFailureRollsBackThenReportsAndLogsTheCodeName)
{
    TempFolders folders;
    const std::string file = folders.dataFile("frame.sqdb");
    RawExec(file, "create table t( v TEXT )");
    CppSQLite3DB db;
    db.Open(file);
    ErrorStream es = StreamWithOldText();

    const bool result = Guarded(es, {"SqlException\n", "bFunFrame()", &db}, [&] {
        db.RunUpdate("begin transaction;");
        db.RunUpdate("insert into t( v ) values( 'x' )");
        db.RunUpdate("insert into nosuchtable( v ) values( 'x' )");
        return true;
    });

    EXPECT_FALSE(result);
    EXPECT_EQ(es.str(), "SqlException\nSQLITE_ERROR");
    ASSERT_EQ(LogRows().size(), 1u);
    EXPECT_EQ(LogRows()[0].fun, "bFunFrame()");
    EXPECT_EQ(LogRows()[0].info, "SqlException\nSQLITE_ERROR");
    // The same connection would still see its own row had the transaction stayed open.
    EXPECT_EQ(db.RunScalar("select count(*) from t"), 0);
}

TEST(Guarded, WithoutLogNameReportsButDoesNotLog)
{
    TempFolders folders;
    ErrorStream es;
    const bool result = Guarded(es, {"SQLite exception: ", nullptr}, []() -> bool {
        throw CppSQLite3Exception(5, "database is locked");
    });
    EXPECT_FALSE(result);
    EXPECT_EQ(es.str(), "SQLite exception: SQLITE_BUSY");
    EXPECT_TRUE(LogRows().empty());
}

TEST(Guarded, ResultOfTheBodyPassesAndTheStreamKeepsItsText)
{
    TempFolders folders;
    for (const bool bodyResult : {true, false}) {
        ErrorStream es = StreamWithOldText();
        EXPECT_EQ(Guarded(es, {"Sql exception: ", "bFunFrame()"}, [&] { return bodyResult; }),
                  bodyResult);
        EXPECT_EQ(es.str(), "older message");
    }
    EXPECT_TRUE(LogRows().empty());
}

// The database exception is a standard error now: the region must not swallow the others.
TEST(Guarded, OtherExceptionsReachTheCaller)
{
    TempFolders folders;
    ErrorStream es = StreamWithOldText();
    EXPECT_THROW(Guarded(es, {"Sql exception: ", "bFunFrame()"},
                         []() -> bool { throw std::runtime_error("disk"); }),
                 std::runtime_error);
    EXPECT_EQ(es.str(), "older message");
    EXPECT_TRUE(LogRows().empty());
}
