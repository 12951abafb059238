#include "store/Settings.h"

#include "store/CppSQLite3.h"
#include "store/Folders.h"
#include "store/Frame.h"
#include "store/SqlText.h"

namespace {

// Update-then-insert of one column of the key's row (numbers are stored as their text).
bool WriteSetting(ErrorStream& es, const std::string& key, const char* column,
                  const std::string& value)
{
    const std::string path = SettingsFilePath(es, false);
    if (ReportMissingFile(es, path, "Plik nie istnieje.\n\n", "bFunSqlSettingWriteValue()"))
        return false;
    CppSQLite3DB db;
    return Guarded(es, {"SQLite exception: ", nullptr}, [&] {
        db.Open(path);
        if (db.RunUpdate("update `settings` set " + SqlIdent(column) + "=? where `name`=?",
                         {value, key}) > 0) {
            db.Close();
            return true;
        }
        const int added =
            db.RunUpdate("insert into `settings`(`name`, " + SqlIdent(column) + ") values( ?, ? )",
                         {key, value});
        db.Close();
        return added > 0;
    });
}

// Reads one column of the key's first row; no row gives the empty text / 0.
template <typename Read>
bool ReadSetting(ErrorStream& es, const std::string& key, Read read)
{
    const std::string path = SettingsFilePath(es, false);
    if (ReportMissingFile(es, path, "Plik nie istnieje:\n", "bFunSqlGetSettingsValue()"))
        return false;
    CppSQLite3DB db;
    db.Open(path);
    return Guarded(es, {"SqlException:\n\n", "bFunSqlGetSettingsValue()"}, [&] {
        CppSQLite3Query query = db.RunQuery("select * from `settings` where `name`=?", {key});
        read(query);
        query.Release();
        db.Close();
        return true;
    });
}

}  // namespace

bool bFunSqlSettingWriteValue(ErrorStream& es, const std::string& key, const std::string& value)
{
    return WriteSetting(es, key, "text_value", value);
}

bool bFunSqlSettingWriteValue(ErrorStream& es, const std::string& key, int value)
{
    return WriteSetting(es, key, "int_value", std::to_string(value));
}

bool bFunSqlGetSettingsValue(ErrorStream& es, const std::string& key, std::string& out)
{
    return ReadSetting(es, key, [&](const CppSQLite3Query& query) {
        // The column must exist even when the key has no row.
        const int column = query.ColumnIndex("text_value");
        const std::string value = query.AtEnd() ? std::string() : query.TextAt(column);
        out = value;
    });
}

bool bFunSqlGetSettingsValue(ErrorStream& es, const std::string& key, int& out)
{
    return ReadSetting(es, key, [&](const CppSQLite3Query& query) {
        const int column = query.ColumnIndex("int_value");
        const int value = query.AtEnd() ? 0 : query.IntAt(column, 0);
        out = value;
    });
}
