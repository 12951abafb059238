// The statement text a message shows for a statement run with bound values.
#include <gtest/gtest.h>

#include "store/SqlText.h"

TEST(SpelledSql, FillsOnlyTheParametersOutsideQuotes)
{
    const struct {
        const char* sql;
        std::initializer_list<std::string_view> values;
        const char* spelled;
    } cases[] = {
        {"update `t` set `a`=? where `n`=?",
         {"1", "O'Neil"},
         "update `t` set `a`='1' where `n`='O''Neil'"},
        // a question mark in a name or a text literal, or brought in by a value, is kept
        {"insert into `a``?b`( x ) values( ? )", {"?"}, "insert into `a``?b`( x ) values( '?' )"},
        {"select 'it''s ?', \"?\", ?", {"x"}, "select 'it''s ?', \"?\", 'x'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SpelledSql(c.sql, c.values), c.spelled) << c.sql;
}
