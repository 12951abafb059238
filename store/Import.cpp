#include "store/Import.h"

#include <unistd.h>

#include <cstdio>
#include <new>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "store/CppSQLite3.h"
#include "store/ExportReader.h"
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

const ExportFormat kMusicSchool = {"Sonavera (*.snv)",
                                   "<DANE UCZNIA MUZYCZNA>",
                                   "</DANE UCZNIA MUZYCZNA>",
                                   "NumerPesel_DATA_EDIT",
                                   false,
                                   true};
const ExportFormat kPrimarySchool = {"Miralenska (*.m46)",
                                     "<DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>",
                                     "</DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>",
                                     "NrPesel_DATA_EDIT",
                                     true,
                                     false};

bool Contains(const std::string& line, const std::string& marker)
{
    return line.find(marker) != std::string::npos;
}

// Refuses, before anything is written, a file that is no export of `format`: lines ended
// by a lone CR (the whole file would read as one line), no student at all, or a student
// without personal data in this format (the other format's export).
bool CheckFormat(ErrorStream& es, ExportReader& in, const std::string& source,
                 const ExportFormat& format)
{
    auto refuse = [&](const std::string& why) {
        Fail(es,
             std::string("Wybrany plik nie jest eksportem danych ") + format.name + ":\n" + source +
                 "\n\n" + why,
             kLogName);
        return false;
    };
    std::string raw;
    long long studentLine = 0;
    bool personalSeen = true, anyStudent = false;
    auto studentWithoutPersonalData = [&] {
        return refuse("Uczeń z wiersza " + std::to_string(studentLine) +
                      " nie ma danych osobowych w tym formacie.");
    };
    // The markers are ASCII: the raw bytes are searched.
    while (in.NextRaw(raw)) {
        if (raw.find('\r') != std::string::npos)
            return refuse("Wiersz " + std::to_string(in.Number()) +
                          " zawiera znak CR bez znaku LF: plik ma nieznany "
                          "podział na wiersze.");
        if (Contains(raw, kStudentStart)) {
            if (!personalSeen)
                return studentWithoutPersonalData();
            studentLine = in.Number();
            personalSeen = false;
            anyStudent = true;
        } else if (Contains(raw, format.personalStart)) {
            personalSeen = true;
        }
    }
    if (!anyStudent)
        return refuse("Plik nie zawiera danych żadnego ucznia.");
    if (!personalSeen)
        return studentWithoutPersonalData();
    in.Rewind();
    return true;
}

// The component name of a field line ("<name>value") or of a block's start line.
std::string NameOf(const std::string& line)
{
    const std::size_t lt = line.find('<');
    const std::string rest = lt == std::string::npos ? line : line.substr(lt + 1);
    return rest.substr(0, rest.find('>'));
}

