#include "store/CertFile.h"

#include "store/Folders.h"
#include "store/Frame.h"
#include "store/SqlText.h"
#include "store/StudentTable.h"

namespace {

// Inserts the records inside the caller's transaction through one prepared statement. An
// insert that changes no row rolls the transaction back and fails with the statement it
// stands for in the stream (not logged).
bool InsertFields(ErrorStream& es, CppSQLite3DB& db, const std::string& table,
                  const std::vector<FieldRecord>& records, ProgressSink* progress)
{
    CppSQLite3Statement insert = db.PrepareStatement(InsertStudentRowSql(table));
    for (const FieldRecord& record : records) {
        insert.BindText(1, record.id);
        insert.BindText(2, record.comp_name);
        insert.BindText(3, record.value);
        if (insert.Execute() == 0) {
            insert.Release();
            RollbackQuietly(db);
            const std::string spelled =
                SpelledSql(InsertStudentRowSql(table), {record.id, record.comp_name, record.value});
            Fail(es, "Błąd dodania wpisu do bazy:\n" + spelled, nullptr);
            return false;
        }
        if (progress)
            progress->Advance();
    }
    return true;
}

// Removes every zero byte (a stored text may hold one; no statement text can carry it);
// true when there was one.
bool WithoutZeroBytes(std::string& text)
{
    const std::size_t length = text.size();
    std::erase(text, '\0');
    return text.size() != length;
}

// The student's display name, surname, a blank, first name: the first value of each among
// the student's "DANE UCZNIA" rows (empty when it has none), read with one query.
std::string StudentDisplayName(CppSQLite3DB& db, const std::string& table)
{
    static const std::string kSurname = "Nazwisko_DATA_EDIT", kFirstName = "Imie_DATA_EDIT";
    CppSQLite3Query query =
        db.RunQuery("select `comp_name`, `value` from " + SqlIdent(table) +
                        " where `id`=? AND `comp_name` in (?, ?) order by rowid",
                    {kStudentDataKey, kSurname, kFirstName});
    std::string surname, firstName;
    bool haveSurname = false, haveFirstName = false;
    for (; !query.AtEnd() && !(haveSurname && haveFirstName); query.Step()) {
        const bool isSurname = query.TextAt(0) == kSurname;
        bool& have = isSurname ? haveSurname : haveFirstName;
        if (have)
            continue;
        have = true;
        (isSurname ? surname : firstName) = query.TextAt(1);
    }
    WithoutZeroBytes(surname);
    WithoutZeroBytes(firstName);
    return surname + " " + firstName;
}

}  // namespace

int iFunCheckIsStudentExists(ErrorStream& es, const std::string& file, const std::string& table,
                             bool createIfMissing)
{
    if (createIfMissing && !FileExists(file)) {
        CppSQLite3DB db;
        db.Open(file, CppSQLite3DB::OpenMode::Create);
        db.Close();
    }
    if (ReportMissingFile(es, file, "Plik nie istnieje: \n", "iFunCheckIsStudentExists"))
        return -1;
    CppSQLite3DB db;
    db.Open(file);
    bool exists = false;
    const bool checked = Guarded(es, {"SQLite exception: \n", "iFunCheckIsStudentExists"}, [&] {
        exists = db.HasTable(table);
        db.Close();
        return true;
    });
    if (!checked)
        return -1;
    return exists ? 1 : 0;
}

bool bFunGetTableList(ErrorStream& es, const std::string& file, std::vector<std::string>& list)
{
    if (ReportMissingFile(es, file, "Plik nie istnieje: \n:", "bFunGetTableList"))
        return false;
    CppSQLite3DB db;
    db.Open(file);
    return Guarded(es, {"SQLite exception: \n", "bFunGetTableList"}, [&] {
        CppSQLite3Query query = db.RunQuery("select * from sqlite_master");
        for (; !query.AtEnd(); query.Step())
            list.push_back(query.ColumnTextByName("name"));
        query.Release();
        db.Close();
        return true;
    });
}

bool bFunGetStudentsList(ErrorStream& es, const std::string& file, std::vector<StudentEntry>& list,
                         std::vector<std::string>* unreadable)
{
    if (ReportMissingFile(es, file, "Plik nie istnieje: \n:", "bFunGetTableList"))
        return false;
    CppSQLite3DB db;
    db.Open(file);
    const DbFailure failure{"SQL exception: \n", "bFunGetStudentsList"};
    std::vector<std::string> tables;
    const bool listed = Guarded(es, failure, [&] {
        CppSQLite3Query query = db.RunQuery("select `name` from sqlite_master where type='table' "
                                            "and `name` not like 'sqlite\\_%' escape '\\'");
        for (; !query.AtEnd(); query.Step())
            tables.push_back(query.ColumnTextByName("name"));
        return true;
    });
    if (!listed)
        return false;
    for (const std::string& table : tables) {
        const bool read = Guarded(es, failure, [&] {
            list.push_back({StudentDisplayName(db, table), table});
            return true;
        });
        // One unreadable table does not hide the other students; the caller names it.
        if (!read && unreadable)
            unreadable->push_back(table);
    }
    db.Close();
    return true;
}

