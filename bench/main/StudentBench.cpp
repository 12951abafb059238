// The student work of the main window, each beside the bare SQLite work it cannot avoid,
// program and floor alternating in one run (median and spread of several repetitions):
//   load   one student's table read into the student dialog and all 48 forms, against
//          reading the same rows with prepared statements;
//   save   one student collected from every form and written (drop, create, insert in
//          one transaction) and shown in the tree, against the same rows written with
//          one prepared insert in one transaction into the same file: once with that
//          student alone in the file, once with 1,000 students;
//   open   a file of 1,000 students copied over the working copy, the list read and the
//          tree built, against copying the file and reading each student's two name rows.
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/support/BenchTiming.h"
#include "bench/support/StartedProgram.h"
#include "forms/FormRegistry.h"
#include "forms/dialogs/StudentDialog.h"
#include "main/CertificatesFile.h"
#include "main/Glowna.h"
#include "store/CertFile.h"
#include "store/Cp1250.h"
#include "store/Folders.h"

namespace {

constexpr int kRuns = 11;
constexpr int kStudents = 1000;
const std::string kTable = "PESEL90010112345";

sqlite3* OpenDb(const std::string& path)
{
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    return db;
}

void Exec(sqlite3* db, const std::string& sql)
{
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
}

// Every stored field of every form gets a text, so the student has all its rows.
void FillEveryForm(const std::string& table)
{
    DialogFields& fields = FDaneUcznia->fields();
    fields.setText(u"Nazwisko_DATA_EDIT", "Kowalska");
    fields.setText(u"Imie_DATA_EDIT", "Żaneta");
    fields.setText(u"Plec_DATA_COMBOBOX", "kobieta");
    fields.setText(u"NumerPesel_DATA_EDIT", QString::fromStdString(table.substr(5)));
    for (const auto& form : FormRegistry::instance().forms())
        for (int i = 0; i < form->componentCount(); ++i)
            if (form->component(i).name.contains("_DATA_"))
                form->setText(i, "ocena bardzo dobra");
}

void FloorWrite(const std::string& file, const std::string& table, const std::vector<FieldRecord>& records)
{
    sqlite3* db = OpenDb(file);
    Exec(db, "begin transaction;");
    Exec(db, "drop table if exists `" + table + "`");
    Exec(db, "create table `" + table + "`( id TEXT, comp_name TEXT, value TEXT )");
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, ("insert into `" + table + "` values( ?, ?, ? )").c_str(), -1, &insert, nullptr);
    for (const FieldRecord& record : records) {
        const std::string texts[] = {Utf8ToCp1250(record.id), Utf8ToCp1250(record.comp_name),
                                     Utf8ToCp1250(record.value)};
        for (int i = 0; i < 3; ++i)
            sqlite3_bind_text(insert, i + 1, texts[i].data(), int(texts[i].size()), SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    Exec(db, "commit transaction;");
    sqlite3_close(db);
}

std::size_t FloorRead(const std::string& file, const std::string& table)
{
    sqlite3* db = OpenDb(file);
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, ("select id, comp_name, value from `" + table + "`").c_str(), -1, &select, nullptr);
    std::vector<FieldRecord> rows;
    auto text = [&](int i) { return Cp1250ToUtf8(reinterpret_cast<const char*>(sqlite3_column_text(select, i))); };
    while (sqlite3_step(select) == SQLITE_ROW)
        rows.push_back({text(0), text(1), text(2)});
    sqlite3_finalize(select);
    sqlite3_close(db);
    return rows.size();
}

void WriteClassFile(const std::string& file)
{
    sqlite3* db = OpenDb(file);
    Exec(db, "begin transaction;");
    for (int n = 0; n < kStudents; ++n) {
        const std::string table = "PESEL" + std::to_string(90000000000LL + n);
        Exec(db, "create table `" + table + "`( id TEXT, comp_name TEXT, value TEXT )");
        const std::pair<const char*, std::string> rows[] = {
            {"Nazwisko_DATA_EDIT", Utf8ToCp1250("Łukasik" + std::to_string(n * 7919 % kStudents))},
            {"Imie_DATA_EDIT", "Jan"},
            {"Plec_DATA_COMBOBOX", "kobieta"},
            {"NumerPesel_DATA_EDIT", table.substr(5)},
        };
        for (const auto& [name, value] : rows)
            Exec(db, "insert into `" + table + "` values( 'DANE UCZNIA', '" + name + "', '" + value + "' )");
    }
    Exec(db, "commit transaction;");
    sqlite3_close(db);
}

std::size_t FloorOpen(const std::string& file, const std::string& working)
{
    std::filesystem::copy_file(file, working, std::filesystem::copy_options::overwrite_existing);
    sqlite3* db = OpenDb(working);
    std::vector<std::string> tables;
    sqlite3_stmt* list = nullptr;
    sqlite3_prepare_v2(db, "select name from sqlite_master where type = 'table'", -1, &list, nullptr);
    while (sqlite3_step(list) == SQLITE_ROW)
        tables.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(list, 0)));
    sqlite3_finalize(list);
    std::vector<std::string> names;
    for (const std::string& table : tables) {
        std::string name;
        for (const char* field : {"Nazwisko_DATA_EDIT", "Imie_DATA_EDIT"}) {
            sqlite3_stmt* select = nullptr;
            const std::string sql = "select value from `" + table +
                                    "` where id = 'DANE UCZNIA' and comp_name = '" + field + "'";
            sqlite3_prepare_v2(db, sql.c_str(), -1, &select, nullptr);
            if (sqlite3_step(select) == SQLITE_ROW)
                name += Cp1250ToUtf8(reinterpret_cast<const char*>(sqlite3_column_text(select, 0))) + " ";
            sqlite3_finalize(select);
        }
        names.push_back(name);
    }
    sqlite3_close(db);
    return names.size();
}

}  // namespace

