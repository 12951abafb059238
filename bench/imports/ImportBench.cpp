// Both imports of an older export, 3,000 students of 60 fields each (a personal-data block
// of 6 fields and 54 in five document blocks, one of them a memo of 10 lines; about 8 MB),
// written by the benchmark, each against its floor, alternating in one run:
//   program  the importer into a new file with the import window shown and stepped, as
//            the import command runs it;
//   floor    the same tables and rows written by bare SQLite from the same file: the file
//            read line by line, the markers found and each field line cut into name and
//            value (memo lines numbered), then one open, one transaction, per student a
//            table created and its rows inserted through one prepared statement, one
//            commit. The bytes go from the file to SQLite unconverted; no format check,
//            no duplicate check, no progress.
// Usage: vlm_imports_bench [pairs of runs, default 7]
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/support/BenchTiming.h"
#include "bench/support/StartedProgram.h"
#include "main/SqlImport.h"
#include "store/Cp1250.h"
#include "store/Import.h"

namespace {

constexpr int kStudents = 3000;

struct Format {
    const char* what;
    const char* file;
    const char* personalMarker;
    const char* peselField;
    bool documents;  // the floor writes the document blocks too
    bool (*importer)(ErrorStream&, const std::string&, const std::string&, ProgressSink*,
                     ImportNotes*);
};

const Format kFormats[] = {
    {"music-school import (.snv)", "eksport.snv", "DANE UCZNIA MUZYCZNA", "NumerPesel_DATA_EDIT",
     true, bFunImportDataFromFile},
    {"primary-school import (.m46)", "eksport.m46", "DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6",
     "NrPesel_DATA_EDIT", false, bFunImportPrimaryDataFromFile},
};

// The export as the older programs wrote it: Windows-1250, CR LF.
void WriteExport(const std::string& path, const Format& format)
{
    std::ofstream out(path, std::ios::binary);
    auto line = [&](const std::string& utf8) { out << Utf8ToCp1250(utf8) << "\r\n"; };
    for (int s = 0; s < kStudents; ++s) {
        const std::string n = std::to_string(s);
        line("<DANE SWIADECTW DLA: Kowalska-Żółkiewska " + n + ">");
        line(std::string("<") + format.personalMarker + ">");
        line("<Nazwisko_DATA_EDIT>Kowalska-Żółkiewska " + n);
        line("<Imie_DATA_EDIT>Małgorzata");
        line("<UrodzonyDnia_DATA_EDIT>12 października");
        line("<UrodzonyMiasto_DATA_COMBOBOX>Gorzów Wielkopolski");
        line("<Plec_DATA_COMBOBOX>kobieta");
        line(std::string("<") + format.peselField + ">" + std::to_string(90000000000LL + s));
        line(std::string("</") + format.personalMarker + ">");
        for (int block = 1; block <= 5; ++block) {
            const std::string key = "KLASA " + std::to_string(block) + " MUZYCZNA";
            line("<" + key + ">");
            for (int field = 0; field < (block == 5 ? 4 : 10); ++field)
                line("<ZMIENNA_Ocena" + std::to_string(field) +
                     "_STR2_DATA_COMBOBOX>bardzo dobry (5), O'Neil");
            if (block == 5)
                for (int memo = 1; memo <= 10; ++memo)
                    line("<ZMIENNA_SzczegolneOsiagniecia_DATA_MEMO>wiersz " + std::to_string(memo) +
                         ": laureatka konkursu pianistycznego");
            line("</" + key + ">");
        }
        line("</KONIEC DANYCH SWIADECTW>");
    }
}

void Check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
}

bool Has(const std::string& line, const char* marker)
{
    return line.find(marker) != std::string::npos;
}

// Name and value of a field line "<name>value"; false without ">".
bool Cut(const std::string& line, std::string& name, std::string& value)
{
    const std::size_t gt = line.find('>');
    if (gt == std::string::npos)
        return false;
    const std::size_t lt = line.find('<');
    const std::size_t from = lt == std::string::npos || lt > gt ? 0 : lt + 1;
    name.assign(line, from, gt - from);
    value.assign(line, gt + 1);
    return true;
}

