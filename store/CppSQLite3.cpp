#include "store/CppSQLite3.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <atomic>
#include <iterator>
#include <utility>

#include "store/Cp1250.h"

namespace {

std::string ErrorText(sqlite3* db)
{
    return db ? Cp1250ToUtf8(sqlite3_errmsg(db)) : std::string();
}

// Binds the values to the statement's parameters in order, as Windows-1250 bytes; a count
// that differs from the parameters' finalizes the statement and throws SQLITE_RANGE.
void BindAll(sqlite3* db, sqlite3_stmt* stmt, std::initializer_list<std::string_view> values)
{
    int rc = static_cast<int>(values.size()) == sqlite3_bind_parameter_count(stmt) ? SQLITE_OK
                                                                                   : SQLITE_RANGE;
    int index = 1;
    for (auto value = values.begin(); rc == SQLITE_OK && value != values.end(); ++value, ++index) {
        const std::string bytes = Utf8ToCp1250(*value);
        rc = sqlite3_bind_text(stmt, index, bytes.data(), static_cast<int>(bytes.size()),
                               SQLITE_TRANSIENT);
    }
    if (rc == SQLITE_OK)
        return;
    const std::string why =
        rc == SQLITE_RANGE ? "bound values do not match the parameters" : ErrorText(db);
    sqlite3_finalize(stmt);
    throw CppSQLite3Exception(rc, why);
}

}  // namespace

// ---- CppSQLite3Exception ----------------------------------------------------------------

CppSQLite3Exception::CppSQLite3Exception(int code, const std::string& text)
    : std::runtime_error(std::string(CodeName(code)) + "[" + std::to_string(code) + "]: " + text)
    , code_(code)
{
}

const char* CppSQLite3Exception::CodeName(int code)
{
    static const char* const kNames[] = {
        "SQLITE_OK",       "SQLITE_ERROR",     "SQLITE_INTERNAL", "SQLITE_PERM",
        "SQLITE_ABORT",    "SQLITE_BUSY",      "SQLITE_LOCKED",   "SQLITE_NOMEM",
        "SQLITE_READONLY", "SQLITE_INTERRUPT", "SQLITE_IOERR",    "SQLITE_CORRUPT",
        "SQLITE_NOTFOUND", "SQLITE_FULL",      "SQLITE_CANTOPEN", "SQLITE_PROTOCOL",
        "SQLITE_EMPTY",    "SQLITE_SCHEMA",    "SQLITE_TOOBIG",   "SQLITE_CONSTRAINT",
        "SQLITE_MISMATCH", "SQLITE_MISUSE",    "SQLITE_NOLFS",    "SQLITE_AUTH",
        "SQLITE_FORMAT",   "SQLITE_RANGE",
    };
    if (code >= 0 && code < static_cast<int>(std::size(kNames)))
        return kNames[code];
    switch (code) {
    case 100:
        return "SQLITE_ROW";
    case 101:
        return "SQLITE_DONE";
    case CPPSQLITE_ERROR:
        return "CPPSQLITE_ERROR";
    default:
        return "UNKNOWN_ERROR";
    }
}

// ---- CppSQLite3Query --------------------------------------------------------------------

CppSQLite3Query::CppSQLite3Query(sqlite3* db, sqlite3_stmt* stmt, bool atEnd, bool ownsStatement)
    : db_(db)
    , stmt_(stmt)
    , atEnd_(atEnd)
    , columnCount_(sqlite3_column_count(stmt))
    , ownsStatement_(ownsStatement)
{
}

CppSQLite3Query::CppSQLite3Query(CppSQLite3Query&& other) noexcept
    : db_(other.db_)
    , stmt_(other.stmt_)
    , atEnd_(other.atEnd_)
    , columnCount_(other.columnCount_)
    , ownsStatement_(other.ownsStatement_)
{
    other.stmt_ = nullptr;
}

CppSQLite3Query& CppSQLite3Query::operator=(CppSQLite3Query&& other) noexcept
{
    if (this == &other)
        return *this;
    try {
        Release();
    } catch (const CppSQLite3Exception&) {
    }
    db_ = other.db_;
    stmt_ = other.stmt_;
    atEnd_ = other.atEnd_;
    columnCount_ = other.columnCount_;
    ownsStatement_ = other.ownsStatement_;
    other.stmt_ = nullptr;
    return *this;
}

CppSQLite3Query::~CppSQLite3Query()
{
    try {
        Release();
    } catch (const CppSQLite3Exception&) {
    }
}

void CppSQLite3Query::RequireStatement() const
{
    if (!stmt_)
        throw CppSQLite3Exception(CPPSQLITE_ERROR, "Null Virtual Machine pointer");
}

