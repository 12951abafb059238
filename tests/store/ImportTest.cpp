#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "store/CertFile.h"
#include "store/Cp1250.h"
#include "store/Folders.h"
#include "store/Import.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/TempFolders.h"

namespace {

class RecordingProgress : public ProgressSink {
public:
    void Begin(const std::string& info, int stepCount) override
    {
        stages.push_back(info + " /" + std::to_string(stepCount));
    }
    void Advance() override { ++steps; }
    std::vector<std::string> stages;
    int steps = 0;
};

class Import : public ::testing::Test {
protected:
    // Writes the export as Windows-1250 text with CR LF line ends.
    std::string Export(const std::string& name, const std::vector<std::string>& lines)
    {
        const std::string path = folders.dataFile(name);
        std::ofstream out(path, std::ios::binary);
        for (const std::string& line : lines)
            out << Utf8ToCp1250(line) << "\r\n";
        return path;
    }
    std::vector<FieldRecord> Rows(const std::string& table)
    {
        std::vector<FieldRecord> rows;
        EXPECT_TRUE(bFunLoadCertData(es, target, table, rows)) << es.str();
        return rows;
    }
    std::vector<std::string> Tables()
    {
        std::vector<std::string> tables;
        EXPECT_TRUE(bFunGetTableList(es, target, tables));
        return tables;
    }
    TempFolders folders;
    ErrorStream es;
    std::string target = folders.dataFile("data_tmp.sqtmp");
};

const std::vector<std::string> kMusicStudent = {
    "<DANE SWIADECTW DLA: O'Brien Anna>",
    "ignored line",
    "<DANE UCZNIA MUZYCZNA>",
    "<Nazwisko_DATA_EDIT>O'Brien",
    "<Imie_DATA_EDIT>Anna",
    "no angle bracket here",
    "<NumerPesel_DATA_EDIT>01234567890",
    "</DANE UCZNIA MUZYCZNA>",
    "<KLASA II MUZYCZNA>",
    "<ZMIENNA_Klasa_DATA_EDIT>",
    "<ZMIENNA_SzczegolneOsiagniecia1_DATA_MEMO>pierwsza <b>",
    "<ZMIENNA_Inne_DATA_EDIT>x>y",
    "<ZMIENNA_SzczegolneOsiagniecia1_DATA_MEMO>druga",
    "</KLASA II MUZYCZNA>",
    "<ARKUSZ OCEN STR 2 MUZYCZNA>",
    "<ZMIENNA_SzczegolneOsiagniecia1_DATA_MEMO>trzecia żółć",
    "</ARKUSZ OCEN STR 2 MUZYCZNA>",
    "</KONIEC DANYCH SWIADECTW>",
    "between students",
};

}  // namespace

TEST_F(Import, MusicSchoolStudentWithBlocksAndMemo)
{
    RecordingProgress progress;
    ASSERT_TRUE(bFunImportDataFromFile(es, Export("a.snv", kMusicStudent), target, &progress))
        << es.str();
    const std::vector<FieldRecord> expected = {
        {"DANE UCZNIA", "Nazwisko_DATA_EDIT", "O'Brien"},
        {"DANE UCZNIA", "Imie_DATA_EDIT", "Anna"},
        {"DANE UCZNIA", "NumerPesel_DATA_EDIT", "01234567890"},
        {"KLASA II MUZYCZNA", "ZMIENNA_Klasa_DATA_EDIT", ""},
        {"KLASA II MUZYCZNA", "ZMIENNA_SzczegolneOsiagniecia1_DATA_MEMO01", "pierwsza <b>"},
        {"KLASA II MUZYCZNA", "ZMIENNA_Inne_DATA_EDIT", "x>y"},
        {"KLASA II MUZYCZNA", "ZMIENNA_SzczegolneOsiagniecia1_DATA_MEMO02", "druga"},
        {"ARKUSZ OCEN STR 2 MUZYCZNA", "ZMIENNA_SzczegolneOsiagniecia1_DATA_MEMO03",
         "trzecia żółć"},
    };
    EXPECT_EQ(Rows("PESEL01234567890"), expected);
    EXPECT_EQ(progress.stages,
              (std::vector<std::string>{"importuje dane ucznia... /3",
                                        "importuje świadectwa dla PESEL01234567890 /5"}));
    EXPECT_EQ(progress.steps, 8);
    std::vector<StudentEntry> students;
    EXPECT_TRUE(bFunGetStudentsList(es, target, students));
    EXPECT_EQ(students, (std::vector<StudentEntry>{{"O'Brien Anna", "PESEL01234567890"}}));
}

