#include <gtest/gtest.h>

#include <fstream>

#include "store/Folders.h"
#include "store/Templates.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/TempFolders.h"

namespace {

class Templates : public ::testing::Test {
protected:
    void SetUp() override { file = TemplatesFilePath(es); }
    std::vector<FieldRecord> Read()
    {
        std::vector<FieldRecord> out = {{"old", "old", "old"}};
        EXPECT_TRUE(bFunSqlTemplateReadData(es, file, "school_data", out)) << es.str();
        return out;
    }
    TempFolders folders;
    ErrorStream es;
    std::string file;
};

std::vector<FieldRecord> SchoolData(int count)
{
    std::vector<FieldRecord> records;
    for (int i = 0; i < count; ++i)
        records.push_back({"DANE SZKOLY", "ZMIENNA_Pole" + std::to_string(i) + "_DATA_EDIT",
                           "Szkoła im. O'Neila nr " + std::to_string(i)});
    return records;
}

}  // namespace

TEST_F(Templates, NewFileReadsEmpty)
{
    EXPECT_TRUE(Read().empty());
}

TEST_F(Templates, WriteAndReadBack)
{
    const auto records = SchoolData(73);
    ASSERT_TRUE(bFunSqlTemplateWriteData(es, file, "school_data", records)) << es.str();
    EXPECT_EQ(Read(), records);
    ASSERT_TRUE(bFunSqlTemplateWriteData(es, file, "school_data", SchoolData(2)));
    EXPECT_EQ(Read(), SchoolData(2));  // the second write replaces the first
    ASSERT_TRUE(bFunSqlTemplateWriteData(es, file, "school_data", {}));
    EXPECT_TRUE(Read().empty());
    EXPECT_EQ(RawScalar(file, "select count(*) from sqlite_master where name='school_data'"), "1");
}

TEST_F(Templates, FailedWriteKeepsTheOldTemplate)
{
    ASSERT_TRUE(bFunSqlTemplateWriteData(es, file, "school_data", SchoolData(3)));
    {
        HeldWriteLock lock(file);
        EXPECT_FALSE(bFunSqlTemplateWriteData(es, file, "school_data", SchoolData(1)));
    }
    EXPECT_EQ(es.str(), "SqlException\nSQLITE_BUSY");
    EXPECT_EQ(LogRows().back().fun, "bFunSqlWriteTemplateData()");
    EXPECT_EQ(Read(), SchoolData(3));
}

TEST(TemplatesFile, Missing)
{
    TempFolders folders;
    ErrorStream es;
    const std::string missing = folders.dataFile("szablony.sqset");
    std::vector<FieldRecord> out;
    EXPECT_FALSE(bFunSqlTemplateWriteData(es, missing, "school_data", {}));
    EXPECT_EQ(es.str(), "Plik nie istnieje.\n\n" + missing);
    EXPECT_FALSE(bFunSqlTemplateReadData(es, missing, "school_data", out));
    EXPECT_EQ(es.str(), "Plik nie istnieje.\n" + missing);
}

TEST_F(Templates, FileThatIsNoDatabaseFailsReadAndWriteWithoutAnException)
{
    {
        std::ofstream damaged(file, std::ios::binary | std::ios::trunc);
        damaged << std::string(4096, 'x');
    }
    std::vector<FieldRecord> out;
    bool read = true;
    EXPECT_NO_THROW(read = bFunSqlTemplateReadData(es, file, "school_data", out));
    EXPECT_FALSE(read);
    EXPECT_EQ(es.str(), "SqlException\nUNKNOWN_ERROR");
    EXPECT_EQ(LogRows().back().fun, "bFunSqlTemplateReadData()");
    bool written = true;
    EXPECT_NO_THROW(written = bFunSqlTemplateWriteData(es, file, "school_data", SchoolData(2)));
    EXPECT_FALSE(written);
    EXPECT_EQ(es.str(), "SqlException\nUNKNOWN_ERROR");
}
