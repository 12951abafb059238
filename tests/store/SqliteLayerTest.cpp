#include <gtest/gtest.h>
#include <sqlite3.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "store/Cp1250.h"
#include "store/CppSQLite3.h"
#include "store/SqlText.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/TempFolders.h"

namespace {

// Runs `action` and returns the code and message of the exception it throws.
template <typename Action>
CppSQLite3Exception Thrown(Action action)
{
    try {
        action();
    } catch (const CppSQLite3Exception& e) {
        return e;
    }
    ADD_FAILURE() << "no exception";
    return CppSQLite3Exception(-12345, "");
}

class SqliteLayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = folders.dataFile("t.sqlite");
        RawExec(path, "create table t( a TEXT, b INTEGER ); insert into t values( NULL, NULL ); "
                      "insert into t values( 'x', 7 );");
        db.Open(path);
    }
    TempFolders folders;
    std::string path;
    CppSQLite3DB db;
};

}  // namespace

TEST(SqliteCodeName, NamesTheCodesOfTheTable)
{
    const std::pair<int, const char*> cases[] = {
        {0, "SQLITE_OK"},        {1, "SQLITE_ERROR"},       {2, "SQLITE_INTERNAL"},
        {3, "SQLITE_PERM"},      {4, "SQLITE_ABORT"},       {5, "SQLITE_BUSY"},
        {6, "SQLITE_LOCKED"},    {7, "SQLITE_NOMEM"},       {8, "SQLITE_READONLY"},
        {9, "SQLITE_INTERRUPT"}, {10, "SQLITE_IOERR"},      {11, "SQLITE_CORRUPT"},
        {12, "SQLITE_NOTFOUND"}, {13, "SQLITE_FULL"},       {14, "SQLITE_CANTOPEN"},
        {15, "SQLITE_PROTOCOL"}, {16, "SQLITE_EMPTY"},      {17, "SQLITE_SCHEMA"},
        {18, "SQLITE_TOOBIG"},   {19, "SQLITE_CONSTRAINT"}, {20, "SQLITE_MISMATCH"},
        {21, "SQLITE_MISUSE"},   {22, "SQLITE_NOLFS"},      {23, "SQLITE_AUTH"},
        {24, "SQLITE_FORMAT"},   {25, "SQLITE_RANGE"},      {100, "SQLITE_ROW"},
        {101, "SQLITE_DONE"},    {1000, "CPPSQLITE_ERROR"}, {26, "UNKNOWN_ERROR"},
        {266, "UNKNOWN_ERROR"},  {-1, "UNKNOWN_ERROR"},     {99, "UNKNOWN_ERROR"},
        {102, "UNKNOWN_ERROR"},
    };
    for (const auto& [code, name] : cases)
        EXPECT_STREQ(CppSQLite3Exception::CodeName(code), name) << code;
}

TEST(SqliteException, MessageNamesCodeNumberAndText)
{
    EXPECT_EQ(CppSQLite3Exception(1000, "Database not open").Message(),
              "CPPSQLITE_ERROR[1000]: Database not open");
    EXPECT_EQ(CppSQLite3Exception(5, "").Message(), "SQLITE_BUSY[5]: ");
}

TEST(SqliteOpen, MissingFileIsNotCreatedUnlessAsked)
{
    TempFolders folders;
    const std::string path = folders.dataFile("missing.sqlite");
    CppSQLite3DB db;
    EXPECT_EQ(Thrown([&] { db.Open(path); }).Code(), SQLITE_CANTOPEN);
    EXPECT_FALSE(db.IsOpen());
    db.Open(path, CppSQLite3DB::OpenMode::Create);
    EXPECT_TRUE(db.IsOpen());
    EXPECT_EQ(db.BusyTimeout(), 60000);
}

TEST(SqliteOpen, PipesAndFoldersAreRefusedWithoutBeingRead)
{
    TempFolders folders;
    const std::string pipe = folders.root() + "/potok.sqset";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    // Bytes waiting in the pipe, so that no version of the layer can wait on it for ever.
    const int fd = ::open(pipe.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, std::string(200, 'x').data(), 200), 200);
    for (const std::string& path : {pipe, folders.root()}) {
        const CppSQLite3Exception e = Thrown([&] {
            CppSQLite3DB db;
            db.Open(path);
            db.RunScalar("select count(*) from sqlite_master");
        });
        EXPECT_EQ(e.Code(), SQLITE_CANTOPEN) << path;
    }
    ::close(fd);
}

