// Every reader a user can point the program at, fed damaged copies of valid files. Each
// case runs in a child process with an alarm, so a crash or a hang fails the case
// instead of the run. A reader may refuse a file, but never silently, and it never
// changes the user's other files.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#include "platform/Pictures.h"
#include "store/CertFile.h"
#include "store/Calibration.h"
#include "store/Folders.h"
#include "store/Import.h"
#include "store/Settings.h"
#include "store/Templates.h"
#include "tests/support/BoundedChild.h"
#include "tests/support/FuzzCorpus.h"
#include "tests/support/Mutations.h"
#include "tests/support/TempFolders.h"

namespace fs = std::filesystem;

namespace {

constexpr unsigned kSeed = 20261210;
constexpr int kCasesPerReader = 30;
constexpr unsigned kCaseSeconds = 60;  // catches a hang; a case takes well under a second

struct Reader {
    std::string name;
    std::string file;  // the damaged file, in the data folder
    bool sqlite;       // table-level mutations apply
    // Reads the file; false with the message in `es` when it refuses it.
    std::function<bool(ErrorStream& es)> read;
};

class ReadersFuzz : public ::testing::Test {
protected:
    void SetUp() override
    {
        folders.copyFactoryFiles();
        // The user's own files, which no reader may touch.
        fs::copy_file(folders.programFile("ustawienia.sqset"),
                      folders.dataFile("ustawienia.sqset"));
        fs::copy_file(folders.programFile("vlm_kalibracja.sqset"),
                      folders.dataFile("vlm_kalibracja.sqset"));
        ASSERT_EQ(iFunCheckIsStudentExists(es, workingCopy, "PESEL33333333333", true), 0)
            << es.str();
        ASSERT_TRUE(bFunSaveCertData(es, workingCopy, "PESEL33333333333",
                                     {{"DANE UCZNIA", "Imie_DATA_EDIT", "Ewa"}}))
            << es.str();
    }

    // Runs `reader` on kCasesPerReader damaged copies of `valid`; returns the failures.
    std::vector<std::string> Fuzz(const Reader& reader, const std::string& valid)
    {
        std::vector<std::string> failures;
        FuzzRng rng(kSeed + static_cast<unsigned>(std::hash<std::string>{}(reader.name) & 0xFFFF));
        const std::string damaged = folders.dataFile(reader.file);
        const std::vector<std::string> others = {folders.dataFile("ustawienia.sqset"),
                                                 folders.dataFile("vlm_kalibracja.sqset"),
                                                 workingCopy};
        for (int i = 0; i < kCasesPerReader; ++i) {
            const std::string what = WriteMutatedCopy(damaged, valid, reader.sqlite, i, rng);
            std::map<std::string, std::string> before;
            for (const std::string& other : others)
                if (other != damaged)
                    before[other] = ReadBytes(other);

            const std::string failure = RunInBoundedChild(
                [&]() -> std::string {
                    ErrorStream readerErrors;
                    bool ok = false;
                    try {
                        ok = reader.read(readerErrors);
                    } catch (...) {
                        return "an exception escaped the reader";
                    }
                    if (!ok && readerErrors.str().empty())
                        return "refused without a message";
                    for (const auto& [path, bytes] : before)
                        if (ReadBytes(path) != bytes)
                            return "changed another file of the user";
                    return "";
                },
                kCaseSeconds);
            if (!failure.empty())
                failures.push_back(reader.name + " case " + std::to_string(i) + " (" + what +
                                   "): " + failure);
        }
        return failures;
    }

    TempFolders folders;
    ErrorStream es;
    std::string workingCopy = folders.dataFile("data_tmp.sqtmp");
};

}  // namespace

TEST_F(ReadersFuzz, CertificatesFile)
{
    const std::string valid = folders.dataFile("valid.sqvlm");
    ASSERT_TRUE(WriteCertificatesCorpus(es, valid)) << es.str();
    const Reader reader{"certificates", "uczniowie.sqvlm", true, [&](ErrorStream& e) {
                            const std::string file = folders.dataFile("uczniowie.sqvlm");
                            std::vector<StudentEntry> students;
                            if (!bFunGetStudentsList(e, file, students))
                                return false;
                            for (const StudentEntry& s : students) {
                                std::vector<FieldRecord> rows;
                                if (!bFunLoadCertData(e, file, s.table_name, rows))
                                    return false;
                            }
                            return true;
                        }};
    EXPECT_EQ(Joined(Fuzz(reader, ReadBytes(valid))), "");
}

