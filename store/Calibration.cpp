#include "store/Calibration.h"

#include <initializer_list>
#include <set>
#include <string_view>

#include "store/CalibrationTable.h"
#include "store/CppSQLite3.h"
#include "store/Folders.h"
#include "store/Frame.h"
#include "store/SqlText.h"

bool bFunCalibLoadData(ErrorStream& es, const std::string& file, const std::string& set,
                       std::vector<CalibrationRecord>& out)
{
    if (ReportMissingFile(es, file, "Plik nie istnieje: \n", "bFunCalibLoadData()"))
        return false;
    CppSQLite3DB db;
    db.Open(file);
    return Guarded(es, {"SQLite exception: \n", "bFunCalibLoadData()"}, [&] {
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
    });
}

bool bFunSqlCalibUpdateValue(ErrorStream& es, const std::string& file, const std::string& set,
                             const CalibrationRecord& r)
{
    if (ReportMissingFile(es, file, "Plik nie istnieje.\n", "bFunSqlCalibUpdateValue()"))
        return false;
    const std::string update = "update " + SqlIdent(set) +
                               " set `x1`=?, `y1`=?, `x2`=?, `y2`=?, `font_name`=?, "
                               "`font_size`=?, `font_align`=?, `font_style_bold`=?, "
                               "`font_style_italic`=?, `font_style_underline`=?, "
                               "`font_style_strike`=? where `name`=?";
    const std::string x1 = std::to_string(r.x1), y1 = std::to_string(r.y1),
                      x2 = std::to_string(r.x2), y2 = std::to_string(r.y2),
                      size = std::to_string(r.font_size), align = std::to_string(r.font_align),
                      bold = std::to_string(r.font_style_bold),
                      italic = std::to_string(r.font_style_italic),
                      underline = std::to_string(r.font_style_underline),
                      strike = std::to_string(r.font_style_strike);
    const std::initializer_list<std::string_view> values = {
        x1, y1, x2, y2, r.font_name, size, align, bold, italic, underline, strike, r.name};
    CppSQLite3DB db;
    return Guarded(es, {"SqlException\n", "bFunSqlCalibUpdateValue()"}, [&] {
        db.Open(file);
        const int changed = db.RunUpdate(update, values);
        db.Close();
        if (changed == 0) {
            Fail(es, "Błąd aktualizacji wpisu kalibracji.\n\n" + SpelledSql(update, values),
                 "bFunSqlCalibUpdateValue()");
            return false;
        }
        return true;
    });
}

bool bFunCalibLoadCertList(ErrorStream& es, std::vector<std::string>& items)
{
    const std::string path = CalibrationFilePath(es, false);
    items.clear();
    if (ReportMissingFile(es, path, "Plik nie istnieje: \n", "bFunCalibLoadCertList()"))
        return false;
    CppSQLite3DB db;
    return Guarded(es, {"Sql exception: ", "bFunCalibLoadCertList()"}, [&] {
        db.Open(path);
        CppSQLite3Query query = db.RunQuery("SELECT * FROM sqlite_master WHERE type='table'");
        for (; !query.AtEnd(); query.Step())
            items.push_back(query.ColumnTextByName("name"));
        query.Release();
        db.Close();
        return true;
    });
}

namespace {

// The page every rectangle must lie on (page units) and the font sizes a page can print.
constexpr int kPageWidth = 885;
constexpr int kPageHeight = 1314;
constexpr int kSmallestFontSize = 4;
constexpr int kLargestFontSize = 96;

// The first row of the set whose values cannot print: its rectangle leaves the page or is
// turned inside out, or its font size is absurd. False with the row named in `reason`.
bool ValuesPrint(CppSQLite3DB& db, const std::string& set, std::string& reason)
{
    CppSQLite3Query rows =
        db.RunQuery("select `name`, `x1`, `y1`, `x2`, `y2`, `font_size` from " + SqlIdent(set));
    for (; !rows.AtEnd(); rows.Step()) {
        const int x1 = rows.IntAt(1), y1 = rows.IntAt(2), x2 = rows.IntAt(3), y2 = rows.IntAt(4);
        const int size = rows.IntAt(5);
        const std::string row = "zestaw \"" + set + "\", wiersz \"" + rows.TextAt(0) + "\": ";
        if (x1 < 0 || y1 < 0 || x2 > kPageWidth || y2 > kPageHeight || x1 > x2 || y1 > y2) {
            reason = row + "prostokąt (" + std::to_string(x1) + ", " + std::to_string(y1) + ", " +
                     std::to_string(x2) + ", " + std::to_string(y2) + ") nie leży na stronie " +
                     std::to_string(kPageWidth) + " × " + std::to_string(kPageHeight);
            return false;
        }
        if (size < kSmallestFontSize || size > kLargestFontSize) {
            reason = row + "rozmiar czcionki " + std::to_string(size) + " jest spoza zakresu " +
                     std::to_string(kSmallestFontSize) + "–" + std::to_string(kLargestFontSize);
            return false;
        }
    }
    return true;
}

std::set<std::string> ColumnsOf(CppSQLite3DB& db, const std::string& table)
{
    std::set<std::string> columns;
    CppSQLite3Query query = db.RunQuery("pragma table_info(" + SqlIdent(table) + ")");
    for (; !query.AtEnd(); query.Step())
        columns.insert(query.TextAt(query.ColumnIndex("name")));
    return columns;
}

}  // namespace

bool IsCalibrationFile(const std::string& file, std::span<const std::string_view> sets,
                       std::string& reason)
{
    if (!FileExists(file)) {
        reason = "plik nie istnieje";
        return false;
    }
    try {
        CppSQLite3DB db;
        db.Open(file, CppSQLite3DB::OpenMode::ReadOnly);
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
            if (!ValuesPrint(db, name, reason))
                return false;
        }
        db.Close();
        return true;
    } catch (const CppSQLite3Exception&) {
        // Not the frame: the answer is a reason for the caller, not a reported failure.
        reason = "plik nie jest bazą danych kalibracji lub jest uszkodzony";
        return false;
    }
}
