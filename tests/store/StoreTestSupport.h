#pragma once
// Fixtures for the store tests: raw SQLite access (bytes exactly as given, no conversion)
// and the rows of the log.
#include <ostream>
#include <string>
#include <vector>

#include "store/CppSQLite3.h"
#include "store/ErrorStream.h"
#include "store/Records.h"

// Readable records in test failures.
inline void PrintTo(const FieldRecord& r, std::ostream* os)
{
    *os << "{" << r.id << " | " << r.comp_name << " | " << r.value << "}";
}
inline void PrintTo(const StudentEntry& s, std::ostream* os)
{
    *os << "{" << s.display_name << " | " << s.table_name << "}";
}

// Runs SQL on the file (created when missing) with the bytes as given; fails the test on error.
void RawExec(const std::string& path, const std::string& sql);
// The first column of every row as raw bytes (NULL as "<null>").
std::vector<std::string> RawColumn(const std::string& path, const std::string& sql);
// The first column of the first row; "" when there is none.
std::string RawScalar(const std::string& path, const std::string& sql);

// The `fun` and `info` of the log rows of the current data folder, oldest first.
struct LogRow {
    std::string fun;
    std::string info;
};
std::vector<LogRow> LogRows();

// A stream that holds an older message, to show that a failure replaces it.
inline ErrorStream StreamWithOldText()
{
    ErrorStream es;
    es << "older message";
    return es;
}

// A file whose content changes only when something writes to it.
std::string FileBytes(const std::string& path);

// Another connection holds the write lock of a file while the object lives; every new
// connection gives up after 100 ms instead of 60 s.
class HeldWriteLock {
public:
    explicit HeldWriteLock(const std::string& path)
    {
        CppSQLite3DB::SetDefaultBusyTimeout(100);
        holder_.Open(path);
        holder_.RunUpdate("begin immediate transaction;");
    }
    ~HeldWriteLock()
    {
        holder_.RunUpdate("rollback transaction;");
        CppSQLite3DB::SetDefaultBusyTimeout(60000);
    }

private:
    CppSQLite3DB holder_;
};
