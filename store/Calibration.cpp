#include "store/Calibration.h"

#include <set>

#include "store/CalibrationTable.h"
#include "store/CppSQLite3.h"
#include "store/Folders.h"
#include "store/Frame.h"
#include "store/SqlText.h"

bool bFunCalibLoadData(ErrorStream& es, const std::string& file, const std::string& set,
                       std::vector<CalibrationRecord>& out) {
    if (ReportMissingFile(es, file, "Plik nie istnieje: \n", "bFunCalibLoadData()")) return false;
    CppSQLite3DB db;
    db.Open(file);
    try {
        if (!db.HasTable(set)) {
            db.Close();
            Fail(es, "Tablica nie istnieje: \n" + set, "bFunCalibLoadData()");
            return false;
        }
        out.clear();
        CppSQLite3Query query = db.RunQuery("select * from " + SqlIdent(set));
        for (; !query.AtEnd(); query.Step()) {
            CalibrationRecord r;
            r.name = query.ColumnTextByName("name");
            r.font_name = query.ColumnTextByName("font_name");
            r.x1 = query.IntByName("x1");
            r.y1 = query.IntByName("y1");
            r.x2 = query.IntByName("x2");
            r.y2 = query.IntByName("y2");
            r.font_size = query.IntByName("font_size");
            r.font_align = query.IntByName("font_align");
            r.font_style_bold = query.IntByName("font_style_bold");
            r.font_style_italic = query.IntByName("font_style_italic");
            r.font_style_underline = query.IntByName("font_style_underline");
            r.font_style_strike = query.IntByName("font_style_strike");
            out.push_back(std::move(r));
        }
        query.Release();
        db.Close();
        return true;
    } catch (const CppSQLite3Exception& e) {
        FailDb(es, "SQLite exception: \n", e, "bFunCalibLoadData()");
        return false;
    }
}

bool bFunSqlCalibUpdateValue(ErrorStream& es, const std::string& file, const std::string& set,
                             const CalibrationRecord& r) {
    if (ReportMissingFile(es, file, "Plik nie istnieje.\n", "bFunSqlCalibUpdateValue()")) return false;
    const std::string update =
        "update " + SqlIdent(set) + " set `x1`=" + SqlValue(r.x1) + ", `y1`=" + SqlValue(r.y1) +
        ", `x2`=" + SqlValue(r.x2) + ", `y2`=" + SqlValue(r.y2) + ", `font_name`=" + SqlValue(r.font_name) +
        ", `font_size`=" + SqlValue(r.font_size) + ", `font_align`=" + SqlValue(r.font_align) +
        ", `font_style_bold`=" + SqlValue(r.font_style_bold) +
        ", `font_style_italic`=" + SqlValue(r.font_style_italic) +
        ", `font_style_underline`=" + SqlValue(r.font_style_underline) +
        ", `font_style_strike`=" + SqlValue(r.font_style_strike) + " where `name`=" + SqlValue(r.name);
    CppSQLite3DB db;
    try {
        db.Open(file);
        const int changed = db.RunUpdate(update);
        db.Close();
        if (changed == 0) {
            Fail(es, "Błąd aktualizacji wpisu kalibracji.\n\n" + update, "bFunSqlCalibUpdateValue()");
            return false;
        }
        return true;
    } catch (const CppSQLite3Exception& e) {
        FailDb(es, "SqlException\n", e, "bFunSqlCalibUpdateValue()");
        return false;
    }
}

bool bFunCalibLoadCertList(ErrorStream& es, std::vector<std::string>& items) {
    const std::string path = CalibrationFilePath(es, false);
    items.clear();
    if (ReportMissingFile(es, path, "Plik nie istnieje: \n", "bFunCalibLoadCertList()")) return false;
    CppSQLite3DB db;
    try {
        db.Open(path);
        CppSQLite3Query query = db.RunQuery("SELECT * FROM sqlite_master WHERE type='table'");
        for (; !query.AtEnd(); query.Step()) items.push_back(query.ColumnTextByName("name"));
        query.Release();
        db.Close();
        return true;
    } catch (const CppSQLite3Exception& e) {
        FailDb(es, "Sql exception: ", e, "bFunCalibLoadCertList()");
        return false;
    }
}

namespace {

std::set<std::string> ColumnsOf(CppSQLite3DB& db, const std::string& table) {
    std::set<std::string> columns;
    CppSQLite3Query query = db.RunQuery("pragma table_info(" + SqlIdent(table) + ")");
    for (; !query.AtEnd(); query.Step()) columns.insert(query.TextAt(query.ColumnIndex("name")));
    return columns;
}

}  // namespace

bool IsCalibrationFile(const std::string& file, std::span<const std::string_view> sets,
                       std::string& reason) {
    if (!FileExists(file)) {
        reason = "plik nie istnieje";
        return false;
    }
    try {
        CppSQLite3DB db;
        db.Open(file);
        {
            CppSQLite3Query check = db.RunQuery("pragma integrity_check");
            if (check.AtEnd() || check.TextAt(0) != "ok") {
                reason = "plik jest uszkodzony";
                return false;
            }
        }
        for (std::string_view set : sets) {
            const std::string name(set);
            if (!db.HasTable(name)) {
                reason = "brak zestawu \"" + name + "\"";
                return false;
            }
            const std::set<std::string> columns = ColumnsOf(db, name);
            for (const CalibrationColumn& column : kCalibrationColumns)
                if (!columns.count(column.name)) {
                    reason = "zestaw \"" + name + "\" nie ma kolumny \"" + column.name + "\"";
                    return false;
                }
        }
        db.Close();
        return true;
    } catch (const CppSQLite3Exception&) {
        reason = "plik nie jest bazą danych kalibracji lub jest uszkodzony";
        return false;
    }
}