bool CppSQLite3Query::AtEnd() const
{
    RequireStatement();
    return atEnd_;
}

int CppSQLite3Query::ColumnCount() const
{
    RequireStatement();
    return columnCount_;
}

void CppSQLite3Query::FailStep()
{
    const int rc = sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    throw CppSQLite3Exception(rc, ErrorText(db_));
}

void CppSQLite3Query::Step()
{
    RequireStatement();
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_DONE)
        atEnd_ = true;
    else if (rc != SQLITE_ROW)
        FailStep();
}

int CppSQLite3Query::ColumnIndex(const std::string& name) const
{
    RequireStatement();
    for (int i = 0; i < columnCount_; ++i) {
        const char* columnName = sqlite3_column_name(stmt_, i);
        if (columnName && Cp1250ToUtf8(columnName) == name)
            return i;
    }
    throw CppSQLite3Exception(CPPSQLITE_ERROR, "Invalid field name requested");
}

int CppSQLite3Query::ColumnType(int index) const
{
    RequireStatement();
    if (index < 0 || index > columnCount_ - 1)
        throw CppSQLite3Exception(CPPSQLITE_ERROR, "Invalid field index requested");
    return sqlite3_column_type(stmt_, index);
}

int CppSQLite3Query::IntAt(int index, int nullValue) const
{
    return ColumnType(index) == SQLITE_NULL ? nullValue : sqlite3_column_int(stmt_, index);
}

int CppSQLite3Query::IntByName(const std::string& name, int nullValue) const
{
    return IntAt(ColumnIndex(name), nullValue);
}

std::string CppSQLite3Query::TextAt(int index, const std::string& nullValue) const
{
    if (ColumnType(index) == SQLITE_NULL)
        return nullValue;
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, index));
    return text ? Cp1250ToUtf8(std::string_view(text, sqlite3_column_bytes(stmt_, index)))
                : nullValue;
}

std::string CppSQLite3Query::TextByName(const std::string& name, const std::string& nullValue) const
{
    return TextAt(ColumnIndex(name), nullValue);
}

std::string CppSQLite3Query::ColumnTextByName(const std::string& name) const
{
    return TextAt(ColumnIndex(name), std::string());
}

void CppSQLite3Query::Release()
{
    if (!stmt_ || !ownsStatement_)
        return;
    const int rc = sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    if (rc != SQLITE_OK)
        throw CppSQLite3Exception(rc, ErrorText(db_));
}

// ---- CppSQLite3DB -----------------------------------------------------------------------

namespace {
std::atomic<int> defaultBusyTimeoutMs{60000};
}

void CppSQLite3DB::SetDefaultBusyTimeout(int milliseconds)
{
    defaultBusyTimeoutMs = milliseconds;
}
int CppSQLite3DB::DefaultBusyTimeout()
{
    return defaultBusyTimeoutMs;
}

CppSQLite3DB::~CppSQLite3DB()
{
    try {
        Close();
    } catch (const CppSQLite3Exception&) {
    }
}

void CppSQLite3DB::Open(const std::string& path, OpenMode mode)
{
    // A pipe or a device under a file's name would hold the first read for ever.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        throw CppSQLite3Exception(SQLITE_CANTOPEN, "not a regular file");
    int flags = mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (mode == OpenMode::Create)
        flags |= SQLITE_OPEN_CREATE;
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string text = ErrorText(db);
        sqlite3_close(db);
        throw CppSQLite3Exception(rc, text);
    }
    db_ = db;
    SetBusyTimeout(busyTimeoutMs_);
}

void CppSQLite3DB::Close()
{
    if (!db_)
        return;
    if (sqlite3_close(db_) != SQLITE_OK)
        throw CppSQLite3Exception(CPPSQLITE_ERROR, "Unable to close database");
    db_ = nullptr;
}

void CppSQLite3DB::RequireOpen() const
{
    if (!db_)
        throw CppSQLite3Exception(CPPSQLITE_ERROR, "Database not open");
}

int CppSQLite3DB::RunUpdate(const std::string& sql)
{
    RequireOpen();
    char* error = nullptr;
    const int rc = sqlite3_exec(db_, Utf8ToCp1250(sql).c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const std::string text = error ? Cp1250ToUtf8(error) : std::string();
        sqlite3_free(error);
        throw CppSQLite3Exception(rc, text);
    }
    return sqlite3_changes(db_);
}

sqlite3_stmt* CppSQLite3DB::Prepare(const std::string& sql)
{
    RequireOpen();
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v2(db_, Utf8ToCp1250(sql).c_str(), -1, &stmt, nullptr);
    if (rc != SQLITE_OK)
        throw CppSQLite3Exception(rc, ErrorText(db_));
    if (!stmt)
        throw CppSQLite3Exception(CPPSQLITE_ERROR, "Null Virtual Machine pointer");
    return stmt;
}

