#include "tests/imports/ImportTestSupport.h"

#include <QWindow>

#include <algorithm>
#include <fstream>

#include "tests/support/TestApplication.h"
#include "store/CertFile.h"
#include "store/Folders.h"

namespace {

std::string SortKey(const std::string& displayName)
{
    std::string key = FoldPolishLetters(displayName);
    for (char& c : key)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return key;
}

ExportLines Student(const char* personalMarker, const char* peselField, const std::string& surname,
                    const std::string& firstName, const std::string& pesel)
{
    return {
        "<DANE SWIADECTW DLA: " + surname + " " + firstName + ">",
        "<" + std::string(personalMarker) + ">",
        "<Nazwisko_DATA_EDIT>" + surname,
        "<Imie_DATA_EDIT>" + firstName,
        "<" + std::string(peselField) + ">" + pesel,
        "</" + std::string(personalMarker) + ">",
        "<KLASA II MUZYCZNA>",
        "<ZMIENNA_Klasa_DATA_EDIT>II",
        "<ZMIENNA_Uwagi_DATA_MEMO>pierwsza",
        "<ZMIENNA_Uwagi_DATA_MEMO>druga",
        "<ZMIENNA_Uwagi_DATA_MEMO>trzecia",
        "</KLASA II MUZYCZNA>",
        "</KONIEC DANYCH SWIADECTW>",
    };
}

}  // namespace

bool RecordingHost::ReloadStudentsList()
{
    ++reloads;
    std::vector<StudentEntry> students;
    ErrorStream listErrors;
    EXPECT_TRUE(bFunGetStudentsList(listErrors, DataTmpPath(listErrors), students))
        << listErrors.str();
    std::stable_sort(students.begin(), students.end(),
                     [](const StudentEntry& a, const StudentEntry& b) {
                         return SortKey(a.display_name) < SortKey(b.display_name);
                     });
    tree.clear();
    for (const StudentEntry& student : students)
        tree.push_back(student.display_name);
    return true;
}

void RecordingImportWindow::Begin(const std::string& info, int steps)
{
    stages.push_back({info, steps, isVisible() && windowHandle() && windowHandle()->isExposed()});
    TFSQLImport::Begin(info, steps);
}

ExportLines MusicSchoolStudent(const std::string& surname, const std::string& firstName,
                               const std::string& pesel)
{
    return Student("DANE UCZNIA MUZYCZNA", "NumerPesel_DATA_EDIT", surname, firstName, pesel);
}

ExportLines PrimarySchoolStudent(const std::string& surname, const std::string& firstName,
                                 const std::string& pesel)
{
    return Student("DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6", "NrPesel_DATA_EDIT", surname, firstName,
                   pesel);
}

ExportLines Join(std::initializer_list<ExportLines> parts)
{
    ExportLines lines;
    for (const ExportLines& part : parts)
        lines.insert(lines.end(), part.begin(), part.end());
    return lines;
}

WithApplication::WithApplication()
{
    EnsureApplication();
}

ImportTest::ImportTest()
{
    dialogs.setFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
    FSQLImport = &window;
}

ImportTest::~ImportTest()
{
    FSQLImport = nullptr;
}

std::string ImportTest::writeExport(const std::string& name, const ExportLines& lines) const
{
    const std::string path = folders.dataFile(name);
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : lines)
        out << line << "\r\n";
    return path;
}

void ImportTest::prepareWorkingCopy() const
{
    std::ofstream(workingCopy(), std::ios::binary);  // an empty file: no students yet
    ErrorStream es;
    ASSERT_TRUE(bFunSaveCertData(es, workingCopy(), "PESEL00000000000",
                                 {{"DANE UCZNIA", "Nazwisko_DATA_EDIT", "Stary"},
                                  {"DANE UCZNIA", "Imie_DATA_EDIT", "Adam"}}))
        << es.str();
}

std::string ImportTest::workingCopy() const
{
    return folders.dataFile(kWorkingCopyName);
}

std::vector<StudentEntry> ImportTest::workingCopyStudents() const
{
    std::vector<StudentEntry> students;
    ErrorStream es;
    EXPECT_TRUE(bFunGetStudentsList(es, workingCopy(), students)) << es.str();
    return students;
}

std::vector<FieldRecord> ImportTest::workingCopyRows(const std::string& table) const
{
    std::vector<FieldRecord> rows;
    ErrorStream es;
    EXPECT_TRUE(bFunLoadCertData(es, workingCopy(), table, rows)) << es.str();
    return rows;
}
