#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "store/Folders.h"
#include "store/Settings.h"
#include "store/Towns.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/TempFolders.h"

namespace {

// The user's copy of the factory settings file.
class UserSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        folders.copyFactoryFiles();
        file = folders.dataFile("ustawienia.sqset");
        ASSERT_TRUE(bFunCopyFile(es, folders.programFile("ustawienia.sqset"), file, true))
            << es.str();
    }
    std::string Rows(const std::string& key)
    {
        return RawScalar(file, "select count(*) || ':' || ifnull(text_value, 'NULL') || ':' || "
                               "ifnull(int_value, 'NULL') "
                               "from settings where name='" +
                                   key + "'");
    }
    TempFolders folders;
    ErrorStream es;
    std::string file;
};

}  // namespace

TEST_F(UserSettings, FactoryValues)
{
    const std::pair<const char*, int> cases[] = {
        {"import_alert", 0}, {"strike_empty_fields", 1},         {"print_without_dots", 0},
        {"word_wrap", 0},    {"create_school_data_template", 1}, {"print_margin", 0},
    };
    for (const auto& [key, value] : cases) {
        int out = -1;
        EXPECT_TRUE(bFunSqlGetSettingsValue(es, key, out));
        EXPECT_EQ(out, value) << key;
    }
}

TEST_F(UserSettings, WriteUpdatesOrInserts)
{
    EXPECT_TRUE(bFunSqlSettingWriteValue(es, "nowy", 5));
    EXPECT_EQ(Rows("nowy"), "1:NULL:5");
    EXPECT_TRUE(bFunSqlSettingWriteValue(es, "nowy", 5));  // unchanged value still matches the row
    EXPECT_EQ(Rows("nowy"), "1:NULL:5");
    EXPECT_TRUE(bFunSqlSettingWriteValue(es, "print_margin", std::string("A3 poziomo")));
    EXPECT_EQ(Rows("print_margin"), "1:A3 poziomo:0");
    EXPECT_TRUE(bFunSqlSettingWriteValue(es, "tekst", std::string("O'Neil `ż`")));
    std::string text;
    EXPECT_TRUE(bFunSqlGetSettingsValue(es, "tekst", text));
    EXPECT_EQ(text, "O'Neil `ż`");
    EXPECT_TRUE(es.empty());
}

TEST_F(UserSettings, TwoRowsOfOneKey)
{
    RawExec(file, "insert into settings( name, int_value ) values( 'dup', 1 ), ( 'dup', 2 );");
    int out = 0;
    EXPECT_TRUE(bFunSqlGetSettingsValue(es, "dup", out));
    EXPECT_EQ(out, 1);
    EXPECT_TRUE(bFunSqlSettingWriteValue(es, "dup", 3));
    EXPECT_EQ(RawScalar(file, "select group_concat(int_value) from settings where name='dup'"),
              "3,3");
}

TEST_F(UserSettings, KeyWithoutRowReadsEmpty)
{
    int number = 7;
    std::string text = "x";
    EXPECT_TRUE(bFunSqlGetSettingsValue(es, "brak", number));
    EXPECT_TRUE(bFunSqlGetSettingsValue(es, "brak", text));
    EXPECT_EQ(number, 0);
    EXPECT_EQ(text, "");
    EXPECT_TRUE(bFunSqlGetSettingsValue(es, "import_alert", text));  // text_value NULL
    EXPECT_EQ(text, "");
}

TEST_F(UserSettings, MissingTable)
{
    RawExec(file, "drop table settings;");
    es = StreamWithOldText();
    EXPECT_FALSE(bFunSqlSettingWriteValue(es, "a", 1));
    EXPECT_EQ(es.str(), "SQLite exception: SQLITE_ERROR");
    EXPECT_TRUE(LogRows().empty());  // the writers do not log this case
    int out = 4;
    EXPECT_FALSE(bFunSqlGetSettingsValue(es, "a", out));
    EXPECT_EQ(out, 4);
    EXPECT_EQ(es.str(), "SqlException:\n\nSQLITE_ERROR");
    EXPECT_EQ(LogRows().back().fun, "bFunSqlGetSettingsValue()");
}

TEST(Settings, MissingFileMessagesDiffer)
{
    TempFolders folders;
    const std::string path = folders.dataFile("ustawienia.sqset");
    ErrorStream es;
    int out = 0;
    EXPECT_FALSE(bFunSqlSettingWriteValue(es, "a", 1));
    EXPECT_EQ(es.str(), "Plik nie istnieje.\n\n" + path);
    EXPECT_FALSE(bFunSqlGetSettingsValue(es, "a", out));
    EXPECT_EQ(es.str(), "Plik nie istnieje:\n" + path);
    const auto rows = LogRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].fun, "bFunSqlSettingWriteValue()");
    EXPECT_EQ(rows[1].fun, "bFunSqlGetSettingsValue()");
}

TEST_F(UserSettings, TownListsAddOnce)
{
    struct List {
        const char* table;
        std::function<bool(ErrorStream&, const std::string&)> add;
        std::function<bool(ErrorStream&, std::vector<std::string>&)> load;
    };
    const List lists[] = {
        {"city", bFunStudentDataAddCity, bFunStudentDataLoadCityList},
        {"province", bFunStudentDataAddProvince, bFunStudentDataLoadProvinceList}};
    for (const List& list : lists) {
        const std::string count = std::string("select count(*) from ") + list.table;
        const std::string before = RawScalar(file, count);
        for (const char* name : {"Żnin", "Żnin", "", "", "O'Hara"})
            EXPECT_TRUE(list.add(es, name)) << name;
        EXPECT_EQ(std::stoi(RawScalar(file, count)), std::stoi(before) + 3) << list.table;
        std::vector<std::string> items = {"old"};
        EXPECT_TRUE(list.load(es, items));
        EXPECT_EQ(items.size(), std::stoul(before) + 3);
        EXPECT_EQ(items.front(), "");  // ascending order: the empty name first
        EXPECT_EQ(std::count(items.begin(), items.end(), "Żnin"), 1);
    }
    EXPECT_TRUE(es.empty());
}

TEST_F(UserSettings, FactoryTownsAndVoivodeships)
{
    std::vector<std::string> items;
    EXPECT_TRUE(bFunStudentDataLoadProvinceList(es, items));
    ASSERT_EQ(items.size(), 16u);
    EXPECT_NE(std::find(items.begin(), items.end(), "dolnośląskie"), items.end());
    EXPECT_NE(std::find(items.begin(), items.end(), "zachodniopomorskie"), items.end());
    EXPECT_TRUE(bFunStudentDataLoadCityList(es, items));
    EXPECT_NE(std::find(items.begin(), items.end(), "Łódź"), items.end());
}

TEST_F(UserSettings, MissingProvinceTableLeavesItems)
{
    RawExec(file, "drop table province;");
    std::vector<std::string> items = {"a", "b"};
    EXPECT_FALSE(bFunStudentDataLoadProvinceList(es, items));
    EXPECT_EQ(items, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(es.str(), "Sql exception: SQLITE_ERROR");
    EXPECT_EQ(LogRows().back().fun, "bFunStudentDataLoadProvinceList()");
}
