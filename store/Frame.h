#pragma once
// Shared steps of the data functions: report a failure (empty the stream, write the
// message, log it) and the text of a caught database exception.
#include <string>
#include "store/CppSQLite3.h"
#include "store/ErrorStream.h"

// Empties the stream, writes `text`, and logs it under `logName` unless that is null.
void Fail(ErrorStream& es, const std::string& text, const char* logName);
// When `path` does not exist: reports `text` + path under `logName` and returns true.
bool ReportMissingFile(ErrorStream& es, const std::string& path, const char* text, const char* logName);
// The same for a caught exception: `prefix` followed by the name of its code.
void FailDb(ErrorStream& es, const char* prefix, const CppSQLite3Exception& e, const char* logName);
// Rolls back an open transaction; a failure is ignored (closing the connection rolls back too).
void RollbackQuietly(CppSQLite3DB& db);
// "select * from `table`" with the rows in write order.
std::string SelectAllInWriteOrder(const std::string& table);