TEST_F(Import, MemoNumberingRestartsPerStudent)
{
    std::vector<std::string> lines = kMusicStudent;
    for (std::string line : kMusicStudent) {
        if (line.find("01234567890") != std::string::npos)
            line = "<NumerPesel_DATA_EDIT>99999999999";
        lines.push_back(line);
    }
    ASSERT_TRUE(bFunImportDataFromFile(es, Export("a.snv", lines), target)) << es.str();
    EXPECT_EQ(Rows("PESEL99999999999")[4].comp_name, "ZMIENNA_SzczegolneOsiagniecia1_DATA_MEMO01");
}

TEST_F(Import, DuplicatePeselIsReportedAndTheOthersImported)
{
    std::vector<std::string> lines = kMusicStudent;
    lines.insert(lines.end(), kMusicStudent.begin(), kMusicStudent.end());  // the same PESEL again
    std::vector<std::string> third = kMusicStudent;
    third[6] = "<NumerPesel_DATA_EDIT>11111111111";
    lines.insert(lines.end(), third.begin(), third.end());
    ImportNotes notes;
    EXPECT_TRUE(bFunImportDataFromFile(es, Export("a.snv", lines), target, nullptr, &notes));
    EXPECT_EQ(notes.skipped,
              std::vector<std::string>{
                  "uczeń pominięty, numer PESEL powtarza się: 01234567890 (O'Brien Anna)"});
    EXPECT_EQ(LogRows().back().info,
              "Numer PESEL powtarza się w pliku importu, uczeń pominięty: \nPESEL01234567890");
    EXPECT_EQ(LogRows().back().fun, "bFunWriteStudentDataToDB()");
    EXPECT_EQ(Tables(), (std::vector<std::string>{"PESEL01234567890", "PESEL11111111111"}));
    EXPECT_EQ(Rows("PESEL01234567890").size(), 8u);
}

TEST_F(Import, PrimarySchoolExportKeepsPersonalDataOnly)
{
    const std::vector<std::string> lines = {
        "<DANE SWIADECTW DLA: Nowak Jan>",
        "<DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>",
        "<Nazwisko_DATA_EDIT>Nowak",
        "<NrPesel_DATA_EDIT>22222222222",
        "</DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>",
        "<KLASA IV>",
        "<ZMIENNA_Ocena_DATA_EDIT>5",
        "</KLASA IV>",
        "</KONIEC DANYCH SWIADECTW>",
    };
    ASSERT_TRUE(bFunImportPrimaryDataFromFile(es, Export("a.m46", lines), target)) << es.str();
    EXPECT_EQ(Rows("PESEL22222222222"),
              (std::vector<FieldRecord>{{"DANE UCZNIA", "Nazwisko_DATA_EDIT", "Nowak"},
                                        {"DANE UCZNIA", "NumerPesel_DATA_EDIT", "22222222222"}}));
}

TEST_F(Import, PersonalMemoLinesAreJoined)
{
    const std::vector<std::string> lines = {
        "<DANE SWIADECTW DLA: X>",    "<DANE UCZNIA MUZYCZNA>",  "<Uwagi_DATA_MEMO>a",
        "<Uwagi_DATA_MEMO>b",         "<NumerPesel_DATA_EDIT>3", "</DANE UCZNIA MUZYCZNA>",
        "</KONIEC DANYCH SWIADECTW>",
    };
    ASSERT_TRUE(bFunImportDataFromFile(es, Export("a.snv", lines), target));
    EXPECT_EQ(Rows("PESEL3")[0], (FieldRecord{"DANE UCZNIA", "Uwagi_DATA_MEMO", "a\nb"}));
}

