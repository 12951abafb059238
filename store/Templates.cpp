#include "store/Templates.h"

#include "store/CppSQLite3.h"
#include "store/Folders.h"
#include "store/Frame.h"
#include "store/SqlText.h"
#include "store/StudentTable.h"

bool bFunSqlTemplateWriteData(ErrorStream& es, const std::string& file, const std::string& name,
                              const std::vector<FieldRecord>& records)
{
    if (ReportMissingFile(es, file, "Plik nie istnieje.\n\n", "bFunSqlTemplateWriteData()"))
        return false;
    CppSQLite3DB db;
    return Guarded(es, {"SqlException\n", "bFunSqlWriteTemplateData()", &db}, [&] {
        // A file that is no database fails here, as a failed write.
        db.Open(file);
        // Drop, create and fill in one transaction: a failed write keeps the old template.
        db.RunUpdate("begin transaction;");
        if (db.HasTable(name))
            db.RunUpdate("drop table " + SqlIdent(name));
        db.RunUpdate(CreateStudentTableSql(name));
        {
            CppSQLite3Statement insert = db.PrepareStatement(InsertStudentRowSql(name));
            for (const FieldRecord& r : records) {
                insert.BindText(1, r.id);
                insert.BindText(2, r.comp_name);
                insert.BindText(3, r.value);
                insert.Execute();
            }
        }
        db.RunUpdate("commit transaction;");
        db.Close();
        return true;
    });
}

bool bFunSqlTemplateReadData(ErrorStream& es, const std::string& file, const std::string& name,
                             std::vector<FieldRecord>& out)
{
    if (ReportMissingFile(es, file, "Plik nie istnieje.\n", "bFunSqlTemplateReadData()"))
        return false;
    out.clear();
    CppSQLite3DB db;
    return Guarded(es, {"SqlException\n", "bFunSqlTemplateReadData()"}, [&] {
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
    });
}
