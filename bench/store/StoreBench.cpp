// Saving and loading one student of 5,000 records through the data functions, each beside
// a floor that does the same SQLite work as cheaply as the bare C API can, program and
// floor alternating in one run:
//   save in two calls  bFunDeleteTable, then bFunSaveCertData: two connections and two
//                      transactions; floor: open, "drop table if exists", close, then open,
//                      one transaction that creates the table and inserts every row
//                      through one prepared statement, close;
//   save in one call   ReplaceStudentTable: one connection, one transaction; floor: open,
//                      one transaction that drops, creates and inserts through one prepared
//                      statement, close;
//   load               bFunLoadCertData; floor: open, one prepared select in row order,
//                      each column converted into the records of a kept list, close.
// Every floor converts texts between UTF-8 and Windows-1250 as the program must, into
// buffers it keeps between rows (bound without a copy).
#include <sqlite3.h>

#include "bench/support/BenchTiming.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "store/CertFile.h"
#include "store/Cp1250.h"
#include "store/Folders.h"
#include "tests/support/TempFolders.h"

namespace {

constexpr int kRecords = 5000;
constexpr int kRuns = 11;
const char* const kTable = "PESEL01234567890";

std::vector<FieldRecord> MakeRecords()
{
    std::vector<FieldRecord> records;
    for (int i = 0; i < kRecords; ++i)
        records.push_back(
            {"ART-II/280/3 ARKUSZ OCEN STR " + std::to_string(i % 7 + 1) + " MUZYCZNA",
             "ZMIENNA_ObowiazkoweOcn" + std::to_string(i) + "_DATA_COMBOBOX",
             i % 3 ? "bardzo dobry" : "Szczególne osiągnięcia: O'Neil, żółć " + std::to_string(i)});
    return records;
}

void Check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
}

void Run(sqlite3* db, const std::string& sql)
{
    Check(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), db);
}

sqlite3* Open(const std::string& file)
{
    sqlite3* db = nullptr;
    Check(sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), db);
    return db;
}

const std::string kQuotedTable = std::string("`") + kTable + "`";

// Creates the table and inserts the rows inside the caller's transaction.
void BareCreateAndInsert(sqlite3* db, const std::vector<FieldRecord>& records)
{
    Run(db, "create table " + kQuotedTable + "( id TEXT, comp_name TEXT, value TEXT )");
    sqlite3_stmt* insert = nullptr;
    Check(
        sqlite3_prepare_v2(
            db,
            ("insert into " + kQuotedTable + "( id, comp_name, value ) values( ?, ?, ? )").c_str(),
            -1, &insert, nullptr),
        db);
    std::string bytes[3];
    for (const FieldRecord& r : records) {
        const std::string* texts[] = {&r.id, &r.comp_name, &r.value};
        for (int i = 0; i < 3; ++i) {
            bytes[i].clear();
            AppendCp1250(*texts[i], bytes[i]);
            sqlite3_bind_text(insert, i + 1, bytes[i].data(), static_cast<int>(bytes[i].size()),
                              SQLITE_STATIC);
        }
        Check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
}

void BareDropThenSave(const std::string& file, const std::vector<FieldRecord>& records)
{
    sqlite3* db = Open(file);
    Run(db, "drop table if exists " + kQuotedTable);
    Check(sqlite3_close(db), nullptr);
    db = Open(file);
    Run(db, "begin transaction;");
    BareCreateAndInsert(db, records);
    Run(db, "commit transaction;");
    Check(sqlite3_close(db), nullptr);
}

void BareReplace(const std::string& file, const std::vector<FieldRecord>& records)
{
    sqlite3* db = Open(file);
    Run(db, "begin transaction;");
    Run(db, "drop table if exists " + kQuotedTable);
    BareCreateAndInsert(db, records);
    Run(db, "commit transaction;");
    Check(sqlite3_close(db), nullptr);
}

void BareLoad(const std::string& file, std::vector<FieldRecord>& list)
{
    list.clear();
    sqlite3* db = Open(file);
    sqlite3_stmt* select = nullptr;
    Check(sqlite3_prepare_v2(
              db, ("select id, comp_name, value from " + kQuotedTable + " order by rowid").c_str(),
              -1, &select, nullptr),
          db);
    auto text = [&](int column) {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(select, column));
        return Cp1250ToUtf8(p ? std::string_view(p, sqlite3_column_bytes(select, column))
                              : std::string_view());
    };
    while (sqlite3_step(select) == SQLITE_ROW)
        list.push_back({text(0), text(1), text(2)});
    sqlite3_finalize(select);
    Check(sqlite3_close(db), nullptr);
}

}  // namespace

int main()
{
    TempFolders folders;
    ErrorStream es;
    const std::string file = DataTmpPath(es);
    if (iFunCheckIsStudentExists(es, file, kTable, true) < 0)
        return 1;
    const std::vector<FieldRecord> records = MakeRecords();

    const auto save = Alternate(
        kRuns,
        [&] {
            if (!bFunDeleteTable(es, file, kTable) || !bFunSaveCertData(es, file, kTable, records))
                std::exit(1);
        },
        [&] { BareDropThenSave(file, records); });
    const auto replace = Alternate(
        kRuns,
        [&] {
            if (!ReplaceStudentTable(es, file, kTable, records))
                std::exit(1);
        },
        [&] { BareReplace(file, records); });
    // Both keep their list between runs, as the main window keeps its records.
    std::vector<FieldRecord> loaded, bareLoaded;
    const auto load = Alternate(
        kRuns,
        [&] {
            loaded.clear();
            if (!bFunLoadCertData(es, file, kTable, loaded))
                std::exit(1);
        },
        [&] { BareLoad(file, bareLoaded); });
    if (loaded.size() != records.size() || bareLoaded.size() != records.size())
        return 1;

    std::printf("one student of %d records; median (min-max) of %d runs\n", kRecords, kRuns);
    Report("save in two calls (DeleteTable, SaveCertData)", save);
    Report("save in one call (ReplaceStudentTable)", replace);
    Report("load (bFunLoadCertData)", load);
    return 0;
}