TEST_F(Import, FailuresKeepThePreviousWorkingCopy)
{
    RawExec(target, "create table PESEL7( id TEXT, comp_name TEXT, value TEXT );");
    const std::string missing = folders.dataFile("brak.snv");
    EXPECT_FALSE(bFunImportDataFromFile(es, missing, target));
    EXPECT_EQ(es.str(), "Plik źródłowy nie istnieje: \n" + missing);
    EXPECT_EQ(LogRows().back().fun, "bFunImportDataFromFile");

    const std::string folder = folders.dataFile("folder.snv");
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(bFunImportPrimaryDataFromFile(es, folder, target));
    EXPECT_EQ(es.str(), "Plik źródłowy nie jest zwykłym plikiem (katalog): \n" + folder);
    EXPECT_EQ(Tables(), (std::vector<std::string>{"PESEL7"}));
}

TEST_F(Import, TargetThatCannotBeCreatedIsADatabaseFailure)
{
    const std::string unreachable = folders.dataFile("brak/data_tmp.sqtmp");
    EXPECT_FALSE(bFunImportDataFromFile(es, Export("a.snv", kMusicStudent), unreachable));
    EXPECT_EQ(es.str(), "SQLite exception: \nSQLITE_CANTOPEN");
    EXPECT_EQ(LogRows().back().fun, "bFunWriteStudentDataToDB()");
    EXPECT_FALSE(FileExists(unreachable));
}

TEST_F(Import, FileWithoutStudentsIsRefusedBeforeTheTargetIsTouched)
{
    RawExec(target, "create table PESEL7( id TEXT, comp_name TEXT, value TEXT );");
    const std::string source = Export("a.snv", {"nothing here"});
    EXPECT_FALSE(bFunImportDataFromFile(es, source, target));
    EXPECT_EQ(es.str(), "Wybrany plik nie jest eksportem danych Sonavera (*.snv):\n" + source +
                            "\n\nPlik nie zawiera danych żadnego ucznia.");
    EXPECT_EQ(Tables(), (std::vector<std::string>{"PESEL7"}));
}

TEST_F(Import, StudentWithoutPeselGetsATableWithEmptyName)
{
    const std::vector<std::string> lines = {
        "<DANE SWIADECTW DLA: X>", "<DANE UCZNIA MUZYCZNA>",     "<Nazwisko_DATA_EDIT>Bez",
        "</DANE UCZNIA MUZYCZNA>", "</KONIEC DANYCH SWIADECTW>",
    };
    ASSERT_TRUE(bFunImportDataFromFile(es, Export("a.snv", lines), target)) << es.str();
    std::vector<StudentEntry> students;
    EXPECT_TRUE(bFunGetStudentsList(es, target, students));
    EXPECT_EQ(students, (std::vector<StudentEntry>{{"Bez ", ""}}));
    EXPECT_EQ(Rows("").size(), 1u);
}

TEST_F(Import, BlankLinesBetweenBlocksStartNoBlock)
{
    // A blank line read as a block start would wait for "</>" and swallow the rest of the export.
    std::vector<std::string> lines = kMusicStudent;
    lines.insert(lines.begin() + 14, "");    // between the two blocks
    lines.insert(lines.begin() + 8, "   ");  // between the personal data and the first block
    std::vector<std::string> second = kMusicStudent;
    second[6] = "<NumerPesel_DATA_EDIT>11111111111";
    lines.insert(lines.end(), second.begin(), second.end());
    ASSERT_TRUE(bFunImportDataFromFile(es, Export("a.snv", lines), target)) << es.str();
    EXPECT_EQ(Rows("PESEL01234567890").size(), 8u);
    EXPECT_EQ(Rows("PESEL11111111111").size(), 8u);
}

