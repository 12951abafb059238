#pragma once
// The SQLite access layer: one connection, one result set, one exception type.
// SQL text is UTF-8 here and reaches SQLite as Windows-1250 bytes; column text and
// SQLite's messages come back as UTF-8. Paths are passed unchanged.
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

inline constexpr int CPPSQLITE_ERROR = 1000;

// A standard error, so code that does not know the store still shows its message (what()).
class CppSQLite3Exception : public std::runtime_error {
public:
    CppSQLite3Exception(int code, const std::string& text);

    int Code() const { return code_; }
    // "<code name>[<code>]: <text>", the same as what()
    std::string Message() const { return what(); }
    static const char* CodeName(int code);

private:
    int code_;
};

class CppSQLite3Query {
public:
    CppSQLite3Query() = default;
    CppSQLite3Query(sqlite3* db, sqlite3_stmt* stmt, bool atEnd, bool ownsStatement);
    CppSQLite3Query(CppSQLite3Query&& other) noexcept;
    // Releases its own statement (failures swallowed) and takes over the other's;
    // the other is left without a statement.
    CppSQLite3Query& operator=(CppSQLite3Query&& other) noexcept;
    CppSQLite3Query(const CppSQLite3Query&) = delete;
    CppSQLite3Query& operator=(const CppSQLite3Query&) = delete;
    virtual ~CppSQLite3Query();

    bool AtEnd() const;
    int ColumnCount() const;
    void Step();
    int ColumnIndex(const std::string& name) const;
    int ColumnType(int index) const;
    int IntAt(int index, int nullValue = 0) const;
    int IntByName(const std::string& name, int nullValue = 0) const;
    std::string TextAt(int index, const std::string& nullValue = "") const;
    std::string TextByName(const std::string& name, const std::string& nullValue = "") const;
    // A NULL column reads as the empty text.
    std::string ColumnTextByName(const std::string& name) const;
    void Release();

private:
    void RequireStatement() const;
    [[noreturn]] void FailStep();

    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    bool atEnd_ = true;
    int columnCount_ = 0;
    bool ownsStatement_ = false;
};

// One prepared statement run once per set of values: each value is bound as the
// Windows-1250 bytes of its UTF-8 text, so a row holds the same bytes as one written with
// the values spelled into the SQL text. Finalized when released or destroyed, which must
// happen before its connection closes.
class CppSQLite3Statement {
public:
    CppSQLite3Statement(sqlite3* db, sqlite3_stmt* stmt);
    CppSQLite3Statement(CppSQLite3Statement&& other) noexcept;
    CppSQLite3Statement(const CppSQLite3Statement&) = delete;
    CppSQLite3Statement& operator=(const CppSQLite3Statement&) = delete;
    CppSQLite3Statement& operator=(CppSQLite3Statement&&) = delete;
    virtual ~CppSQLite3Statement();

    // Parameters count from 1.
    void BindText(int index, const std::string& text);
    // Runs the statement with the bound values and makes it ready for the next ones (a
    // value stays bound until it is bound again); returns the number of rows it changed.
    int Execute();
    void Release();

private:
    void RequireStatement() const;

    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    // The bytes bound to each parameter (one string a parameter, never moved), kept here
    // until bound again: SQLite reads them in place instead of copying every value.
    std::vector<std::string> bound_;
};

class CppSQLite3DB {
public:
    // ReadOnly: nothing is written, not even a hot journal played back (the open of such a
    // file then fails with SQLITE_READONLY).
    enum class OpenMode { Existing, Create, ReadOnly };

    CppSQLite3DB() = default;
    CppSQLite3DB(const CppSQLite3DB&) = delete;
    CppSQLite3DB& operator=(const CppSQLite3DB&) = delete;
    virtual ~CppSQLite3DB();

    // Existing: a missing file fails with SQLITE_CANTOPEN instead of being created.
    void Open(const std::string& path, OpenMode mode = OpenMode::Existing);
    void Close();
    bool IsOpen() const { return db_ != nullptr; }
    int RunUpdate(const std::string& sql);
    CppSQLite3Query RunQuery(const std::string& sql);
    // The same with each `?` of the statement bound, in order, to one of the values (as
    // Windows-1250 bytes, like CppSQLite3Statement): values need no quoting.
    int RunUpdate(const std::string& sql, std::initializer_list<std::string_view> values);
    CppSQLite3Query RunQuery(const std::string& sql,
                             std::initializer_list<std::string_view> values);
    CppSQLite3Statement PrepareStatement(const std::string& sql);
    int RunScalar(const std::string& sql, int nullValue = 0);
    bool HasTable(const std::string& table);
    void SetBusyTimeout(int milliseconds);
    int BusyTimeout() const { return busyTimeoutMs_; }
    // The busy timeout every new object starts with (60000 ms); tests lower it.
    static void SetDefaultBusyTimeout(int milliseconds);

private:
    void RequireOpen() const;
    sqlite3_stmt* Prepare(const std::string& sql);
    // One step of the prepared statement: a result set at its first row or at its end.
    CppSQLite3Query FirstRow(sqlite3_stmt* stmt);

    sqlite3* db_ = nullptr;
    int busyTimeoutMs_ = DefaultBusyTimeout();
    static int DefaultBusyTimeout();
};
