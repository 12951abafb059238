#include <gtest/gtest.h>

#include <cmath>

#include "store/Folders.h"
#include "store/Margins.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/TempFolders.h"

namespace {

MarginSet Set(const std::string& name, int base)
{
    MarginSet m;
    m.name = name;
    for (int p = 0; p < 4; ++p)
        m.page[p] = {base + p * 4, base + p * 4 + 1, base + p * 4 + 2, base + p * 4 + 3};
    m.A4 = base % 2;
    m.Portrait = (base / 2) % 2;
    return m;
}

class Margins : public ::testing::Test {
protected:
    void SetUp() override
    {
        folders.copyFactoryFiles();
        factory = folders.programFile("ustawienia.sqset");
        user = folders.dataFile("ustawienia.sqset");
        RawExec(
            user,
            "create table margin( name TEXT, Page1X1, Page1Y1, Page1X2, Page1Y2, Page2X1, Page2Y1, "
            "Page2X2, Page2Y2, Page3X1, Page3Y1, Page3X2, Page3Y2, Page4X1, Page4Y1, Page4X2, "
            "Page4Y2, "
            "A4, Portrait );");
    }
    std::vector<MarginSet> Read(const std::string& file)
    {
        std::vector<MarginSet> sets(7);
        EXPECT_TRUE(bFunMarginReadData(es, file, sets)) << es.str();
        return sets;
    }
    TempFolders folders;
    std::string factory, user;
    ErrorStream es;
};

}  // namespace

TEST_F(Margins, FactorySetsFitThePage)
{
    const auto sets = Read(factory);
    ASSERT_GE(sets.size(), 2u);
    EXPECT_EQ(sets[0].name, "A4 pionowo");
    EXPECT_EQ(sets[0].A4, 1);
    EXPECT_EQ(sets[0].Portrait, 1);
    EXPECT_EQ(sets[1].name, "A3 poziomo");
    EXPECT_EQ(sets[1].A4, 0);
    EXPECT_EQ(sets[1].Portrait, 0);
    for (const MarginSet& set : sets)
        for (const MarginRect& r : set.page) {
            const double ratio = double(r.X2 - r.X1) / (r.Y2 - r.Y1);
            EXPECT_NEAR(ratio, 885.0 / 1314.0, 0.005) << set.name;
            const int width = set.A4 ? (set.Portrait ? 210 : 297) : (set.Portrait ? 297 : 420);
            const int height = set.A4 ? (set.Portrait ? 297 : 210) : (set.Portrait ? 420 : 297);
            EXPECT_TRUE(r.X1 >= 0 && r.Y1 >= 0 && r.X2 <= width && r.Y2 <= height) << set.name;
        }
}

TEST_F(Margins, AddReadAndDelete)
{
    const MarginSet added = Set("Moje O'Neil `ż`", 3);
    ASSERT_TRUE(bFunMarginWriteNewSettings(es, user, Set("first", 1)));
    ASSERT_TRUE(bFunMarginWriteNewSettings(es, user, added)) << es.str();
    ASSERT_TRUE(bFunMarginWriteNewSettings(es, user, added));
    auto sets = Read(user);
    ASSERT_EQ(sets.size(), 3u);
    EXPECT_EQ(sets[1], added);
    EXPECT_TRUE(bFunMarginDeleteSettings(es, user, added.name));  // both rows of that name
    sets = Read(user);
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].name, "first");
    EXPECT_TRUE(es.empty());
}

TEST_F(Margins, DeleteOfUnknownName)
{
    EXPECT_FALSE(bFunMarginDeleteSettings(es, user, "nie ma"));
    EXPECT_EQ(es.str(), "Błąd podczas próby skasowania ustawień nie ma");
    ASSERT_EQ(LogRows().size(), 1u);
    EXPECT_EQ(LogRows()[0].fun, "bFunMarginDeleteSettings()");
}

TEST_F(Margins, NullColumnsReadAsZero)
{
    RawExec(user, "insert into margin( name ) values( NULL );");
    const auto sets = Read(user);
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0], MarginSet{});
}

TEST_F(Margins, RestoreCarriesEveryColumn)
{
    ASSERT_TRUE(bFunMarginWriteNewSettings(es, user, Set("user set", 5)));
    ASSERT_TRUE(bFunMarginRestoreOriginal(es, factory, user)) << es.str();
    EXPECT_EQ(Read(user), Read(factory));
}

TEST_F(Margins, FailedRestoreKeepsTheUserSets)
{
    ASSERT_TRUE(bFunMarginWriteNewSettings(es, user, Set("user set", 5)));
    RawExec(factory,
            "alter table margin rename column Page4Y2 to Other;");  // the reader fails mid-way
    EXPECT_FALSE(bFunMarginRestoreOriginal(es, factory, user));
    EXPECT_EQ(es.str(), "Sql exception: CPPSQLITE_ERROR");
    const auto sets = Read(user);
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].name, "user set");
}

TEST_F(Margins, MissingFiles)
{
    const std::string missing = folders.dataFile("brak.sqset");
    std::vector<MarginSet> sets;
    struct Case {
        bool result;
        const char* logName;
    };
    const Case cases[] = {
        {bFunMarginReadData(es, missing, sets), "bFunMarginReadData()"},
        {bFunMarginWriteNewSettings(es, missing, Set("a", 1)), "bFunMarginWriteNewSettings()"},
        {bFunMarginDeleteSettings(es, missing, "a"), "bFunMarginDeleteSettings()"},
        {bFunMarginRestoreOriginal(es, missing, user), "bFunMarginRestoreOriginal()"},
    };
    const auto rows = LogRows();
    ASSERT_EQ(rows.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_FALSE(cases[i].result);
        EXPECT_EQ(rows[i].fun, cases[i].logName);
        EXPECT_EQ(rows[i].info, "Plik nie istnieje.\n" + missing);
    }
}
