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

bool MissingFile(ErrorStream& es, const std::string& file, const char* logName) {
    return ReportMissingFile(es, file, "Plik nie istnieje.\n", logName);
}

// Runs one insert or delete on the file; no changed row fails with `noRowText`.
bool ChangeRows(ErrorStream& es, const std::string& file, const std::string& sql, const std::string& noRowText,
                const char* exceptionPrefix, const char* logName) {
    if (MissingFile(es, file, logName)) return false;
    CppSQLite3DB db;
    db.Open(file);
    try {
        const int changed = db.RunUpdate(sql);
        db.Close();
        if (changed == 0) {
            Fail(es, noRowText, logName);
            return false;
        }
        return true;
    } catch (const CppSQLite3Exception& e) {
        FailDb(es, exceptionPrefix, e, logName);
        return false;
    }
}

MarginSet ReadMarginSet(const CppSQLite3Query& query) {
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

// The insert of one set with all nineteen columns.
std::string InsertMarginSet(const MarginSet& set) {
    std::string columns = "`name`";
    std::string values = SqlValue(set.name);
    for (int p = 0; p < 4; ++p) {
        const int numbers[4] = {set.page[p].X1, set.page[p].Y1, set.page[p].X2, set.page[p].Y2};
        for (int i = 0; i < 4; ++i) {
            columns += ", " + SqlIdent(kPageColumns[p][i]);
            values += ", " + SqlValue(numbers[i]);
        }
    }
    columns += ", `A4`, `Portrait`";
    values += ", " + SqlValue(set.A4) + ", " + SqlValue(set.Portrait);
    return "insert into `margin`( " + columns + " ) values( " + values + " )";
}

}  // namespace

bool bFunMarginReadData(ErrorStream& es, const std::string& file, std::vector<MarginSet>& out) {
    if (MissingFile(es, file, "bFunMarginReadData()")) return false;
    out.clear();
    CppSQLite3DB db;
    db.Open(file);
    try {
        CppSQLite3Query query = db.RunQuery("select * from `margin`");
        for (; !query.AtEnd(); query.Step()) out.push_back(ReadMarginSet(query));
        query.Release();
        db.Close();
        return true;
    } catch (const CppSQLite3Exception& e) {
        FailDb(es, "SqlException\n", e, "bFunMarginReadData()");
        return false;
    }
}

bool bFunMarginWriteNewSettings(ErrorStream& es, const std::string& file, const MarginSet& set) {
    return ChangeRows(es, file, InsertMarginSet(set), "Bład podczas próby dodania wpisu.", "Sql exception: ",
                      "bFunMarginWriteNewSettings()");
}

bool bFunMarginDeleteSettings(ErrorStream& es, const std::string& file, const std::string& name) {
    return ChangeRows(es, file, "delete from `margin` where `name`=" + SqlValue(name),
                      "Błąd podczas próby skasowania ustawień " + name, "SqlException\n", "bFunMarginDeleteSettings()");
}

bool bFunMarginRestoreOriginal(ErrorStream& es, const std::string& factoryFile, const std::string& userFile) {
    if (MissingFile(es, factoryFile, "bFunMarginRestoreOriginal()")) return false;
    if (MissingFile(es, userFile, "bFunMarginRestoreOriginal()")) return false;
    CppSQLite3DB factory;
    CppSQLite3DB user;
    factory.Open(factoryFile);
    user.Open(userFile);
    try {
        user.RunUpdate("begin transaction;");
        user.RunUpdate("delete from `margin` where 1");
        CppSQLite3Query query = factory.RunQuery("select * from `margin`");
        for (; !query.AtEnd(); query.Step()) user.RunUpdate(InsertMarginSet(ReadMarginSet(query)));
        query.Release();
        user.RunUpdate("commit transaction;");
        factory.Close();
        user.Close();
        return true;
    } catch (const CppSQLite3Exception& e) {
        RollbackQuietly(user);
        FailDb(es, "Sql exception: ", e, "bFunMarginRestoreOriginal()");
        return false;
    }
}
