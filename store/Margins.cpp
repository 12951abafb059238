#include "store/Margins.h"

#include "store/CppSQLite3.h"
#include "store/Folders.h"
#include "store/Frame.h"
#include "store/SqlText.h"

namespace {

const char* const kPageColumns[4][4] = {
    {"Page1X1", "Page1Y1", "Page1X2", "Page1Y2"},
    {"Page2X1", "Page2Y1", "Page2X2", "Page2Y2"},
    {"Page3X1", "Page3Y1", "Page3X2", "Page3Y2"},
    {"Page4X1", "Page4Y1", "Page4X2", "Page4Y2"},
};

bool MissingFile(ErrorStream& es, const std::string& file, const char* logName)
{
    return ReportMissingFile(es, file, "Plik nie istnieje.\n", logName);
}

// Runs one insert or delete (`change` returns the rows it changed) on the file; no
// changed row fails with `noRowText`.
template <class Change>
bool ChangeRows(ErrorStream& es, const std::string& file, Change change,
                const std::string& noRowText, const char* exceptionPrefix, const char* logName)
{
    if (MissingFile(es, file, logName))
        return false;
    CppSQLite3DB db;
    db.Open(file);
    return Guarded(es, {exceptionPrefix, logName}, [&] {
        const int changed = change(db);
        db.Close();
        if (changed == 0) {
            Fail(es, noRowText, logName);
            return false;
        }
        return true;
    });
}

MarginSet ReadMarginSet(const CppSQLite3Query& query)
{
    MarginSet set;
    set.name = query.ColumnTextByName("name");
    for (int p = 0; p < 4; ++p) {
        set.page[p].X1 = query.IntByName(kPageColumns[p][0]);
        set.page[p].Y1 = query.IntByName(kPageColumns[p][1]);
        set.page[p].X2 = query.IntByName(kPageColumns[p][2]);
        set.page[p].Y2 = query.IntByName(kPageColumns[p][3]);
    }
    set.A4 = query.IntByName("A4");
    set.Portrait = query.IntByName("Portrait");
    return set;
}

// The insert of one set with all nineteen columns, filled by InsertMarginSet.
CppSQLite3Statement PrepareMarginInsert(CppSQLite3DB& db)
{
    std::string columns = "`name`";
    std::string values = "?";
    for (int p = 0; p < 4; ++p)
        for (int i = 0; i < 4; ++i) {
            columns += ", " + SqlIdent(kPageColumns[p][i]);
            values += ", ?";
        }
    columns += ", `A4`, `Portrait`";
    values += ", ?, ?";
    return db.PrepareStatement("insert into `margin`( " + columns + " ) values( " + values + " )");
}

// Numbers are stored as their decimal text; returns the rows added.
int InsertMarginSet(CppSQLite3Statement& insert, const MarginSet& set)
{
    int parameter = 1;
    insert.BindText(parameter++, set.name);
    for (int p = 0; p < 4; ++p)
        for (int number : {set.page[p].X1, set.page[p].Y1, set.page[p].X2, set.page[p].Y2})
            insert.BindText(parameter++, std::to_string(number));
    insert.BindText(parameter++, std::to_string(set.A4));
    insert.BindText(parameter++, std::to_string(set.Portrait));
    return insert.Execute();
}

}  // namespace

bool bFunMarginReadData(ErrorStream& es, const std::string& file, std::vector<MarginSet>& out)
{
    if (MissingFile(es, file, "bFunMarginReadData()"))
        return false;
    out.clear();
    CppSQLite3DB db;
    db.Open(file);
    return Guarded(es, {"SqlException\n", "bFunMarginReadData()"}, [&] {
        CppSQLite3Query query = db.RunQuery("select * from `margin`");
        for (; !query.AtEnd(); query.Step())
            out.push_back(ReadMarginSet(query));
        query.Release();
        db.Close();
        return true;
    });
}

bool bFunMarginWriteNewSettings(ErrorStream& es, const std::string& file, const MarginSet& set)
{
    const auto insert = [&](CppSQLite3DB& db) {
        CppSQLite3Statement statement = PrepareMarginInsert(db);
        return InsertMarginSet(statement, set);
    };
    return ChangeRows(es, file, insert, "Bład podczas próby dodania wpisu.",
                      "Sql exception: ", "bFunMarginWriteNewSettings()");
}

bool bFunMarginDeleteSettings(ErrorStream& es, const std::string& file, const std::string& name)
{
    const auto remove = [&](CppSQLite3DB& db) {
        return db.RunUpdate("delete from `margin` where `name`=?", {name});
    };
    return ChangeRows(es, file, remove, "Błąd podczas próby skasowania ustawień " + name,
                      "SqlException\n", "bFunMarginDeleteSettings()");
}

bool bFunMarginRestoreOriginal(ErrorStream& es, const std::string& factoryFile,
                               const std::string& userFile)
{
    if (MissingFile(es, factoryFile, "bFunMarginRestoreOriginal()"))
        return false;
    if (MissingFile(es, userFile, "bFunMarginRestoreOriginal()"))
        return false;
    CppSQLite3DB factory;
    CppSQLite3DB user;
    factory.Open(factoryFile);
    user.Open(userFile);
    return Guarded(es, {"Sql exception: ", "bFunMarginRestoreOriginal()", &user}, [&] {
        user.RunUpdate("begin transaction;");
        user.RunUpdate("delete from `margin` where 1");
        {
            CppSQLite3Statement insert = PrepareMarginInsert(user);
            CppSQLite3Query query = factory.RunQuery("select * from `margin`");
            for (; !query.AtEnd(); query.Step())
                InsertMarginSet(insert, ReadMarginSet(query));
        }
        user.RunUpdate("commit transaction;");
        factory.Close();
        user.Close();
        return true;
    });
}
