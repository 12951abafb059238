#pragma once
// Shared steps of the data functions: report a failure (empty the stream, write the
// message, log it), the text of a caught database exception, and the protected region.
#include <string>
#include "store/CppSQLite3.h"
#include "store/ErrorStream.h"

// Empties the stream, writes `text`, and logs it under `logName` unless that is null.
void Fail(ErrorStream& es, const std::string& text, const char* logName);
// When `path` does not exist: reports `text` + path under `logName` and returns true.
bool ReportMissingFile(ErrorStream& es, const std::string& path, const char* text,
                       const char* logName);
// The same for a caught exception: `prefix` followed by the name of its code.
void FailDb(ErrorStream& es, const char* prefix, const CppSQLite3Exception& e, const char* logName);
// Rolls back an open transaction; a failure is ignored (closing the connection rolls back too).
void RollbackQuietly(CppSQLite3DB& db);

// How a data function reports a database exception that leaves its protected region.
struct DbFailure {
    const char* prefix;                // the stream then holds prefix + the code's name
    const char* logName;               // null: not logged
    CppSQLite3DB* rollBack = nullptr;  // an open transaction on it is rolled back first
    CppSQLite3DB* close = nullptr;     // closed first; a failure to close reaches the caller
};

// The protected region of a data function: what runs before the call (as a rule the open)
// is not protected, and its exceptions reach the caller. Returns the body's result; a
// database exception inside it is reported as `failure` says and gives false. No other
// exception is caught.
template <class Body>
bool Guarded(ErrorStream& es, const DbFailure& failure, Body&& body)
{
    try {
        return body();
    } catch (const CppSQLite3Exception& e) {
        if (failure.rollBack)
            RollbackQuietly(*failure.rollBack);
        if (failure.close)
            failure.close->Close();
        FailDb(es, failure.prefix, e, failure.logName);
        return false;
    }
}
// "select * from `table`" with the rows in write order.
std::string SelectAllInWriteOrder(const std::string& table);
