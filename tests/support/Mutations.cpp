#include "tests/support/Mutations.h"

#include <sqlite3.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

namespace {

size_t Pick(FuzzRng& rng, size_t n)
{
    return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(rng);
}

std::vector<std::string> Column(sqlite3* db, const std::string& sql)
{
    std::vector<std::string> out;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
        return out;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const unsigned char* t = sqlite3_column_text(st, 0);
        out.emplace_back(t ? reinterpret_cast<const char*>(t) : "");
    }
    sqlite3_finalize(st);
    return out;
}

std::string Quoted(const std::string& name)
{
    return "\"" + name + "\"";
}

// Sets one column of one row to the blob-free text `bytes` (bound, so NUL bytes survive).
void SetValue(sqlite3* db, const std::string& table, const std::string& column,
              const std::string& bytes)
{
    const std::string sql = "update " + Quoted(table) + " set " + Quoted(column) +
                            " = ?1 where rowid = (select rowid from " + Quoted(table) +
                            " order by random() limit 1)";
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
        return;
    sqlite3_bind_text(st, 1, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    sqlite3_step(st);
    sqlite3_finalize(st);
}

}  // namespace

std::string MutateBytes(const std::string& bytes, FuzzRng& rng, std::string& what)
{
    std::string out = bytes;
    const size_t at = Pick(rng, out.size());
    switch (Pick(rng, 5)) {
    case 0: {
        const int flips = 1 + static_cast<int>(Pick(rng, 8));
        for (int i = 0; i < flips && !out.empty(); ++i)
            out[Pick(rng, out.size())] ^= static_cast<char>(1u << Pick(rng, 8));
        what = std::to_string(flips) + " bit flips";
        break;
    }
    case 1:
        out.resize(at);
        what = "truncated at " + std::to_string(at);
        break;
    case 2:
        for (size_t i = at; i < out.size() && i < at + 1 + Pick(rng, 16); ++i)
            out[i] = '\0';
        what = "NUL bytes at " + std::to_string(at);
        break;
    case 3:
        for (size_t i = at; i < out.size() && i < at + 8; ++i)
            out[i] = '\xFF';
        what = "0xFF run at " + std::to_string(at);
        break;
    default:
        // 0x81, 0x83, 0x88, 0x90, 0x98 are unassigned in Windows-1250 and never start UTF-8.
        for (size_t i = at; i < out.size() && i < at + 4; ++i)
            out[i] = "\x81\x83\x88\x90\x98"[Pick(rng, 5)];
        what = "invalid text bytes at " + std::to_string(at);
        break;
    }
    return out;
}

void MutateTables(const std::string& path, FuzzRng& rng, std::string& what)
{
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    const std::vector<std::string> tables =
        Column(db, "select name from sqlite_master where type='table'");
    if (tables.empty()) {
        what = "no tables";
        sqlite3_close(db);
        return;
    }
    const std::string table = tables[Pick(rng, tables.size())];
    const std::vector<std::string> columns =
        Column(db, "select name from pragma_table_info(" + ("'" + table + "'") + ")");
    const std::string column = columns.empty() ? "id" : columns[Pick(rng, columns.size())];
    std::string sql;
    switch (Pick(rng, 8)) {
    case 0:
        sql = "drop table " + Quoted(table);
        what = "table " + table + " dropped";
        break;
    case 1:
        sql =
            "alter table " + Quoted(table) + " rename column " + Quoted(column) + " to wrong_name";
        what = "column " + table + "." + column + " renamed";
        break;
    case 2:
        sql = "create table " + Quoted(table + "_x") + " (a); alter table " + Quoted(table) +
              " rename to " + Quoted(table + "_old") + "; alter table " + Quoted(table + "_x") +
              " rename to " + Quoted(table);
        what = "table " + table + " replaced by one with a wrong column";
        break;
    case 3:
        sql = "update " + Quoted(table) + " set " + Quoted(column) + " = 9223372036854775807";
        what = "huge numbers in " + table + "." + column;
        break;
    case 4:
        sql = "update " + Quoted(table) + " set " + Quoted(column) + " = -1e308";
        what = "huge negative numbers in " + table + "." + column;
        break;
    case 5:
        SetValue(db, table, column, std::string("ab\0cd", 5));
        what = "NUL byte in " + table + "." + column;
        break;
    case 6:
        SetValue(db, table, column, "\x81\x98\xC3\x28");
        what = "invalid text bytes in " + table + "." + column;
        break;
    default:
        SetValue(db, table, column, std::string(10 * 1024 * 1024, 'W'));
        what = "10 MB value in " + table + "." + column;
        break;
    }
    if (!sql.empty())
        sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

std::string WriteMutatedCopy(const std::string& path, const std::string& valid, bool sqlite,
                             int index, FuzzRng& rng)
{
    std::string what;
    WriteBytes(path, valid);
    if (sqlite && index % 2 == 1)
        MutateTables(path, rng, what);
    else
        WriteBytes(path, MutateBytes(valid, rng, what));
    return what;
}