int main(int argc, char** argv)
{
    StartedProgram program(argc, argv);
    if (!program.start())
        return 1;
    TFGlowna& window = *FGlowna;
    ErrorStream es;
    const std::string working = DataTmpPath(es);
    iFunCheckIsStudentExists(es, working, kTable, true);

    FillEveryForm(kTable);
    if (!window.SaveStudentData()) {
        std::fprintf(stderr, "save failed: %s\n", es.str().c_str());
        return 1;
    }
    const std::vector<FieldRecord> records = window.RecordList;
    std::printf("one student: %zu stored fields; median (min-max) of %d\n", records.size(), kRuns);

    const auto load = Alternate(kRuns, [&] { window.LoadStudentData(kTable); }, [&] { FloorRead(working, kTable); });
    Report("load one student into all forms", load);
    const std::string floorTable = kTable + "_floor";
    const auto saveAlone = Alternate(kRuns, [&] { window.SaveStudentData(); },
                                     [&] { FloorWrite(working, floorTable, records); });
    Report("save one student (1 student in the file)", saveAlone, 1.5);

    const std::string classFile = program.folders().root() + "/klasa.sqvlm";
    WriteClassFile(classFile);
    const QString classPath = QString::fromStdString(classFile);
    const auto open = Alternate(kRuns, [&] { bFunWczytajPlikSwiadectw(window, classPath); },
                                [&] { FloorOpen(classFile, working + ".floor"); });
    if (window.TreeView == nullptr || window.StudentList.size() != std::size_t(kStudents)) {
        std::fprintf(stderr, "open read %zu students\n", window.StudentList.size());
        return 1;
    }
    Report("open a file of 1000 students and build the tree", open);

    // One of the 1,000 students, every form filled, selected in the tree.
    const std::string classTable = "PESEL" + std::to_string(90000000000LL + kStudents / 2);
    window.LoadStudentData(classTable);
    FillEveryForm(classTable);
    const auto saveInClass = Alternate(kRuns, [&] { window.SaveStudentData(); },
                                       [&] { FloorWrite(working, floorTable, window.RecordList); });
    if (window.StudentList.size() != std::size_t(kStudents)) {
        std::fprintf(stderr, "the save changed the list to %zu students\n", window.StudentList.size());
        return 1;
    }
    Report("save one student (1,000 students in the file)", saveInClass, 1.5);
    return 0;
}