int CppSQLite3DB::RunUpdate(const std::string& sql, std::initializer_list<std::string_view> values)
{
    sqlite3_stmt* stmt = Prepare(sql);
    BindAll(db_, stmt, values);
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE || rc == SQLITE_ROW) {
        sqlite3_finalize(stmt);
        return sqlite3_changes(db_);
    }
    const int finalizeRc = sqlite3_finalize(stmt);
    throw CppSQLite3Exception(finalizeRc, ErrorText(db_));
}

CppSQLite3Query CppSQLite3DB::RunQuery(const std::string& sql)
{
    return FirstRow(Prepare(sql));
}

CppSQLite3Query CppSQLite3DB::RunQuery(const std::string& sql,
                                       std::initializer_list<std::string_view> values)
{
    sqlite3_stmt* stmt = Prepare(sql);
    BindAll(db_, stmt, values);
    return FirstRow(stmt);
}

CppSQLite3Query CppSQLite3DB::FirstRow(sqlite3_stmt* stmt)
{
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE)
        return CppSQLite3Query(db_, stmt, true, true);
    if (rc == SQLITE_ROW)
        return CppSQLite3Query(db_, stmt, false, true);
    const int finalizeRc = sqlite3_finalize(stmt);
    throw CppSQLite3Exception(finalizeRc, ErrorText(db_));
}

CppSQLite3Statement CppSQLite3DB::PrepareStatement(const std::string& sql)
{
    return CppSQLite3Statement(db_, Prepare(sql));
}

int CppSQLite3DB::RunScalar(const std::string& sql, int nullValue)
{
    CppSQLite3Query query = RunQuery(sql);
    if (query.AtEnd() || query.ColumnCount() < 1)
        throw CppSQLite3Exception(CPPSQLITE_ERROR, "Invalid scalar query");
    return query.IntAt(0, nullValue);
}

bool CppSQLite3DB::HasTable(const std::string& table)
{
    return RunQuery("select count(*) from sqlite_master where type='table' and name=?", {table})
               .IntAt(0) > 0;
}

void CppSQLite3DB::SetBusyTimeout(int milliseconds)
{
    busyTimeoutMs_ = milliseconds;
    if (db_)
        sqlite3_busy_timeout(db_, milliseconds);
}

CppSQLite3Statement::CppSQLite3Statement(sqlite3* db, sqlite3_stmt* stmt)
    : db_(db)
    , stmt_(stmt)
{
}

CppSQLite3Statement::CppSQLite3Statement(CppSQLite3Statement&& other) noexcept
    : db_(other.db_)
    , stmt_(std::exchange(other.stmt_, nullptr))
    , bound_(std::move(other.bound_))
{
}

CppSQLite3Statement::~CppSQLite3Statement()
{
    try {
        Release();
    } catch (const CppSQLite3Exception&) {
    }
}

void CppSQLite3Statement::RequireStatement() const
{
    if (!stmt_)
        throw CppSQLite3Exception(CPPSQLITE_ERROR, "Null Virtual Machine pointer");
}

void CppSQLite3Statement::BindText(int index, const std::string& text)
{
    RequireStatement();
    if (index < 1 || index > sqlite3_bind_parameter_count(stmt_)) {
        // SQLite names the fault itself.
        const int rc = sqlite3_bind_null(stmt_, index);
        throw CppSQLite3Exception(rc, ErrorText(db_));
    }
    // Sized once: growing would move the short values kept inside the strings themselves.
    if (bound_.empty())
        bound_.resize(sqlite3_bind_parameter_count(stmt_));
    std::string& bytes = bound_[index - 1];
    bytes.clear();
    AppendCp1250(text, bytes);
    const int rc = sqlite3_bind_text(stmt_, index, bytes.data(), static_cast<int>(bytes.size()),
                                     SQLITE_STATIC);
    if (rc != SQLITE_OK) {
        const std::string why = ErrorText(db_);
        // The parameter must not keep pointing at bytes that were rewritten.
        sqlite3_bind_null(stmt_, index);
        throw CppSQLite3Exception(rc, why);
    }
}

int CppSQLite3Statement::Execute()
{
    RequireStatement();
    const int rc = sqlite3_step(stmt_);
    sqlite3_reset(stmt_);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw CppSQLite3Exception(rc, ErrorText(db_));
    return sqlite3_changes(db_);
}

void CppSQLite3Statement::Release()
{
    if (!stmt_)
        return;
    const int rc = sqlite3_finalize(std::exchange(stmt_, nullptr));
    if (rc != SQLITE_OK)
        throw CppSQLite3Exception(rc, ErrorText(db_));
}