bool ReadStudentName(ErrorStream& es, const std::string& file, const std::string& table,
                     std::string& name)
{
    if (ReportMissingFile(es, file, "Plik nie istnieje: \n", "ReadStudentName"))
        return false;
    CppSQLite3DB db;
    return Guarded(es, {"SQL exception: \n", "ReadStudentName"}, [&] {
        db.Open(file);
        name = StudentDisplayName(db, table);
        db.Close();
        return true;
    });
}

bool bFunGetValue(ErrorStream& es, CppSQLite3Query& query, const std::string& column,
                  std::string& text)
{
    return Guarded(es, {"SQL exception: \n", "bFunGetValue"}, [&] {
        text = query.ColumnTextByName(column);
        return true;
    });
}

namespace {

// Reads one column of the current row: by its index found once for the whole query, or,
// for a table that lacks the column, as bFunGetValue reports it (an empty text).
void ReadColumn(ErrorStream& es, CppSQLite3Query& query, int index, const std::string& name,
                std::string& text)
{
    if (index >= 0)
        text = query.TextAt(index);
    else
        bFunGetValue(es, query, name, text);
}

int ColumnIndexOrNone(const CppSQLite3Query& query, const std::string& name)
{
    try {
        return query.ColumnIndex(name);
    } catch (const CppSQLite3Exception&) {
        // Not the frame: a missing column is no failure here, ReadColumn reports it per row.
        return -1;
    }
}

}  // namespace

bool bFunLoadCertData(ErrorStream& es, const std::string& file, const std::string& table,
                      std::vector<FieldRecord>& list, std::vector<std::string>* withZeroBytes)
{
    if (ReportMissingFile(es, file, "Plik nie istnieje: \n", "bFunLoadCertData"))
        return false;
    CppSQLite3DB db;
    return Guarded(es, {"SQL exception: \n", "bFunLoadCertData()"}, [&] {
        db.Open(file);
        CppSQLite3Query query;
        try {
            query = db.RunQuery(SelectAllInWriteOrder(table));
        } catch (const CppSQLite3Exception&) {
            // Not the frame: the failure goes on to it unless the table is missing. Only a
            // failed query asks whether the table is there: in a class's file that question
            // reads the schema table of every student.
            if (db.HasTable(table))
                throw;
            Fail(es, "Tablica nie istnieje: \n" + table, "bFunLoadCertData");
            db.Close();
            return false;
        }
        static const std::string kId = "id", kCompName = "comp_name", kValue = "value";
        const int id = ColumnIndexOrNone(query, kId);
        const int compName = ColumnIndexOrNone(query, kCompName);
        const int value = ColumnIndexOrNone(query, kValue);
        for (; !query.AtEnd(); query.Step()) {
            FieldRecord record;
            ReadColumn(es, query, id, kId, record.id);
            ReadColumn(es, query, compName, kCompName, record.comp_name);
            ReadColumn(es, query, value, kValue, record.value);
            WithoutZeroBytes(record.id);
            WithoutZeroBytes(record.comp_name);
            if (WithoutZeroBytes(record.value) && withZeroBytes)
                withZeroBytes->push_back(record.comp_name);
            list.push_back(std::move(record));
        }
        query.Release();
        db.Close();
        return true;
    });
}

bool bFunDeleteTable(ErrorStream& es, const std::string& file, const std::string& table)
{
    if (ReportMissingFile(es, file, "Plik nie istnieje: \n", "bFunDeleteTable"))
        return false;
    CppSQLite3DB db;
    return Guarded(es, {"SQL exception: \n", "bFunDeleteTable()"}, [&] {
        db.Open(file);
        if (db.HasTable(table))
            db.RunUpdate("drop table " + SqlIdent(table));
        db.Close();
        return true;
    });
}

namespace {

// Creates the student's table and fills it in one transaction on one connection; any
// failure rolls everything back. `replace` drops an existing table inside the same
// transaction, otherwise an existing table is refused.
bool WriteStudentTable(ErrorStream& es, const std::string& file, const std::string& table,
                       const std::vector<FieldRecord>& records, ProgressSink* progress,
                       bool replace)
{
    if (ReportMissingFile(es, file, "Plik nie istnieje: \n", "bFunSaveCertData()"))
        return false;
    CppSQLite3DB db;
    return Guarded(es, {"SQLite exception: ", "bFunSaveCertData()", &db}, [&] {
        db.Open(file);
        db.RunUpdate("begin transaction;");
        // SQLite finds a table to drop in its schema in memory; asking whether it exists
        // would read the whole schema table of a class of students first.
        if (replace) {
            db.RunUpdate("drop table if exists " + SqlIdent(table));
        } else if (db.HasTable(table)) {
            RollbackQuietly(db);
            Fail(es, "Tablica już istnieje: " + table, "bFunSaveCertData()");
            return false;
        }
        db.RunUpdate(CreateStudentTableSql(table));
        if (!InsertFields(es, db, table, records, progress))
            return false;
        db.RunUpdate("commit transaction;");
        db.Close();
        return true;
    });
}

}  // namespace

bool bFunSaveCertData(ErrorStream& es, const std::string& file, const std::string& table,
                      const std::vector<FieldRecord>& records, ProgressSink* progress)
{
    return WriteStudentTable(es, file, table, records, progress, false);
}

bool ReplaceStudentTable(ErrorStream& es, const std::string& file, const std::string& table,
                         const std::vector<FieldRecord>& records, ProgressSink* progress)
{
    return WriteStudentTable(es, file, table, records, progress, true);
}