TEST_F(Import, MemoKeepsAtMostNinetyNineTaggedLines)
{
    std::vector<std::string> lines(kMusicStudent.begin(), kMusicStudent.begin() + 8);
    lines.push_back("<ARKUSZ OCEN STR 2 MUZYCZNA>");
    for (int i = 1; i <= 101; ++i)
        lines.push_back("<ZMIENNA_Uwagi_DATA_MEMO>linia " + std::to_string(i));
    lines.push_back("</ARKUSZ OCEN STR 2 MUZYCZNA>");
    lines.push_back("</KONIEC DANYCH SWIADECTW>");
    ImportNotes notes;
    ASSERT_TRUE(bFunImportDataFromFile(es, Export("a.snv", lines), target, nullptr, &notes))
        << es.str();
    EXPECT_EQ(notes.skipped,
              std::vector<std::string>{"notatka ZMIENNA_Uwagi_DATA_MEMO ucznia O'Brien Anna: "
                                       "pominięto wiersze ponad 99 (2)"});
    const std::vector<FieldRecord> rows = Rows("PESEL01234567890");
    ASSERT_EQ(rows.size(), 3u + 99u);
    EXPECT_EQ(rows[3].comp_name, "ZMIENNA_Uwagi_DATA_MEMO01");
    EXPECT_EQ(rows.back(),
              (FieldRecord{"ARKUSZ OCEN STR 2 MUZYCZNA", "ZMIENNA_Uwagi_DATA_MEMO99", "linia 99"}));
}

TEST_F(Import, BlockWithoutItsEndLineFailsTheWholeImportNamingTheLine)
{
    std::vector<std::string> personalOpen(kMusicStudent.begin(), kMusicStudent.end());
    personalOpen.erase(personalOpen.begin() + 7);  // "</DANE UCZNIA MUZYCZNA>"
    std::vector<std::string> blockOpen(kMusicStudent.begin(), kMusicStudent.end());
    blockOpen.erase(blockOpen.begin() + 13);  // "</KLASA II MUZYCZNA>"
    std::vector<std::string> atTheEnd(kMusicStudent.begin(), kMusicStudent.begin() + 16);
    // Without "</KONIEC DANYCH SWIADECTW>" (and the line between the students).
    std::vector<std::string> studentOpen(kMusicStudent.begin(), kMusicStudent.begin() + 17);
    const struct {
        std::vector<std::string> first;
        std::string message;
        bool followed = true;  // by a second, whole student
    } cases[] = {
        {personalOpen,
         "Blok danych ucznia \"<DANE UCZNIA MUZYCZNA>\" z wiersza 3 nie ma wiersza końcowego "
         "\"</DANE UCZNIA MUZYCZNA>\"."},
        {blockOpen, "Blok \"KLASA II MUZYCZNA\" z wiersza 9 nie ma wiersza końcowego \"</KLASA II "
                    "MUZYCZNA>\"."},
        {atTheEnd,
         "Blok \"ARKUSZ OCEN STR 2 MUZYCZNA\" z wiersza 15 nie ma wiersza końcowego "
         "\"</ARKUSZ OCEN STR 2 MUZYCZNA>\".",
         false},
        // The student's own block, not the next student's start line read as a block.
        {studentOpen,
         "Blok \"DANE SWIADECTW DLA: O'Brien Anna\" z wiersza 1 nie ma wiersza końcowego "
         "\"</KONIEC DANYCH SWIADECTW>\"."},
        {studentOpen,
         "Blok \"DANE SWIADECTW DLA: O'Brien Anna\" z wiersza 1 nie ma wiersza końcowego "
         "\"</KONIEC DANYCH SWIADECTW>\".",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        std::vector<std::string> lines = c.first;
        if (c.followed) {
            std::vector<std::string> second = kMusicStudent;
            second[6] = "<NumerPesel_DATA_EDIT>11111111111";
            lines.insert(lines.end(), second.begin(), second.end());
        }
        EXPECT_FALSE(bFunImportDataFromFile(es, Export("a.snv", lines), target));
        EXPECT_EQ(es.str(), c.message + " Import przerwano, dane nie zostały zmienione.");
        EXPECT_EQ(LogRows().back().fun, "bFunImportDataFromFile");
    }
}

TEST_F(Import, MusicSchoolExportIsNoPrimarySchoolExport)
{
    RawExec(target, "create table PESEL7( id TEXT, comp_name TEXT, value TEXT );");
    const std::string source = Export("zle.snv", kMusicStudent);
    EXPECT_FALSE(bFunImportPrimaryDataFromFile(es, source, target));
    EXPECT_EQ(es.str(), "Wybrany plik nie jest eksportem danych Miralenska (*.m46):\n" + source +
                            "\n\nUczeń z wiersza 1 nie ma danych osobowych w tym formacie.");
    EXPECT_EQ(Tables(), (std::vector<std::string>{"PESEL7"}));
}