TEST(SqliteOpen, ClosedConnectionRefusesWork)
{
    CppSQLite3DB db;
    const auto e = Thrown([&] { db.RunUpdate("create table x( a )"); });
    EXPECT_EQ(e.Code(), CPPSQLITE_ERROR);
    EXPECT_EQ(e.Message(), "CPPSQLITE_ERROR[1000]: Database not open");
    db.Close();  // harmless without a connection
    db.Close();
}

TEST_F(SqliteLayer, EmptySelectIsAtEndAtOnce)
{
    CppSQLite3Query q = db.RunQuery("select * from t where b = 99");
    EXPECT_TRUE(q.AtEnd());
    EXPECT_EQ(q.ColumnCount(), 2);
}

TEST_F(SqliteLayer, CloseWithOpenStatementFailsAndDestructorSwallows)
{
    auto db2 = std::make_unique<CppSQLite3DB>();
    db2->Open(path);
    CppSQLite3Query q = db2->RunQuery("select * from t");
    const auto e = Thrown([&] { db2->Close(); });
    EXPECT_EQ(e.Code(), CPPSQLITE_ERROR);
    EXPECT_EQ(e.Message(), "CPPSQLITE_ERROR[1000]: Unable to close database");
    EXPECT_TRUE(db2->IsOpen());
    EXPECT_NO_THROW(db2.reset());  // the destructor tries again and swallows the failure
}

TEST_F(SqliteLayer, AssignmentMovesTheStatement)
{
    CppSQLite3Query target;
    CppSQLite3Query source = db.RunQuery("select * from t");
    target = std::move(source);
    EXPECT_FALSE(target.AtEnd());
    const auto e = Thrown([&] { (void)source.AtEnd(); });
    EXPECT_EQ(e.Message(), "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer");
}

TEST_F(SqliteLayer, NullColumnsReadAsNullValueOrEmptyText)
{
    CppSQLite3Query q = db.RunQuery("select * from t order by rowid");
    EXPECT_EQ(q.IntByName("b", -4), -4);
    EXPECT_EQ(q.TextByName("a", "null"), "null");
    EXPECT_EQ(q.ColumnTextByName("a"), "");
    q.Step();
    EXPECT_EQ(q.IntByName("b", -4), 7);
    EXPECT_EQ(q.ColumnTextByName("a"), "x");
    q.Step();
    EXPECT_TRUE(q.AtEnd());
}

TEST_F(SqliteLayer, ColumnLookupFailures)
{
    CppSQLite3Query q = db.RunQuery("select * from t");
    EXPECT_EQ(Thrown([&] { (void)q.ColumnIndex("A"); }).Message(),
              "CPPSQLITE_ERROR[1000]: Invalid field name requested");
    EXPECT_EQ(Thrown([&] { (void)q.ColumnType(2); }).Message(),
              "CPPSQLITE_ERROR[1000]: Invalid field index requested");
    EXPECT_EQ(Thrown([&] { (void)q.ColumnType(-1); }).Code(), CPPSQLITE_ERROR);
}

TEST_F(SqliteLayer, UpdateMatchingNothingReturnsZero)
{
    EXPECT_EQ(db.RunUpdate("update t set b = 1 where b = 99"), 0);
    EXPECT_EQ(db.RunUpdate("update t set b = 1"), 2);
}

TEST_F(SqliteLayer, StatementErrorsCarrySqliteCodes)
{
    EXPECT_EQ(Thrown([&] { db.RunUpdate("create table t( a )"); }).Code(), SQLITE_ERROR);
    EXPECT_EQ(Thrown([&] { db.RunQuery("select * from nowhere"); }).Code(), SQLITE_ERROR);
    const auto e = Thrown([&] { db.RunScalar("select * from t where 0"); });
    EXPECT_EQ(e.Message(), "CPPSQLITE_ERROR[1000]: Invalid scalar query");
}

TEST_F(SqliteLayer, HasTableTakesAnyName)
{
    const std::string names[] = {"O'Neil", "back`quote", std::string(300, 'n'), "Żółć"};
    for (const std::string& name : names) {
        EXPECT_FALSE(db.HasTable(name)) << name;
        std::string quoted = "`";
        for (char c : name)
            quoted += c == '`' ? std::string("``") : std::string(1, c);
        db.RunUpdate("create table " + quoted + "`( a )");
        EXPECT_TRUE(db.HasTable(name)) << name;
    }
}

