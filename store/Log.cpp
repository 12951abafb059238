#include "store/Log.h"

#include <ctime>
#include <exception>

#include "store/CppSQLite3.h"
#include "store/Folders.h"
#include "store/SqlText.h"

std::string LogDateTime(int year, int month, int day, int hour, int minute, int second)
{
    return std::to_string(year) + "." + std::to_string(month) + "." + std::to_string(day) + " " +
           std::to_string(hour) + ":" + std::to_string(minute) + ":" + std::to_string(second);
}

void LogWrite(ErrorStream& es, const std::string& fun, int kind)
{
    // A failing folder lookup logs its own failure, which would come back here: the guard
    // stops that, the scratch stream keeps the caller's message, and without a data folder
    // no row is written.
    thread_local bool lookingUpFolder = false;
    if (lookingUpFolder)
        return;
    lookingUpFolder = true;
    ErrorStream lookup;
    const std::string folder = strFunGetMainDirPath(lookup);
    lookingUpFolder = false;
    if (folder.empty())
        return;

    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    const std::string datetime = LogDateTime(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday,
                                             utc.tm_hour, utc.tm_min, utc.tm_sec);

    // The log only records what went wrong: a log that cannot be written (a damaged or
    // read-only file, a full disk, a lock held too long) never changes what the caller does
    // next, so its failure goes no further.
    try {
        CppSQLite3DB db;
        db.Open(JoinPath(folder, kLogFileName), CppSQLite3DB::OpenMode::Create);
        const char* table = kind == 0 ? "error" : kind == 1 ? "info" : nullptr;
        if (table) {
            if (!db.HasTable(table))
                db.RunUpdate("create table " + SqlIdent(table) +
                             "( datetime TEXT, fun TEXT, info TEXT )");
            db.RunUpdate("insert into " + SqlIdent(table) +
                             "( datetime, fun, info ) values( ?, ?, ? )",
                         {datetime, fun, es.str()});
        }
        db.Close();
    } catch (const std::exception&) {
    }
}