struct Row {
    std::string id, name, value;
};

void WriteStudent(sqlite3* db, const std::string& table, const std::vector<Row>& rows)
{
    const std::string quoted = "`" + table + "`";
    Check(sqlite3_exec(
              db, ("create table " + quoted + "( id TEXT, comp_name TEXT, value TEXT );").c_str(),
              nullptr, nullptr, nullptr),
          db);
    sqlite3_stmt* insert = nullptr;
    Check(sqlite3_prepare_v2(
              db, ("insert into " + quoted + "( id, comp_name, value ) VALUES( ?, ?, ? )").c_str(),
              -1, &insert, nullptr),
          db);
    for (const Row& r : rows) {
        sqlite3_bind_text(insert, 1, r.id.data(), int(r.id.size()), SQLITE_STATIC);
        sqlite3_bind_text(insert, 2, r.name.data(), int(r.name.size()), SQLITE_STATIC);
        sqlite3_bind_text(insert, 3, r.value.data(), int(r.value.size()), SQLITE_STATIC);
        Check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
}

void Floor(const std::string& source, const std::string& target, const Format& format)
{
    std::filesystem::remove(target);
    sqlite3* db = nullptr;
    Check(sqlite3_open(target.c_str(), &db), db);
    Check(sqlite3_exec(db, "begin transaction;", nullptr, nullptr, nullptr), db);
    std::ifstream in(source, std::ios::binary);
    const std::string personalEnd = std::string("</") + format.personalMarker + ">";
    std::string line, name, value, table, lastMemo;
    std::vector<Row> rows;
    auto next = [&] {
        if (!std::getline(in, line))
            return false;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return true;
    };
    while (next()) {
        if (!Has(line, "<DANE SWIADECTW DLA:"))
            continue;
        rows.clear();
        while (next() && !Has(line, format.personalMarker)) {
        }
        while (next() && !Has(line, personalEnd.c_str()))
            if (Cut(line, name, value)) {
                if (Has(name, format.peselField))
                    table = "PESEL" + value;
                rows.push_back({"DANE UCZNIA", name, value});
            }
        int memoLine = 0;
        lastMemo.clear();
        while (format.documents && next() && !Has(line, "</KONIEC DANYCH SWIADECTW>")) {
            Cut(line, name, value);
            const std::string key = name, blockEnd = "</" + key + ">";
            while (next() && !Has(line, blockEnd.c_str()))
                if (Cut(line, name, value)) {
                    if (Has(name, "_DATA_MEMO")) {
                        memoLine = name == lastMemo ? memoLine + 1 : 1;
                        lastMemo = name;
                        char tag[12];  // "%02d" of any int: three digits from 100 on
                        std::snprintf(tag, sizeof tag, "%02d", memoLine);
                        name += tag;
                    }
                    rows.push_back({key, name, value});
                }
        }
        WriteStudent(db, table, rows);
    }
    Check(sqlite3_exec(db, "commit transaction;", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

void Program(const std::string& source, const std::string& target, const Format& format)
{
    ErrorStream es;
    FSQLImport->show();
    const bool done = format.importer(es, source, target, FSQLImport, nullptr);
    FSQLImport->close();
    if (!done) {
        std::fprintf(stderr, "%s failed: %s\n", format.what, es.str().c_str());
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 7;
    StartedProgram program(argc, argv);
    if (!program.start())
        return 1;
    std::printf("%d students of 60 fields; median (min-max) of %d runs\n", kStudents, runs);
    for (const Format& format : kFormats) {
        const std::string source = program.folders().dataFile(format.file);
        const std::string target = program.folders().dataFile("data_import.sqtmp");
        WriteExport(source, format);
        Report(format.what,
               Alternate(
                   runs, [&] { Program(source, target, format); },
                   [&] { Floor(source, target, format); }),
               2.0);
    }
    return 0;
}