TEST_F(SqliteLayer, AllBytesRoundTripThroughTextColumn)
{
    db.RunUpdate("create table bytes( b INTEGER, v TEXT )");
    db.RunUpdate("begin transaction;");
    for (int b = 1; b < 256; ++b) {
        const std::string text = Cp1250ToUtf8(std::string(1, static_cast<char>(b)));
        std::string literal = text == "'" ? "''''" : "'" + text + "'";
        db.RunUpdate("insert into bytes values( " + std::to_string(b) + ", " + literal + " )");
    }
    db.RunUpdate("commit transaction;");
    CppSQLite3Query q = db.RunQuery("select b, v, hex(v) as h from bytes order by b");
    for (int b = 1; b < 256; ++b, q.Step()) {
        ASSERT_FALSE(q.AtEnd());
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", b);
        EXPECT_EQ(q.TextByName("h"), hex) << b;  // one Windows-1250 byte on disk
        EXPECT_EQ(Utf8ToCp1250(q.TextByName("v")), std::string(1, static_cast<char>(b))) << b;
    }
}

TEST_F(SqliteLayer, BusyTimeoutAppliesToLockedFile)
{
    CppSQLite3DB holder;
    holder.Open(path);
    holder.RunUpdate("begin exclusive transaction;");
    db.SetBusyTimeout(50);
    EXPECT_EQ(Thrown([&] { db.RunUpdate("insert into t values( 'y', 1 )"); }).Code(), SQLITE_BUSY);
    holder.RunUpdate("rollback transaction;");
}

TEST_F(SqliteLayer, APreparedStatementStoresTheBytesOfTheSameValuesSpelledIntoSql)
{
    db.RunUpdate("create table spelled( v TEXT )");
    db.RunUpdate("create table bound( v TEXT )");
    const std::string values[] = {"", "żółć Ą ś", "O'Neil `x` \"y\"", "?",
                                  std::string(3000, 'a') + "ę"};
    CppSQLite3Statement insert = db.PrepareStatement("insert into bound values( ? )");
    for (const std::string& value : values) {
        db.RunUpdate("insert into spelled values( '" + DoubleApostrophes(value) + "' )");
        insert.BindText(1, value);
        EXPECT_EQ(insert.Execute(), 1);
    }
    EXPECT_EQ(RawColumn(path, "select hex(v) || ':' || typeof(v) from bound order by rowid"),
              RawColumn(path, "select hex(v) || ':' || typeof(v) from spelled order by rowid"));
    EXPECT_EQ(RawScalar(path, "select hex(v) from bound where rowid = 2"), "BFF3B3E620A5209C");

    // A failed run reports SQLite's code and leaves the statement ready for the next values;
    // a statement still held keeps the connection from closing.
    db.RunUpdate("create table once( v TEXT unique )");
    CppSQLite3Statement unique = db.PrepareStatement("insert into once values( ? )");
    unique.BindText(1, "a");
    unique.Execute();
    unique.BindText(1, "a");
    EXPECT_EQ(Thrown([&] { unique.Execute(); }).Code(), SQLITE_CONSTRAINT);
    unique.BindText(1, "b");
    EXPECT_EQ(unique.Execute(), 1);
    insert.Release();
    EXPECT_EQ(Thrown([&] { db.Close(); }).Code(), CPPSQLITE_ERROR);
    unique.Release();
    db.Close();
    EXPECT_EQ(Thrown([&] { unique.Execute(); }).Message(),
              "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer");
}

TEST_F(SqliteLayer, ValuesBoundToRunUpdateAndRunQueryNeedNoQuoting)
{
    db.RunUpdate("create table named( k TEXT, v TEXT )");
    const std::string key = "O'Neil ż";
    EXPECT_EQ(db.RunUpdate("insert into named values( ?, ? )", {key, "'; drop table named; --"}),
              1);
    EXPECT_EQ(RawScalar(path, "select hex(k) from named"), "4F274E65696C20BF");
    EXPECT_EQ(db.RunUpdate("update named set v=? where k=?", {"nowa", key}), 1);
    CppSQLite3Query query = db.RunQuery("select v from named where k=?", {key});
    ASSERT_FALSE(query.AtEnd());
    EXPECT_EQ(query.TextAt(0), "nowa");
    EXPECT_TRUE(db.RunQuery("select v from named where k=?", {"O'Neil"}).AtEnd());
    query.Release();

    // A value count that differs from the parameters' fails before anything runs.
    EXPECT_EQ(Thrown([&] { db.RunUpdate("delete from named where k=?", {}); }).Code(),
              SQLITE_RANGE);
    EXPECT_EQ(Thrown([&] {
                  (void)db.RunQuery("select v from named where k=?", {key, key});
              }).Code(),
              SQLITE_RANGE);
    EXPECT_EQ(RawScalar(path, "select count(*) from named"), "1");
    db.Close();
}
