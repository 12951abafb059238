#include "store/Towns.h"

#include "store/CppSQLite3.h"
#include "store/Folders.h"
#include "store/Frame.h"
#include "store/SqlText.h"

namespace {

bool LoadNames(ErrorStream& es, const char* table, const char* logName,
               std::vector<std::string>& items)
{
    const std::string path = SettingsFilePath(es, false);
    if (ReportMissingFile(es, path, "Plik nie istnieje.\n", logName))
        return false;
    CppSQLite3DB db;
    db.Open(path);
    return Guarded(es, {"Sql exception: ", logName}, [&] {
        CppSQLite3Query query =
            db.RunQuery("select * from " + SqlIdent(table) + " order by `name` ASC");
        items.clear();
        for (; !query.AtEnd(); query.Step())
            items.push_back(query.ColumnTextByName("name"));
        query.Release();
        db.Close();
        return true;
    });
}

bool AddName(ErrorStream& es, const char* table, const char* logName, const std::string& name)
{
    const std::string path = SettingsFilePath(es, false);
    if (ReportMissingFile(es, path, "Plik nie istnieje.\n", logName))
        return false;
    CppSQLite3DB db;
    db.Open(path);
    return Guarded(es, {"Sql exception: ", logName}, [&] {
        // The update writes the name over itself: its change count tells whether it is there.
        if (db.RunUpdate("update " + SqlIdent(table) + " set `name`=?1 where `name`=?1", {name}) >
            0) {
            db.Close();
            return true;
        }
        const int added =
            db.RunUpdate("insert into " + SqlIdent(table) + "( `name` ) values( ? )", {name});
        db.Close();
        return added > 0;
    });
}

}  // namespace

bool bFunStudentDataLoadCityList(ErrorStream& es, std::vector<std::string>& items)
{
    return LoadNames(es, "city", "bFunStudentDataLoadCityList()", items);
}

bool bFunStudentDataLoadProvinceList(ErrorStream& es, std::vector<std::string>& items)
{
    return LoadNames(es, "province", "bFunStudentDataLoadProvinceList()", items);
}

bool bFunStudentDataAddCity(ErrorStream& es, const std::string& name)
{
    return AddName(es, "city", "bFunStudentDataAddCity()", name);
}

bool bFunStudentDataAddProvince(ErrorStream& es, const std::string& name)
{
    return AddName(es, "province", "bFunStudentDataAddProvince()", name);
}
