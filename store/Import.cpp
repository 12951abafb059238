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
#include "store/StudentTable.h"

namespace {

constexpr const char* kLogName = "bFunImportDataFromFile";
constexpr const char* kStudentStart = "<DANE SWIADECTW DLA:";
constexpr const char* kStudentEnd = "</KONIEC DANYCH SWIADECTW>";
constexpr int kMaxMemoLines = 99;  // memo lines are tagged with two digits

struct ExportFormat {
    const char* name;  // as the user knows the format, for messages
    const char* personalStart;
    const char* personalEnd;
    const char* peselField;  // its value names the student's table
    bool renamePesel;        // store the PESEL row as NumerPesel_DATA_EDIT
    bool hasDocuments;
};

const ExportFormat kMusicSchool = {"Sonavera (*.snv)", "<DANE UCZNIA MUZYCZNA>", "</DANE UCZNIA MUZYCZNA>",
                                   "NumerPesel_DATA_EDIT", false, true};
const ExportFormat kPrimarySchool = {"Miralenska (*.m46)", "<DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>",
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
        ++number_;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        line = Cp1250ToUtf8(raw);
        return true;
    }

    // The number of the line read last, from 1.
    int number() const { return number_; }

private:
    std::ifstream in_;
    bool regularFile_ = false;
    int number_ = 0;
};

// Refuses, before anything is written, a file that is no export of `format`: lines ended
// by a lone CR (the whole file would read as one line), no student at all, or a student
// without personal data in this format (the other format's export).
bool CheckFormat(ErrorStream& es, const std::string& source, const ExportFormat& format) {
    auto refuse = [&](const std::string& why) {
        Fail(es, std::string("Wybrany plik nie jest eksportem danych ") + format.name + ":\n" + source + "\n\n" + why,
             kLogName);
        return false;
    };
    std::ifstream in(source, std::ios::binary);
    std::string raw;
    int number = 0, studentLine = 0;
    bool personalSeen = true, anyStudent = false;
    auto studentWithoutPersonalData = [&] {
        return refuse("Uczeń z wiersza " + std::to_string(studentLine) + " nie ma danych osobowych w tym formacie.");
    };
    // The markers are ASCII: the raw bytes are searched.
    while (std::getline(in, raw)) {
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        if (raw.find('\r') != std::string::npos)
            return refuse("Wiersz " + std::to_string(number) + " zawiera znak CR bez znaku LF: plik ma nieznany "
                          "podział na wiersze.");
        if (Contains(raw, kStudentStart)) {
            if (!personalSeen) return studentWithoutPersonalData();
            studentLine = number;
            personalSeen = false;
            anyStudent = true;
        } else if (Contains(raw, format.personalStart)) {
            personalSeen = true;
        }
    }
    if (!anyStudent) return refuse("Plik nie zawiera danych żadnego ucznia.");
    if (!personalSeen) return studentWithoutPersonalData();
    return true;
}

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
    std::vector<std::pair<std::string, int>> memoLinesDropped;  // memo name, lines past the 99th
};

std::string PersonalValue(const StudentRows& student, const std::string& name) {
    for (const FieldRecord& r : student.personal)
        if (r.comp_name == name) return r.value;
    return {};
}

std::string DisplayName(const StudentRows& student) {
    return PersonalValue(student, "Nazwisko_DATA_EDIT") + " " + PersonalValue(student, "Imie_DATA_EDIT");
}

bool Unterminated(ErrorStream& es, const std::string& what, int startLine, const std::string& endLine) {
    Fail(es, what + " z wiersza " + std::to_string(startLine) + " nie ma wiersza końcowego \"" + endLine +
                 "\". Import przerwano, dane nie zostały zmienione.",
         kLogName);
    return false;
}

// Personal data rows; consecutive lines of one memo become one row joined by "\n".
void AddPersonalField(const ExportFormat& format, StudentRows& student, std::string name, std::string value) {
    if (Contains(name, format.peselField)) {
        student.table = StudentTableName(value);
        if (format.renamePesel) name = "NumerPesel_DATA_EDIT";
    }
    if (Contains(name, "_DATA_MEMO") && !student.personal.empty() && student.personal.back().comp_name == name) {
        student.personal.back().value += "\n" + value;
        return;
    }
    student.personal.push_back({kStudentDataKey, std::move(name), std::move(value)});
}

// False (the reason in the stream) when the personal data run into the next student or the
// end of the file without their end line.
bool ReadPersonalData(ErrorStream& es, ExportReader& in, const ExportFormat& format, StudentRows& student) {
    std::string line;
    while (in.next(line)) {
        if (Contains(line, format.personalEnd)) return true;
        if (Contains(line, format.personalStart)) break;
    }
    const int startLine = in.number();
    std::string name, value;
    while (in.next(line)) {
        if (Contains(line, format.personalEnd)) return true;
        if (Contains(line, kStudentStart)) break;
        if (CutField(line, name, value)) AddPersonalField(format, student, std::move(name), std::move(value));
    }
    return Unterminated(es, std::string("Blok danych ucznia \"") + format.personalStart + "\"", startLine,
                        format.personalEnd);
}

