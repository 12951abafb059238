#pragma once
// The import commands against temporary folders: scripted dialogs, a host that records
// what the main window would be asked, an import window that records its stages, and
// older exports written by the test as Windows-1250 bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/ImportHost.h"
#include "main/SqlImport.h"
#include "platform/ScriptedDialogs.h"
#include "store/ErrorStream.h"
#include "store/Records.h"
#include "tests/support/TempFolders.h"

// The main window's side: the tree lists the working copy's students as the main window
// sorts them (ASCII letters upper-cased, Polish letters folded, equal keys kept in order).
class RecordingHost : public ImportHost {
public:
    ErrorStream& errorStream() override { return es; }
    void setModified() override { modified = true; }
    bool ReloadStudentsList() override;

    ErrorStream es;
    bool modified = false;
    int reloads = 0;
    std::vector<std::string> tree;
};

// One call of the importer into the import window.
struct ImportStage {
    std::string info;
    int steps;
    bool windowOnScreen;
    bool operator==(const ImportStage&) const = default;
};

class RecordingImportWindow : public TFSQLImport {
public:
    void Begin(const std::string& info, int steps) override;
    std::vector<ImportStage> stages;
};

// Lines of an export: bytes as the older programs wrote them.
using ExportLines = std::vector<std::string>;

// One student of a music-school export: three personal fields, one document block with
// a field and a memo of three lines.
ExportLines MusicSchoolStudent(const std::string& surname, const std::string& firstName,
                               const std::string& pesel);
// One student of a primary-school export: three personal fields and a document block.
ExportLines PrimarySchoolStudent(const std::string& surname, const std::string& firstName,
                                 const std::string& pesel);
ExportLines Join(std::initializer_list<ExportLines> parts);

// The one application object of the test process, made before any window of a fixture.
struct WithApplication {
    WithApplication();
};

class ImportTest : public ::testing::Test, private WithApplication {
protected:
    ImportTest();
    ~ImportTest() override;

    // Writes the lines with CR LF ends into the data folder; returns the path.
    std::string writeExport(const std::string& name, const ExportLines& lines) const;
    // The working copy with one student, "Stary Adam", as a file open before the import.
    void prepareWorkingCopy() const;
    std::string workingCopy() const;
    std::vector<StudentEntry> workingCopyStudents() const;
    std::vector<FieldRecord> workingCopyRows(const std::string& table) const;
    std::vector<DialogRequest> messages() const { return dialogs.requestsOf(DialogKind::Message); }

    TempFolders folders;
    ScriptedDialogs dialogs;
    RecordingHost host;
    RecordingImportWindow window;
};

inline void PrintTo(const StudentEntry& s, std::ostream* os)
{
    *os << s.display_name << " | " << s.table_name;
}
inline void PrintTo(const FieldRecord& r, std::ostream* os)
{
    *os << r.id << " | " << r.comp_name << " | " << r.value;
}
