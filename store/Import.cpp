#include "store/Import.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "store/Cp1250.h"
#include "store/CppSQLite3.h"
#include "store/Folders.h"
#include "store/Frame.h"
#include "store/Records.h"
#include "store/SqlText.h"

namespace {

constexpr const char* kLogName = "bFunImportDataFromFile";
constexpr const char* kStudentStart = "<DANE SWIADECTW DLA:";
constexpr const char* kStudentEnd = "</KONIEC DANYCH SWIADECTW>";
constexpr int kMaxMemoLines = 99;  // memo lines are tagged with two digits

struct ExportFormat {
    const char* personalStart;
    const char* personalEnd;
    const char* peselField;  // its value names the student's table
    bool renamePesel;        // store the PESEL row as NumerPesel_DATA_EDIT
    bool hasDocuments;
};

const ExportFormat kMusicSchool = {"<DANE UCZNIA MUZYCZNA>", "</DANE UCZNIA MUZYCZNA>",
                                   "NumerPesel_DATA_EDIT", false, true};
const ExportFormat kPrimarySchool = {"<DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>",
                                     "</DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>", "NrPesel_DATA_EDIT", true, false};

bool Contains(const std::string& line, const std::string& marker) {
    return line.find(marker) != std::string::npos;
}

// The export, line by line, as UTF-8 without the line end.
class ExportReader {
public:
    explicit ExportReader(const std::string& path) : in_(path, std::ios::binary) {
        std::error_code ec;
        regularFile_ = std::filesystem::is_regular_file(path, ec);
    }
    // A folder opens as a stream too, but yields nothing.
    bool isOpen() const { return regularFile_ && in_.is_open(); }
    bool next(std::string& line) {
        std::string raw;
        if (!std::getline(in_, raw)) return false;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        line = Cp1250ToUtf8(raw);
        return true;
    }

private:
    std::ifstream in_;
    bool regularFile_ = false;
};

// The component name of a field line ("<name>value") or of a block's start line.
std::string NameOf(const std::string& line) {
    const std::size_t lt = line.find('<');
    const std::string rest = lt == std::string::npos ? line : line.substr(lt + 1);
    return rest.substr(0, rest.find('>'));
}

// Cuts a field line into name and value; false for a line without ">".
bool CutField(const std::string& line, std::string& name, std::string& value) {
    const std::size_t gt = line.find('>');
    if (gt == std::string::npos) return false;
    value = line.substr(gt + 1);
    name = NameOf(line);
    return true;
}

struct StudentRows {
    std::string table;
    std::vector<FieldRecord> personal;
    std::vector<FieldRecord> documents;
};

// Personal data rows; consecutive lines of one memo become one row joined by "\n".
void AddPersonalField(const ExportFormat& format, StudentRows& student, std::string name, std::string value) {
    if (Contains(name, format.peselField)) {
        student.table = "PESEL" + value;
        if (format.renamePesel) name = "NumerPesel_DATA_EDIT";
    }
    if (Contains(name, "_DATA_MEMO") && !student.personal.empty() && student.personal.back().comp_name == name) {
        student.personal.back().value += "\n" + value;
        return;
    }
    student.personal.push_back({"DANE UCZNIA", std::move(name), std::move(value)});
}

void ReadPersonalData(ExportReader& in, const ExportFormat& format, StudentRows& student) {
    std::string line;
    while (in.next(line)) {
        if (Contains(line, format.personalEnd)) return;
        if (Contains(line, format.personalStart)) break;
    }
    std::string name, value;
    while (in.next(line) && !Contains(line, format.personalEnd))
        if (CutField(line, name, value)) AddPersonalField(format, student, std::move(name), std::move(value));
}

// Document blocks up to the student's end marker. Lines of one memo are numbered
// name01, name02, ... across the student's blocks.
void ReadDocumentBlocks(ExportReader& in, StudentRows& student) {
    std::string line, lastMemo;
    int memoLine = 0;
    while (in.next(line) && !Contains(line, kStudentEnd)) {
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        const std::string key = NameOf(line);
        const std::string blockEnd = "</" + key + ">";
        std::string name, value;
        while (in.next(line) && !Contains(line, blockEnd)) {
            if (!CutField(line, name, value)) continue;
            if (Contains(name, "_DATA_MEMO")) {
                memoLine = name == lastMemo ? memoLine + 1 : 1;
                lastMemo = name;
                if (memoLine > kMaxMemoLines) continue;
                char tag[4];
                std::snprintf(tag, sizeof tag, "%02d", memoLine);
                name += tag;
            }
            student.documents.push_back({key, std::move(name), std::move(value)});
        }
    }
}

bool InsertRows(ErrorStream& es, CppSQLite3DB& db, const std::string& table,
                const std::vector<FieldRecord>& rows, ProgressSink* progress, const std::string& info) {
    if (progress) progress->Begin(info, static_cast<int>(rows.size()));
    for (const FieldRecord& r : rows) {
        const std::string insert = "insert into " + SqlIdent(table) + "( id, comp_name, value ) VALUES( " +
                                   SqlValue(r.id) + ", " + SqlValue(r.comp_name) + ", " + SqlValue(r.value) + ")";
        if (db.RunUpdate(insert) == 0) {
            RollbackQuietly(db);
            Fail(es, "Błąd wpisu do bazy: \n" + insert, "bFunWriteStudentDataToDB()");
            return false;
        }
        if (progress) progress->Advance();
    }
    return true;
}

enum class WriteResult { Written, Duplicate, Failed };

// Writes one student (table, personal rows, document rows) all or nothing.
WriteResult WriteStudent(ErrorStream& es, const std::string& target, const StudentRows& student,
                         bool hasDocuments, ProgressSink* progress) {
    CppSQLite3DB db;
    try {
        db.Open(target, CppSQLite3DB::OpenMode::Create);
        if (db.HasTable(student.table)) {
            Fail(es, "Numer PESEL powtarza się w pliku importu, uczeń pominięty: \n" + student.table,
                 "bFunWriteStudentDataToDB()");
            return WriteResult::Duplicate;
        }
        db.RunUpdate("begin transaction;");
        db.RunUpdate("create table " + SqlIdent(student.table) + "( id TEXT, comp_name TEXT, value TEXT );");
        if (!InsertRows(es, db, student.table, student.personal, progress, "importuje dane ucznia..."))
            return WriteResult::Failed;
        if (hasDocuments && !InsertRows(es, db, student.table, student.documents, progress,
                                        "importuje świadectwa dla " + student.table))
            return WriteResult::Failed;
        db.RunUpdate("commit transaction;");
        db.Close();
        return WriteResult::Written;
    } catch (const CppSQLite3Exception& e) {
        RollbackQuietly(db);
        FailDb(es, "SQLite exception: \n", e, "bFunWriteStudentDataToDB()");
        return WriteResult::Failed;
    }
}

// A student whose PESEL repeats one already imported is skipped and reported; the import
// goes on and its result is then false.
bool ImportExport(ErrorStream& es, const std::string& source, const std::string& target,
                  const ExportFormat& format, ProgressSink* progress) {
    if (ReportMissingFile(es, source, "Plik źródłowy nie istnieje: \n", kLogName)) return false;
    ExportReader in(source);
    if (!in.isOpen()) {
        Fail(es, "Nie można otworzyć pliku źródłowego: \n" + source, kLogName);
        return false;
    }
    if (FileExists(target) && unlink(target.c_str()) != 0) {
        Fail(es, "Błąd kasowania pliku: \n" + target, kLogName);
        return false;
    }
    bool allWritten = true;
    std::string line;
    while (in.next(line)) {
        if (!Contains(line, kStudentStart)) continue;
        StudentRows student;
        ReadPersonalData(in, format, student);
        if (format.hasDocuments) ReadDocumentBlocks(in, student);
        switch (WriteStudent(es, target, student, format.hasDocuments, progress)) {
        case WriteResult::Written: break;
        case WriteResult::Duplicate: allWritten = false; break;
        case WriteResult::Failed: return false;
        }
    }
    return allWritten;
}

}  // namespace

bool bFunImportDataFromFile(ErrorStream& es, const std::string& source, const std::string& target,
                            ProgressSink* progress) {
    return ImportExport(es, source, target, kMusicSchool, progress);
}

bool bFunImportPrimaryDataFromFile(ErrorStream& es, const std::string& source, const std::string& target,
                                   ProgressSink* progress) {
    return ImportExport(es, source, target, kPrimarySchool, progress);
}
