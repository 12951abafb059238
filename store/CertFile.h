#pragma once
// The certificates file (its working copy "data_tmp.sqtmp"): one table per student named
// "PESEL" + number, columns id, comp_name, value (TEXT), one row per FieldRecord.
#include <string>
#include <vector>
#include "store/CppSQLite3.h"
#include "store/ErrorStream.h"
#include "store/Progress.h"
#include "store/Records.h"

// 1 the table exists, 0 it does not, -1 failure. With `createIfMissing` a missing file is
// first created as an empty database.
int iFunCheckIsStudentExists(ErrorStream& es, const std::string& file, const std::string& table,
                             bool createIfMissing);
// Appends the name of every schema object.
bool bFunGetTableList(ErrorStream& es, const std::string& file, std::vector<std::string>& list);
// Appends one entry per student table (sqlite_% tables excluded). A table that cannot be
// read is skipped, reported in the stream and the log, and its name appended to
// `unreadable`; the result is still true.
bool bFunGetStudentsList(ErrorStream& es, const std::string& file, std::vector<StudentEntry>& list,
                         std::vector<std::string>* unreadable = nullptr);
// Sets `name` to the display name of one student table, exactly as the student list
// gives it (surname, a blank, first name).
bool ReadStudentName(ErrorStream& es, const std::string& file, const std::string& table,
                     std::string& name);
// Sets `text` to the named column of the current row (NULL reads as the empty text).
bool bFunGetValue(ErrorStream& es, CppSQLite3Query& query, const std::string& column,
                  std::string& text);
// Appends one record per row of the student's table, in write order. A zero byte cannot
// be part of any text the program keeps or writes: it is left out of the record, and the
// field's component name appended to `withZeroBytes`.
bool bFunLoadCertData(ErrorStream& es, const std::string& file, const std::string& table,
                      std::vector<FieldRecord>& list,
                      std::vector<std::string>* withZeroBytes = nullptr);
// Drops the table when it exists; true also when there was none.
bool bFunDeleteTable(ErrorStream& es, const std::string& file, const std::string& table);
// Creates the table and writes the records in one transaction (a failure leaves no
// table behind); refuses when the table exists. Advances `progress` by one per row
// (the caller sets its range).
bool bFunSaveCertData(ErrorStream& es, const std::string& file, const std::string& table,
                      const std::vector<FieldRecord>& records, ProgressSink* progress = nullptr);
// Saving a student: drops the old table, creates it anew and writes the records in ONE
// transaction on one connection; any failure rolls everything back and leaves the old
// table whole. Messages as bFunSaveCertData. The main window's save calls this.
bool ReplaceStudentTable(ErrorStream& es, const std::string& file, const std::string& table,
                         const std::vector<FieldRecord>& records, ProgressSink* progress = nullptr);
