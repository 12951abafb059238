#include "store/Frame.h"

#include "store/Folders.h"
#include "store/Log.h"
#include "store/SqlText.h"

void Fail(ErrorStream& es, const std::string& text, const char* logName)
{
    es.clear();
    es << text;
    if (logName)
        LogWrite(es, logName);
}

bool ReportMissingFile(ErrorStream& es, const std::string& path, const char* text,
                       const char* logName)
{
    if (FileExists(path))
        return false;
    Fail(es, text + path, logName);
    return true;
}

void FailDb(ErrorStream& es, const char* prefix, const CppSQLite3Exception& e, const char* logName)
{
    Fail(es, std::string(prefix) + CppSQLite3Exception::CodeName(e.Code()), logName);
}

void RollbackQuietly(CppSQLite3DB& db)
{
    try {
        if (db.IsOpen())
            db.RunUpdate("rollback transaction;");
    } catch (const CppSQLite3Exception&) {
    }
}

std::string SelectAllInWriteOrder(const std::string& table)
{
    return "select * from " + SqlIdent(table) + " order by rowid";
}
