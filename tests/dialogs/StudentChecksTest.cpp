#include "forms/dialogs/StudentChecks.h"

#include <gtest/gtest.h>

TEST(StudentChecks, CapitalisesTheFirstLetterOnly)
{
    const std::pair<QString, QString> cases[] = {
        {"łucja", "Łucja"}, {"żak", "Żak"}, {"ćwik", "Ćwik"}, {"śliwa", "Śliwa"},
        {"ąbel", "Ąbel"},   {"ńa", "Ńa"},   {"óla", "Óla"},   {"źdźbło", "Źdźbło"},
        {"ęba", "Ęba"},     {"jan", "Jan"}, {"Jan", "Jan"},   {"mcDonald", "McDonald"},
        {"jAN", "JAN"},     {"", ""},       {"1abc", "1abc"}, {" jan", " jan"},
        {"ßa", "ßa"},
    };
    for (const auto& [typed, shown] : cases)
        EXPECT_EQ(CapitaliseFirstLetter(typed), shown) << typed.toStdString();
}

TEST(StudentChecks, FindsTheFirstCharacterAPeselMayNotHold)
{
    const std::pair<QString, qsizetype> cases[] = {
        {"85010112345", -1}, {"", -1},    {"AbZz09", -1}, {"850 10112345", 3},
        {"Ł1234", 0},        {"12-3", 2}, {"123ą", 3},    {"12 3 4", 2},
    };
    for (const auto& [pesel, position] : cases)
        EXPECT_EQ(FirstInvalidPeselChar(pesel), position) << pesel.toStdString();
}

TEST(StudentChecks, OffersTheBirthYearsOfPupilsFiveToTwentyFiveYearsOld)
{
    const QStringList years = BirthYearItems(2026);
    ASSERT_EQ(years.size(), 21);
    EXPECT_EQ(years.first(), "2001 r.");
    EXPECT_EQ(years[1], "2002 r.");
    EXPECT_EQ(years.last(), "2021 r.");
}
