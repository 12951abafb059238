// Saving and loading one student of 5,000 records through the data functions, each beside
// the bare SQLite time of the same rows (one prepared statement, bound values), program and
// floor alternating in one run.
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

std::vector<FieldRecord> MakeRecords() {
    std::vector<FieldRecord> records;
    for (int i = 0; i < kRecords; ++i)
        records.push_back({"ART-II/280/3 ARKUSZ OCEN STR " + std::to_string(i % 7 + 1) + " MUZYCZNA",
                           "ZMIENNA_ObowiazkoweOcn" + std::to_string(i) + "_DATA_COMBOBOX",
                           i % 3 ? "bardzo dobry" : "Szczególne osiągnięcia: O'Neil, żółć " + std::to_string(i)});
    return records;
}

void Check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
}

void BareSave(const std::string& file, const std::vector<FieldRecord>& records) {
    sqlite3* db = nullptr;
    Check(sqlite3_open(file.c_str(), &db), db);
    const std::string table = std::string("`") + kTable + "`";
    Check(sqlite3_exec(db, "begin transaction;", nullptr, nullptr, nullptr), db);
    Check(sqlite3_exec(db, ("drop table if exists " + table).c_str(), nullptr, nullptr, nullptr), db);
    Check(sqlite3_exec(db, ("create table " + table + "( id TEXT, comp_name TEXT, value TEXT )").c_str(), nullptr,
                       nullptr, nullptr),
          db);
    sqlite3_stmt* insert = nullptr;
    Check(sqlite3_prepare_v2(db, ("insert into " + table + " values( ?, ?, ? )").c_str(), -1, &insert, nullptr), db);
    for (const FieldRecord& r : records) {
        const std::string id = Utf8ToCp1250(r.id), name = Utf8ToCp1250(r.comp_name), value = Utf8ToCp1250(r.value);
        sqlite3_bind_text(insert, 1, id.c_str(), static_cast<int>(id.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, name.c_str(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, value.c_str(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
        Check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    Check(sqlite3_exec(db, "commit transaction;", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

std::vector<FieldRecord> BareLoad(const std::string& file) {
    sqlite3* db = nullptr;
    Check(sqlite3_open(file.c_str(), &db), db);
    sqlite3_stmt* select = nullptr;
    Check(sqlite3_prepare_v2(db, (std::string("select * from `") + kTable + "` order by rowid").c_str(), -1, &select,
                             nullptr),
          db);
    std::vector<FieldRecord> list;
    auto text = [&](int column) {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(select, column));
        return Cp1250ToUtf8(p ? std::string_view(p, sqlite3_column_bytes(select, column)) : std::string_view());
    };
    while (sqlite3_step(select) == SQLITE_ROW) list.push_back({text(0), text(1), text(2)});
    sqlite3_finalize(select);
    sqlite3_close(db);
    return list;
}

}  // namespace

int main() {
    TempFolders folders;
    ErrorStream es;
    const std::string file = DataTmpPath(es);
    if (iFunCheckIsStudentExists(es, file, kTable, true) < 0) return 1;
    const std::vector<FieldRecord> records = MakeRecords();

    const auto save = Alternate(kRuns, [&] {
        if (!bFunDeleteTable(es, file, kTable) || !bFunSaveCertData(es, file, kTable, records)) std::exit(1);
    }, [&] { BareSave(file, records); });
    const auto replace = Alternate(kRuns, [&] {
        if (!bFunReplaceCertData(es, file, kTable, records)) std::exit(1);
    }, [&] { BareSave(file, records); });
    std::size_t loaded = 0;
    const auto load = Alternate(kRuns, [&] {
        std::vector<FieldRecord> list;
        if (!bFunLoadCertData(es, file, kTable, list)) std::exit(1);
        loaded = list.size();
    }, [&] { BareLoad(file); });
    if (loaded != records.size()) return 1;

    std::printf("one student of %d records; median (min-max) of %d runs\n", kRecords, kRuns);
    Report("save (bFunDeleteTable+SaveCertData)", save);
    Report("save (bFunReplaceCertData)", replace);
    Report("load (bFunLoadCertData)", load);
    return 0;
}
