#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "store/Calibration.h"
#include "store/Folders.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/TempFolders.h"

namespace {

const char* const kSetColumns = "( name TEXT, x1 INTEGER, y1 INTEGER, x2 INTEGER, y2 INTEGER, "
                                "font_name TEXT, font_size INTEGER, "
                                "font_align INTEGER, font_style_bold INTEGER, font_style_italic "
                                "INTEGER, font_style_underline INTEGER, "
                                "font_style_strike INTEGER )";

class Calibration : public ::testing::Test {
protected:
    void SetUp() override
    {
        file = folders.dataFile("vlm_kalibracja.sqset");
        RawExec(file, std::string("create table swiad_205") + kSetColumns + ";" +
                          "insert into swiad_205 values( 'STALY_A_STR1_DATA_LABEL', 1, 2, 3, 4, "
                          "'Arial', 10, 0, 1, 0, 0, 0 );"
                          "insert into swiad_205 values( 'ZMIENNA_B_STR1_DATA_EDIT', 5, 6, 7, 8, "
                          "'Times New Roman', 12, 1, 0, 1, 1, 1 );"
                          "insert into swiad_205 values( 'GRAFIKA: ORZELEK', NULL, 6, 7, 8, NULL, "
                          "NULL, 2, 0, 0, 0, 0 );");
    }
    TempFolders folders;
    std::string file;
    ErrorStream es;
};

}  // namespace

TEST_F(Calibration, LoadReplacesTheListInRowOrder)
{
    std::vector<CalibrationRecord> list(5);
    ASSERT_TRUE(bFunCalibLoadData(es, file, "swiad_205", list));
    ASSERT_EQ(list.size(), 3u);
    const CalibrationRecord second{
        "ZMIENNA_B_STR1_DATA_EDIT", 5, 7, 6, 8, "Times New Roman", 12, 1, 0, 1, 1, 1};
    EXPECT_EQ(list[1], second);  // the rectangle is held x1, x2, y1, y2
    EXPECT_EQ(list[2].x1, 0);    // NULL reads as 0
    EXPECT_EQ(list[2].font_name, "");
}

TEST_F(Calibration, MissingSetLeavesTheList)
{
    std::vector<CalibrationRecord> list(2);
    EXPECT_FALSE(bFunCalibLoadData(es, file, "swiad_999", list));
    EXPECT_EQ(es.str(), "Tablica nie istnieje: \nswiad_999");
    EXPECT_EQ(list.size(), 2u);
    EXPECT_EQ(LogRows().back().fun, "bFunCalibLoadData()");
}

TEST_F(Calibration, UpdateWritesEveryValue)
{
    CalibrationRecord r{
        "ZMIENNA_B_STR1_DATA_EDIT", 10, 30, 20, 40, "O'Font `x` ż", 9, 3, 1, 0, 1, 0};
    ASSERT_TRUE(bFunSqlCalibUpdateValue(es, file, "swiad_205", r)) << es.str();
    ASSERT_TRUE(bFunSqlCalibUpdateValue(es, file, "swiad_205", r));  // unchanged still matches
    std::vector<CalibrationRecord> list;
    ASSERT_TRUE(bFunCalibLoadData(es, file, "swiad_205", list));
    EXPECT_EQ(list[1], r);
}

TEST_F(Calibration, UpdateOfUnknownElementOrSet)
{
    const std::string before = FileBytes(file);
    CalibrationRecord r{"NIE_MA", 1, 2, 3, 4, "Arial", 9, 0, 0, 0, 0, 0};
    EXPECT_FALSE(bFunSqlCalibUpdateValue(es, file, "swiad_205", r));
    EXPECT_EQ(
        es.str(),
        "Błąd aktualizacji wpisu kalibracji.\n\nupdate `swiad_205` set `x1`='1', `y1`='3', "
        "`x2`='2', "
        "`y2`='4', `font_name`='Arial', `font_size`='9', `font_align`='0', `font_style_bold`='0', "
        "`font_style_italic`='0', `font_style_underline`='0', `font_style_strike`='0' where "
        "`name`='NIE_MA'");
    EXPECT_EQ(FileBytes(file), before);
    EXPECT_FALSE(bFunSqlCalibUpdateValue(es, file, "swiad_999", r));
    EXPECT_EQ(es.str(), "SqlException\nSQLITE_ERROR");
    EXPECT_EQ(LogRows().back().fun, "bFunSqlCalibUpdateValue()");
}

TEST_F(Calibration, SetListNamesEveryTable)
{
    RawExec(file, std::string("create table swiad_205_bk") + kSetColumns +
                      "; create table arkusz_283_str2" + kSetColumns + ";");
    std::vector<std::string> items = {"old"};
    ASSERT_TRUE(bFunCalibLoadCertList(es, items));
    EXPECT_EQ(items, (std::vector<std::string>{"swiad_205", "swiad_205_bk", "arkusz_283_str2"}));
}

TEST_F(Calibration, NonDatabaseIsReportedAsADatabaseFailure)
{
    {
        std::ofstream(file, std::ios::trunc)
            << "this is not a database, just some text long enough to be a header......";
    }
    std::vector<CalibrationRecord> list;
    std::vector<std::string> items;
    const struct {
        std::function<bool()> call;
        std::string text;
        std::string logName;
    } cases[] = {
        {[&] { return bFunCalibLoadData(es, file, "swiad_205", list); },
         "SQLite exception: \nUNKNOWN_ERROR", "bFunCalibLoadData()"},
        {[&] { return bFunCalibLoadCertList(es, items); }, "Sql exception: UNKNOWN_ERROR",
         "bFunCalibLoadCertList()"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(c.call()) << c.logName;
        EXPECT_EQ(es.str(), c.text);
        EXPECT_EQ(LogRows().back().fun, c.logName);
    }
}

TEST(CalibrationFile, MissingFilesAreReportedNotCreated)
{
    TempFolders folders;
    ErrorStream es;
    const std::string path = folders.dataFile("vlm_kalibracja.sqset");
    std::vector<std::string> items = {"old"};
    std::vector<CalibrationRecord> list;
    EXPECT_FALSE(bFunCalibLoadCertList(es, items));
    EXPECT_EQ(es.str(), "Plik nie istnieje: \n" + path);
    EXPECT_TRUE(items.empty());
    EXPECT_FALSE(FileExists(path));
    EXPECT_FALSE(bFunCalibLoadData(es, path, "swiad_205", list));
    EXPECT_EQ(es.str(), "Plik nie istnieje: \n" + path);
    EXPECT_FALSE(bFunSqlCalibUpdateValue(es, path, "swiad_205", {}));
    EXPECT_EQ(es.str(), "Plik nie istnieje.\n" + path);
    EXPECT_FALSE(FileExists(path));
}