// Cuts a field line into name and value; false for a line without ">".
bool CutField(const std::string& line, std::string& name, std::string& value)
{
    const std::size_t gt = line.find('>');
    if (gt == std::string::npos)
        return false;
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

std::string PersonalValue(const StudentRows& student, const std::string& name)
{
    for (const FieldRecord& r : student.personal)
        if (r.comp_name == name)
            return r.value;
    return {};
}

std::string DisplayName(const StudentRows& student)
{
    return PersonalValue(student, "Nazwisko_DATA_EDIT") + " " +
           PersonalValue(student, "Imie_DATA_EDIT");
}

// A block of the export by its name (the start line cut by the name rule) and the number
// of its start line.
struct OpenBlock {
    std::string name;
    long long line;
};

bool Unterminated(ErrorStream& es, const std::string& what, long long startLine,
                  const std::string& endLine)
{
    Fail(es,
         what + " z wiersza " + std::to_string(startLine) + " nie ma wiersza końcowego \"" +
             endLine + "\". Import przerwano, dane nie zostały zmienione.",
         kLogName);
    return false;
}

bool Unterminated(ErrorStream& es, const OpenBlock& block, const std::string& endLine)
{
    return Unterminated(es, "Blok \"" + block.name + "\"", block.line, endLine);
}

// Personal data rows; consecutive lines of one memo become one row joined by "\n".
void AddPersonalField(const ExportFormat& format, StudentRows& student, std::string name,
                      std::string value)
{
    if (Contains(name, format.peselField)) {
        student.table = StudentTableName(value);
        if (format.renamePesel)
            name = "NumerPesel_DATA_EDIT";
    }
    if (Contains(name, "_DATA_MEMO") && !student.personal.empty() &&
        student.personal.back().comp_name == name) {
        student.personal.back().value += "\n" + value;
        return;
    }
    student.personal.push_back({kStudentDataKey, std::move(name), std::move(value)});
}

// False (the reason in the stream) when the personal data run into the next student or the
// end of the file without their end line.
bool ReadPersonalData(ErrorStream& es, ExportReader& in, const ExportFormat& format,
                      StudentRows& student)
{
    std::string line;
    while (in.Next(line)) {
        if (Contains(line, format.personalEnd))
            return true;
        if (Contains(line, format.personalStart))
            break;
    }
    const long long startLine = in.Number();
    std::string name, value;
    while (in.Next(line)) {
        if (Contains(line, format.personalEnd))
            return true;
        if (Contains(line, kStudentStart))
            break;
        if (CutField(line, name, value))
            AddPersonalField(format, student, std::move(name), std::move(value));
    }
    return Unterminated(es, std::string("Blok danych ucznia \"") + format.personalStart + "\"",
                        startLine, format.personalEnd);
}

// Document blocks up to the student's end marker. Lines of one memo are numbered
// name01, name02, ... across the student's blocks. A block that runs into the next student
// or the end of the file without its end line fails the import (read on, it would swallow
// every later student), and so does the student's own block: the innermost block left
// open is named, with the line it starts on.
bool ReadDocumentBlocks(ErrorStream& es, ExportReader& in, const OpenBlock& studentBlock,
                        StudentRows& student)
{
    std::string line, lastMemo;
    int memoLine = 0;
    for (;;) {
        if (!in.Next(line) || Contains(line, kStudentStart))
            return Unterminated(es, studentBlock, kStudentEnd);
        if (Contains(line, kStudentEnd))
            return true;
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        const OpenBlock block{NameOf(line), in.Number()};
        const std::string blockEnd = "</" + block.name + ">";
        bool closed = false;
        std::string name, value;
        while (in.Next(line)) {
            if (Contains(line, blockEnd)) {
                closed = true;
                break;
            }
            if (Contains(line, kStudentStart) || Contains(line, kStudentEnd))
                break;
            if (!CutField(line, name, value))
                continue;
            if (Contains(name, "_DATA_MEMO")) {
                memoLine = name == lastMemo ? memoLine + 1 : 1;
                lastMemo = name;
                if (memoLine > kMaxMemoLines) {
                    if (memoLine == kMaxMemoLines + 1)
                        student.memoLinesDropped.emplace_back(name, 0);
                    ++student.memoLinesDropped.back().second;
                    continue;
                }
                char tag[4];
                std::snprintf(tag, sizeof tag, "%02d", memoLine);
                name += tag;
            }
            student.documents.push_back({block.name, std::move(name), std::move(value)});
        }
        if (!closed)
            return Unterminated(es, block, blockEnd);
    }
}

enum class WriteResult { Written, Duplicate, Failed };

// The new file the import writes, through one connection and in one transaction: the
// import is all or nothing (closing without the commit rolls back), and a student costs no
// commit of its own. Throws CppSQLite3Exception.
class ImportTarget {
public:
    explicit ImportTarget(const std::string& path)
    {
        db_.Open(path, CppSQLite3DB::OpenMode::Create);
        db_.RunUpdate("begin transaction;");
    }

    // One student's table and rows; Duplicate, with nothing written, when a student before
    // took the table's name (SQLite's names ignore the case of ASCII letters).
    WriteResult Write(ErrorStream& es, const StudentRows& student, bool hasDocuments,
                      ProgressSink* progress)
    {
        if (!tables_.insert(FoldedAscii(student.table)).second) {
            Fail(es,
                 "Numer PESEL powtarza się w pliku importu, uczeń pominięty: \n" + student.table,
                 "bFunWriteStudentDataToDB()");
            return WriteResult::Duplicate;
        }
        db_.RunUpdate(CreateStudentTableSql(student.table));
        CppSQLite3Statement insert = db_.PrepareStatement(InsertStudentRowSql(student.table));
        if (!InsertRows(es, insert, student.table, student.personal, progress,
                        "importuje dane ucznia...") ||
            (hasDocuments && !InsertRows(es, insert, student.table, student.documents, progress,
                                         "importuje świadectwa dla " + student.table)))
            return WriteResult::Failed;
        return WriteResult::Written;
    }

    void Commit()
    {
        db_.RunUpdate("commit transaction;");
        db_.Close();
    }

private:
    static std::string FoldedAscii(std::string name)
    {
        for (char& c : name)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return name;
    }

    static bool InsertRows(ErrorStream& es, CppSQLite3Statement& insert, const std::string& table,
                           const std::vector<FieldRecord>& rows, ProgressSink* progress,
                           const std::string& info)
    {
        if (progress)
            progress->Begin(info, static_cast<int>(rows.size()));
        for (const FieldRecord& r : rows) {
            insert.BindText(1, r.id);
            insert.BindText(2, r.comp_name);
            insert.BindText(3, r.value);
            if (insert.Execute() == 0) {
                Fail(es, "Błąd wpisu do bazy: \n" + SpelledInsert(table, r),
                     "bFunWriteStudentDataToDB()");
                return false;
            }
            if (progress)
                progress->Advance();
        }
        return true;
    }

    // The insert of `row` as one statement, for the message of a failed one.
    static std::string SpelledInsert(const std::string& table, const FieldRecord& row)
    {
        return SpelledSql("insert into " + SqlIdent(table) +
                              "( id, comp_name, value ) VALUES( ?, ?, ?)",
                          {row.id, row.comp_name, row.value});
    }

    CppSQLite3DB db_;
    std::set<std::string> tables_;
};

void NoteSkipped(ImportNotes* notes, const StudentRows& student)
{
    if (!notes)
        return;
    const std::string pesel = StudentTablePesel(student.table);
    notes->skipped.push_back(pesel.empty()
                                 ? "uczeń pominięty, bez numeru PESEL jest już inny uczeń: " +
                                       DisplayName(student)
                                 : "uczeń pominięty, numer PESEL powtarza się: " + pesel + " (" +
                                       DisplayName(student) + ")");
}

void NoteDroppedMemoLines(ImportNotes* notes, const StudentRows& student)
{
    if (!notes)
        return;
    for (const auto& [memo, count] : student.memoLinesDropped)
        notes->skipped.push_back("notatka " + memo + " ucznia " + DisplayName(student) +
                                 ": pominięto wiersze ponad " + std::to_string(kMaxMemoLines) +
                                 " (" + std::to_string(count) + ")");
}

// A student whose PESEL repeats one already imported (students without one share the
// empty number) is skipped and noted; the others are imported.
bool ImportStudents(ErrorStream& es, const std::string& source, const std::string& target,
                    const ExportFormat& format, ProgressSink* progress, ImportNotes* notes)
{
    if (ReportMissingFile(es, source, "Plik źródłowy nie istnieje: \n", kLogName))
        return false;
    ExportReader in;
    if (!in.Open(es, source, kLogName) || !CheckFormat(es, in, source, format))
        return false;
    if (FileExists(target) && unlink(target.c_str()) != 0) {
        Fail(es, "Błąd kasowania pliku: \n" + target, kLogName);
        return false;
    }
    return Guarded(es, {"SQLite exception: \n", "bFunWriteStudentDataToDB()"}, [&] {
        ImportTarget written(target);
        std::string line;
        while (in.Next(line)) {
            if (!Contains(line, kStudentStart))
                continue;
            const OpenBlock studentBlock{NameOf(line), in.Number()};
            StudentRows student;
            if (!ReadPersonalData(es, in, format, student))
                return false;
            if (format.hasDocuments && !ReadDocumentBlocks(es, in, studentBlock, student))
                return false;
            switch (written.Write(es, student, format.hasDocuments, progress)) {
            case WriteResult::Written:
                NoteDroppedMemoLines(notes, student);
                break;
            case WriteResult::Duplicate:
                NoteSkipped(notes, student);
                break;
            case WriteResult::Failed:
                return false;
            }
        }
        written.Commit();
        return true;
    });
}

// No exception leaves an import: whatever stops it becomes its message (not the frame,
// which catches database exceptions only).
bool ImportExport(ErrorStream& es, const std::string& source, const std::string& target,
                  const ExportFormat& format, ProgressSink* progress, ImportNotes* notes)
{
    try {
        return ImportStudents(es, source, target, format, progress, notes);
    } catch (const ExportReadError& e) {
        Fail(es,
             "Błąd odczytu pliku źródłowego: \n" + source +
                 "\nKod błędu: " + std::to_string(e.code),
             kLogName);
    } catch (const std::bad_alloc&) {
        Fail(es, "Za mało pamięci, by zaimportować plik: \n" + source, kLogName);
    } catch (...) {
        Fail(es, "Błąd wewnętrzny programu podczas importu pliku: \n" + source, kLogName);
    }
    return false;
}

}  // namespace

bool bFunImportDataFromFile(ErrorStream& es, const std::string& source, const std::string& target,
                            ProgressSink* progress, ImportNotes* notes)
{
    return ImportExport(es, source, target, kMusicSchool, progress, notes);
}

bool bFunImportPrimaryDataFromFile(ErrorStream& es, const std::string& source,
                                   const std::string& target, ProgressSink* progress,
                                   ImportNotes* notes)
{
    return ImportExport(es, source, target, kPrimarySchool, progress, notes);
}
