#include "store/Templates.h"

#include "store/CppSQLite3.h"
#include "store/Folders.h"
#include "store/Frame.h"
#include "store/SqlText.h"

bool bFunSqlTemplateWriteData(ErrorStream& es, const std::string& file, const std::string& name,
                              const std::vector<FieldRecord>& records) {
    if (ReportMissingFile(es, file, "Plik nie istnieje.\n\n", "bFunSqlTemplateWriteData()")) return false;
    CppSQLite3DB db;
    try {
        // A file that is no database fails here, as a failed write.
        db.Open(file);
        // Drop, create and fill in one transaction: a failed write keeps the old template.
        db.RunUpdate("begin transaction;");
        if (db.HasTable(name)) db.RunUpdate("drop table " + SqlIdent(name));
        db.RunUpdate("create table " + SqlIdent(name) + "( id TEXT, comp_name TEXT, value TEXT )");
        for (const FieldRecord& r : records)
            db.RunUpdate("insert into " + SqlIdent(name) + "( `id`, `comp_name`, `value` ) values( " +
                         SqlValue(r.id) + ", " + SqlValue(r.comp_name) + ", " + SqlValue(r.value) + ")");
        db.RunUpdate("commit transaction;");
        db.Close();
        return true;
    } catch (const CppSQLite3Exception& e) {
        RollbackQuietly(db);
        FailDb(es, "SqlException\n", e, "bFunSqlWriteTemplateData()");
        return false;
    }
}

bool bFunSqlTemplateReadData(ErrorStream& es, const std::string& file, const std::string& name,
                             std::vector<FieldRecord>& out) {
    if (ReportMissingFile(es, file, "Plik nie istnieje.\n", "bFunSqlTemplateReadData()")) return false;
    out.clear();
    CppSQLite3DB db;
    try {
        // A file that is no database fails in the open or the table test: a failed read.
        db.Open(file);
        if (!db.HasTable(name)) {
            db.Close();
            return true;
        }
        CppSQLite3Query query = db.RunQuery(SelectAllInWriteOrder(name));
        for (; !query.AtEnd(); query.Step())
            out.push_back({query.ColumnTextByName("id"), query.ColumnTextByName("comp_name"),
                           query.ColumnTextByName("value")});
        query.Release();
        db.Close();
        return true;
    } catch (const CppSQLite3Exception& e) {
        FailDb(es, "SqlException\n", e, "bFunSqlTemplateReadData()");
        return false;
    }
}