// Document blocks up to the student's end marker. Lines of one memo are numbered
// name01, name02, ... across the student's blocks. A block that runs into the next student
// or the end of the file without its end line fails the import: read on, it would swallow
// every later student.
bool ReadDocumentBlocks(ErrorStream& es, ExportReader& in, StudentRows& student) {
    std::string line, lastMemo;
    int memoLine = 0;
    while (in.next(line) && !Contains(line, kStudentEnd)) {
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        const std::string key = NameOf(line);
        const std::string blockEnd = "</" + key + ">";
        const int startLine = in.number();
        bool closed = false;
        std::string name, value;
        while (in.next(line)) {
            if (Contains(line, blockEnd)) {
                closed = true;
                break;
            }
            if (Contains(line, kStudentStart) || Contains(line, kStudentEnd)) break;
            if (!CutField(line, name, value)) continue;
            if (Contains(name, "_DATA_MEMO")) {
                memoLine = name == lastMemo ? memoLine + 1 : 1;
                lastMemo = name;
                if (memoLine > kMaxMemoLines) {
                    if (memoLine == kMaxMemoLines + 1) student.memoLinesDropped.emplace_back(name, 0);
                    ++student.memoLinesDropped.back().second;
                    continue;
                }
                char tag[4];
                std::snprintf(tag, sizeof tag, "%02d", memoLine);
                name += tag;
            }
            student.documents.push_back({key, std::move(name), std::move(value)});
        }
        if (!closed) return Unterminated(es, "Blok \"" + key + "\"", startLine, blockEnd);
    }
    return true;
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
        db.RunUpdate(CreateStudentTableSql(student.table));
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

void NoteSkipped(ImportNotes* notes, const StudentRows& student) {
    if (!notes) return;
    const std::string pesel = StudentTablePesel(student.table);
    notes->skipped.push_back(pesel.empty()
                                 ? "uczeń pominięty, bez numeru PESEL jest już inny uczeń: " + DisplayName(student)
                                 : "uczeń pominięty, numer PESEL powtarza się: " + pesel + " (" +
                                       DisplayName(student) + ")");
}

void NoteDroppedMemoLines(ImportNotes* notes, const StudentRows& student) {
    if (!notes) return;
    for (const auto& [memo, count] : student.memoLinesDropped)
        notes->skipped.push_back("notatka " + memo + " ucznia " + DisplayName(student) + ": pominięto wiersze ponad " +
                                 std::to_string(kMaxMemoLines) + " (" + std::to_string(count) + ")");
}

// A student whose PESEL repeats one already imported (students without one share the
// empty number) is skipped and noted; the others are imported.
bool ImportExport(ErrorStream& es, const std::string& source, const std::string& target,
                  const ExportFormat& format, ProgressSink* progress, ImportNotes* notes) {
    if (ReportMissingFile(es, source, "Plik źródłowy nie istnieje: \n", kLogName)) return false;
    ExportReader in(source);
    if (!in.isOpen()) {
        Fail(es, "Nie można otworzyć pliku źródłowego: \n" + source, kLogName);
        return false;
    }
    if (!CheckFormat(es, source, format)) return false;
    if (FileExists(target) && unlink(target.c_str()) != 0) {
        Fail(es, "Błąd kasowania pliku: \n" + target, kLogName);
        return false;
    }
    std::string line;
    while (in.next(line)) {
        if (!Contains(line, kStudentStart)) continue;
        StudentRows student;
        if (!ReadPersonalData(es, in, format, student)) return false;
        if (format.hasDocuments && !ReadDocumentBlocks(es, in, student)) return false;
        switch (WriteStudent(es, target, student, format.hasDocuments, progress)) {
        case WriteResult::Written: NoteDroppedMemoLines(notes, student); break;
        case WriteResult::Duplicate: NoteSkipped(notes, student); break;
        case WriteResult::Failed: return false;
        }
    }
    return true;
}

}  // namespace

bool bFunImportDataFromFile(ErrorStream& es, const std::string& source, const std::string& target,
                            ProgressSink* progress, ImportNotes* notes) {
    return ImportExport(es, source, target, kMusicSchool, progress, notes);
}

bool bFunImportPrimaryDataFromFile(ErrorStream& es, const std::string& source, const std::string& target,
                                   ProgressSink* progress, ImportNotes* notes) {
    return ImportExport(es, source, target, kPrimarySchool, progress, notes);
}