TEST_F(ReadersFuzz, MusicSchoolExport)
{
    const Reader reader{"music export", "a.snv", false, [&](ErrorStream& e) {
                            return bFunImportDataFromFile(e, folders.dataFile("a.snv"),
                                                          folders.dataFile("import.sqtmp"));
                        }};
    EXPECT_EQ(Joined(Fuzz(reader, MusicSchoolExportCorpus())), "");
}

TEST_F(ReadersFuzz, PrimarySchoolExport)
{
    const Reader reader{"primary export", "a.m46", false, [&](ErrorStream& e) {
                            return bFunImportPrimaryDataFromFile(e, folders.dataFile("a.m46"),
                                                                 folders.dataFile("import.sqtmp"));
                        }};
    EXPECT_EQ(Joined(Fuzz(reader, PrimarySchoolExportCorpus())), "");
}

TEST_F(ReadersFuzz, CalibrationFile)
{
    const Reader reader{"calibration", "kalibracja_import.sqset", true, [&](ErrorStream& e) {
                            const std::string file = folders.dataFile("kalibracja_import.sqset");
                            std::vector<std::string> sets;
                            if (!bFunGetTableList(e, file, sets))
                                return false;
                            for (const std::string& set : sets) {
                                std::vector<CalibrationRecord> rows;
                                if (!bFunCalibLoadData(e, file, set, rows))
                                    return false;
                            }
                            return true;
                        }};
    EXPECT_EQ(Joined(Fuzz(reader, ReadBytes(folders.programFile("vlm_kalibracja.sqset")))), "");
}

TEST_F(ReadersFuzz, TemplatesFile)
{
    const std::string valid = folders.dataFile("valid.sqset");
    ASSERT_EQ(iFunCheckIsStudentExists(es, valid, "x", true), 0) << es.str();
    ASSERT_TRUE(bFunSqlTemplateWriteData(
        es, valid, "Szkoła",
        {{"DANE SZKOLY", "NazwaSzkoly_DATA_EDIT", "Państwowa Szkoła Muzyczna"}}));
    const Reader reader{"templates", "szablony.sqset", true, [&](ErrorStream& e) {
                            std::vector<FieldRecord> rows;
                            return bFunSqlTemplateReadData(e, folders.dataFile("szablony.sqset"),
                                                           "Szkoła", rows);
                        }};
    EXPECT_EQ(Joined(Fuzz(reader, ReadBytes(valid))), "");
}

TEST_F(ReadersFuzz, SettingsFile)
{
    // The settings reader reads the data folder's file, so the damaged copy takes its place
    // and the calibration and the working copy are the files it must leave alone.
    const Reader reader{"settings", "ustawienia.sqset", true, [&](ErrorStream& e) {
                            std::string text;
                            int number = 0;
                            return bFunSqlGetSettingsValue(e, "import_alert", text) &&
                                   bFunSqlGetSettingsValue(e, "word_wrap", number);
                        }};
    EXPECT_EQ(Joined(Fuzz(reader, ReadBytes(folders.programFile("ustawienia.sqset")))), "");
}

TEST_F(ReadersFuzz, BlankPicturesAndPreviewBackgrounds)
{
    for (const std::string& name :
         {std::string("blanki/arkusz280_str1.jpg"), std::string("grafika/arkusz_prw.bmp")}) {
        const std::string file = "picture" + fs::path(name).extension().string();
        const Reader reader{name, file, false, [&](ErrorStream&) {
                                LoadPicture(QString::fromStdString(folders.dataFile(file)));
                                return true;
                            }};
        EXPECT_EQ(Joined(Fuzz(reader, ReadBytes(folders.programFile(name)))), "");
    }
}

// The faults the fuzzing found: on a file that is no database these readers let the
// SQLite exception escape instead of failing with a message.
TEST_F(ReadersFuzz, FileThatIsNoDatabaseFailsWithAMessage)
{
    const std::string file = folders.dataFile("nie_baza.sqvlm");
    WriteBytes(file, std::string(4096, 'x'));
    const std::vector<std::pair<std::string, std::function<bool(ErrorStream&)>>> readers = {
        {"table list",
         [&](ErrorStream& e) {
             std::vector<std::string> l;
             return bFunGetTableList(e, file, l);
         }},
        {"students",
         [&](ErrorStream& e) {
             std::vector<StudentEntry> l;
             return bFunGetStudentsList(e, file, l);
         }},
        {"calibration",
         [&](ErrorStream& e) {
             std::vector<CalibrationRecord> l;
             return bFunCalibLoadData(e, file, "s", l);
         }},
    };
    for (const auto& [name, read] : readers) {
        ErrorStream e;
        bool ok = true;
        EXPECT_NO_THROW(ok = read(e)) << name;
        EXPECT_FALSE(ok) << name;
        EXPECT_NE(e.str(), "") << name;
    }
}
