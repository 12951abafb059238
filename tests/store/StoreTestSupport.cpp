#include "tests/store/StoreTestSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <sstream>

#include "store/Cp1250.h"
#include "store/Folders.h"

namespace {

template <typename Row>
void RawRun(const std::string& path, const std::string& sql, Row row)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK) << path;
    sqlite3_stmt* stmt = nullptr;
    const char* rest = sql.c_str();
    while (*rest) {
        ASSERT_EQ(sqlite3_prepare_v2(db, rest, -1, &stmt, &rest), SQLITE_OK)
            << sqlite3_errmsg(db) << "\n"
            << sql;
        if (!stmt)
            break;
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
            row(stmt);
        EXPECT_EQ(rc, SQLITE_DONE) << sqlite3_errmsg(db);
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
}

}  // namespace

void RawExec(const std::string& path, const std::string& sql)
{
    RawRun(path, sql, [](sqlite3_stmt*) {});
}

std::vector<std::string> RawColumn(const std::string& path, const std::string& sql)
{
    std::vector<std::string> values;
    RawRun(path, sql, [&](sqlite3_stmt* stmt) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        values.push_back(text ? std::string(text, sqlite3_column_bytes(stmt, 0)) : "<null>");
    });
    return values;
}

std::string RawScalar(const std::string& path, const std::string& sql)
{
    const auto values = RawColumn(path, sql);
    return values.empty() ? std::string() : values.front();
}

std::vector<LogRow> LogRows()
{
    ErrorStream es;
    const std::string path = JoinPath(strFunGetMainDirPath(es), kLogFileName);
    std::vector<LogRow> rows;
    if (!FileExists(path) ||
        RawScalar(path, "select count(*) from sqlite_master where name='error'") == "0")
        return rows;
    const auto funs = RawColumn(path, "select fun from error order by rowid");
    const auto infos = RawColumn(path, "select info from error order by rowid");
    for (std::size_t i = 0; i < funs.size(); ++i)
        rows.push_back({Cp1250ToUtf8(funs[i]), Cp1250ToUtf8(infos[i])});
    return rows;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}
