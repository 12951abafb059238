#include "store/Frame.h"

#include "store/Log.h"
#include "store/SqlText.h"

void Fail(ErrorStream& es, const std::string& text, const char* logName) {
    es.clear();
    es << text;
    if (logName) LogWrite(es, logName);
}

void FailDb(ErrorStream& es, const char* prefix, const CppSQLite3Exception& e, const char* logName) {
    Fail(es, std::string(prefix) + CppSQLite3Exception::CodeName(e.Code()), logName);
}

void RollbackQuietly(CppSQLite3DB& db) {
    try {
        if (db.IsOpen()) db.RunUpdate("rollback transaction;");
    } catch (const CppSQLite3Exception&) {
    }
}

std::string SelectAllInWriteOrder(const std::string& table) {
    return "select * from " + SqlIdent(table) + " order by rowid";
}
