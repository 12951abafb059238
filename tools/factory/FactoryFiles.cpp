// Writes the factory SQLite files of the program folder from the readable sources:
//   vlm_factory <sources folder> <program folder>
// "ustawienia.sqset" (settings, city, province, margin) and "pliki_kat.sqset" (dir, files).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "store/CppSQLite3.h"
#include "store/SqlText.h"

namespace fs = std::filesystem;

namespace {

// The source's lines without comments ("#") and blank lines.
std::vector<std::string> ReadLines(const fs::path& path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        lines.push_back(line);
    }
    return lines;
}

std::string Trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> Split(const std::string& s, char separator)
{
    std::vector<std::string> parts;
    std::stringstream in(s);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(Trim(part));
    return parts;
}

int Number(const std::string& s, const std::string& line)
{
    std::size_t used = 0;
    const int n = std::stoi(s, &used);
    if (used != s.size())
        throw std::runtime_error("not a number in: " + line);
    return n;
}

void WriteSettingsFile(const fs::path& sources, const fs::path& target)
{
    CppSQLite3DB db;
    db.Open(target.string(), CppSQLite3DB::OpenMode::Create);
    db.RunUpdate("begin transaction;");
    db.RunUpdate("create table `settings`( name TEXT, text_value TEXT, int_value INTEGER )");
    for (const std::string& line : ReadLines(sources / "settings.txt")) {
        const auto parts = Split(line, '\t');
        if (parts.size() != 2)
            throw std::runtime_error("settings line: " + line);
        db.RunUpdate("insert into `settings`( `name`, `int_value` ) values( " + SqlValue(parts[0]) +
                     ", " + SqlValue(Number(parts[1], line)) + " )");
    }
    for (const auto& [table, file] :
         {std::pair{"city", "towns.txt"}, std::pair{"province", "voivodeships.txt"}}) {
        db.RunUpdate("create table " + SqlIdent(table) + "( name TEXT )");
        for (const std::string& line : ReadLines(sources / file))
            db.RunUpdate("insert into " + SqlIdent(table) + "( `name` ) values( " +
                         SqlValue(Trim(line)) + " )");
    }
    std::string columns = "`name`";
    std::string columnTypes = "name TEXT";
    for (int page = 1; page <= 4; ++page)
        for (const char* edge : {"X1", "Y1", "X2", "Y2"}) {
            const std::string column = "Page" + std::to_string(page) + edge;
            columns += ", " + SqlIdent(column);
            columnTypes += ", " + column + " INTEGER";
        }
    columns += ", `A4`, `Portrait`";
    db.RunUpdate("create table `margin`( " + columnTypes + ", A4 INTEGER, Portrait INTEGER )");
    for (const std::string& line : ReadLines(sources / "margins.txt")) {
        const auto parts = Split(line, '|');
        if (parts.size() != 7)
            throw std::runtime_error("margin line: " + line);
        std::string values = SqlValue(parts[0]);
        for (int page = 1; page <= 4; ++page) {
            const auto edges = Split(parts[page], ' ');
            if (edges.size() != 4)
                throw std::runtime_error("margin rectangle: " + line);
            for (const std::string& edge : edges)
                values += ", " + SqlValue(Number(edge, line));
        }
        values += ", " + SqlValue(Number(parts[5], line)) + ", " + SqlValue(Number(parts[6], line));
        db.RunUpdate("insert into `margin`( " + columns + " ) values( " + values + " )");
    }
    db.RunUpdate("commit transaction;");
    db.Close();
}

void WriteRequiredFilesList(const fs::path& sources, const fs::path& target)
{
    CppSQLite3DB db;
    db.Open(target.string(), CppSQLite3DB::OpenMode::Create);
    db.RunUpdate("begin transaction;");
    db.RunUpdate("create table `dir`( name TEXT )");
    db.RunUpdate("create table `files`( name TEXT, `update` INTEGER )");
    for (const std::string& line : ReadLines(sources / "required_files.txt")) {
        const std::string line_ = Trim(line);
        const auto blank = line_.find(' ');
        const std::string kind = line_.substr(0, blank);
        const std::string name =
            blank == std::string::npos ? std::string() : Trim(line_.substr(blank));
        if (name.empty() || (kind != "dir" && kind != "file" && kind != "replace"))
            throw std::runtime_error("required-files line: " + line);
        if (kind == "dir")
            db.RunUpdate("insert into `dir`( `name` ) values( " + SqlValue(name) + " )");
        else
            db.RunUpdate("insert into `files`( `name`, `update` ) values( " + SqlValue(name) +
                         ", " + SqlValue(kind == "replace" ? 1 : 0) + " )");
    }
    db.RunUpdate("commit transaction;");
    db.Close();
}

// Builds the file beside its target and moves it into place, so a failed run leaves the
// previous file whole.
template <typename Writer>
void Generate(const fs::path& sources, const fs::path& target, Writer write)
{
    const fs::path temporary = target.string() + ".new";
    fs::remove(temporary);
    write(sources, temporary);
    fs::rename(temporary, target);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <sources folder> <program folder>\n", argv[0]);
        return 2;
    }
    const fs::path sources = argv[1];
    const fs::path program = argv[2];
    try {
        fs::create_directories(program);
        Generate(sources, program / "ustawienia.sqset", WriteSettingsFile);
        Generate(sources, program / "pliki_kat.sqset", WriteRequiredFilesList);
    } catch (const CppSQLite3Exception& e) {
        std::fprintf(stderr, "vlm_factory: %s\n", e.Message().c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vlm_factory: %s\n", e.what());
        return 1;
    }
    return 0;
}
