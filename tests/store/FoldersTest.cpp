#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "store/Folders.h"
#include "store/Log.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/TempFolders.h"

namespace fs = std::filesystem;

TEST(FoldPolishLetters, ReplacesTheEighteenLettersOnly)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Ćma Żółta", "Cma Zolta"},
        {"ŻABA", "ZABA"},
        {"René", "René"},
        {"ĄąĆćĘęŁłŃńÓóŚśŹźŻż", "AaCcEeLlNnOoSsZzZz"},
        {"jan.kowalski", "jan.kowalski"},
    };
    for (const auto& [name, folded] : cases)
        EXPECT_EQ(FoldPolishLetters(name), folded) << name;
}

// XDG_DATA_HOME set for one test, restored afterwards.
class XdgDataHome {
public:
    explicit XdgDataHome(const std::string& value)
    {
        if (const char* old = std::getenv("XDG_DATA_HOME"))
            old_ = old, hadOld_ = true;
        setenv("XDG_DATA_HOME", value.c_str(), 1);
    }
    ~XdgDataHome()
    {
        hadOld_ ? setenv("XDG_DATA_HOME", old_.c_str(), 1) : unsetenv("XDG_DATA_HOME");
    }

private:
    std::string old_;
    bool hadOld_ = false;
};

TEST(DataFolder, IsMadeUnderXdgDataHomeWithTheFoldedLoginName)
{
    TempFolders folders;
    SetDataFolderOverride({});
    XdgDataHome home(folders.root() + "/share");
    ErrorStream es;
    const std::string path = strFunGetMainDirPath(es);
    const std::string parent = folders.root() + "/share/Tovrix-Vlm/";
    ASSERT_EQ(path.rfind(parent, 0), 0u) << path;
    const std::string user = path.substr(parent.size());
    EXPECT_FALSE(user.empty());
    EXPECT_EQ(FoldPolishLetters(user), user);
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(strFunGetMainDirPath(es), path);  // the second call finds both levels
    EXPECT_TRUE(es.empty());
}

TEST(DataFolder, UnavailableFolderGivesEmptyPathsAndNoLogRow)
{
    TempFolders folders;
    RawExec(folders.root() + "/file", "create table x( a )");
    SetDataFolderOverride(folders.root() + "/file/sub");  // a folder below a file
    ErrorStream es;
    EXPECT_EQ(strFunGetMainDirPath(es), "");
    EXPECT_EQ(es.str(), "Błąd podczas tworzenia katalogu:\n" + folders.root() +
                            "/file/sub\nKod błędu: " + std::to_string(ENOTDIR));
    for (const std::string& path : {DataTmpPath(es), SettingsFilePath(es, false),
                                    CalibrationFilePath(es, false), TemplatesFilePath(es)})
        EXPECT_EQ(path, "");
    ErrorStream logged;
    logged << "message";
    LogWrite(logged, "f()");
    EXPECT_EQ(logged.str(), "message");
}

TEST(DataFolder, FilePathsJoinTheirFolder)
{
    TempFolders folders;
    ErrorStream es;
    EXPECT_EQ(DataTmpPath(es), folders.dataFile("data_tmp.sqtmp"));
    EXPECT_EQ(SettingsFilePath(es, true), folders.programFile("ustawienia.sqset"));
    EXPECT_EQ(SettingsFilePath(es, false), folders.dataFile("ustawienia.sqset"));
    EXPECT_EQ(CalibrationFilePath(es, true), folders.programFile("vlm_kalibracja.sqset"));
    EXPECT_EQ(CalibrationFilePath(es, false), folders.dataFile("vlm_kalibracja.sqset"));
    EXPECT_EQ(ProgramFolderPath(es), folders.programFolder());
    EXPECT_TRUE(es.empty());
}

TEST(DataFolder, ProgramFolderIsTheExecutablesFolder)
{
    ErrorStream es;
    EXPECT_EQ(ProgramFolderPath(es), fs::read_symlink("/proc/self/exe").parent_path().string());
}

TEST(DataFolder, TemplatesFileIsCreatedEmpty)
{
    TempFolders folders;
    ErrorStream es;
    EXPECT_EQ(TemplatesFilePath(es), folders.dataFile("szablony.sqset"));
    EXPECT_TRUE(fs::exists(folders.dataFile("szablony.sqset")));
    EXPECT_EQ(RawScalar(folders.dataFile("szablony.sqset"), "select count(*) from sqlite_master"),
              "0");
}

TEST(FileOperations, DeleteWorkingCopy)
{
    TempFolders folders;
    ErrorStream es = StreamWithOldText();
    EXPECT_TRUE(bFunDeleteTmpFile(es));  // nothing to delete
    RawExec(folders.dataFile("data_tmp.sqtmp"), "create table x( a )");
    EXPECT_TRUE(bFunDeleteTmpFile(es));
    EXPECT_FALSE(fs::exists(folders.dataFile("data_tmp.sqtmp")));
    EXPECT_EQ(es.str(), "older message");
    EXPECT_TRUE(LogRows().empty());
}

// A read-only file system refuses to remove even a name it does not hold (EROFS): a working
// copy that is not there is still nothing to delete.
TEST(FileOperations, NoWorkingCopyInAReadOnlyDataFolderIsNoError)
{
    TempFolders folders;
    const std::string readOnly = folders.root() + "/tylko do odczytu";
    fs::create_directory(readOnly);
    if (::mount("tmpfs", readOnly.c_str(), "tmpfs", MS_RDONLY, "size=64k") != 0)
        GTEST_SKIP() << "no mount (needs root)";
    SetDataFolderOverride(readOnly);
    ErrorStream es = StreamWithOldText();
    EXPECT_TRUE(bFunDeleteTmpFile(es));
    EXPECT_EQ(es.str(), "older message");
    SetDataFolderOverride(folders.dataFolder());
    ::umount2(readOnly.c_str(), MNT_DETACH);
}

TEST(FileOperations, CopyFailsOntoExistingFileWhenAsked)
{
    TempFolders folders;
    const std::string source = folders.dataFile("a"), target = folders.dataFile("b");
    RawExec(source, "create table x( a )");
    ErrorStream es;
    ASSERT_TRUE(bFunCopyFile(es, source, target, true));
    EXPECT_FALSE(bFunCopyFile(es, source, target, true));
    EXPECT_EQ(es.str(), "Błąd podczas kopiowania pliku.\n\nZ: " + source + "\ndo: " + target +
                            "\n\n Kod błędu: " + std::to_string(EEXIST));
    ASSERT_EQ(LogRows().size(), 1u);
    EXPECT_EQ(LogRows()[0].fun, "bFunCopyFile()");
    EXPECT_TRUE(bFunCopyFile(es, source, target, false));
}

// A copy cut short (here by the file-size limit, as a full disk would) leaves the target as
// it was: no cut-off new file that the next required-files check would take as the user's.
TEST(FileOperations, CopyCutShortLeavesTheTargetAsItWas)
{
    TempFolders folders;
    ErrorStream es;
    const std::string source = folders.dataFile("big"), kept = folders.dataFile("kept"),
                      absent = folders.dataFile("absent");
    std::ofstream(source, std::ios::binary) << std::string(512 * 1024, 'x');
    std::ofstream(kept, std::ios::binary) << "old";
    RawExec(folders.dataFile("logs.sqdb"),
            "create table `error`( datetime TEXT, fun TEXT, info TEXT )");

    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 128 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool replaced = bFunCopyFile(es, source, kept, false);
    const bool created = bFunCopyFile(es, source, absent, true);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(replaced);
    EXPECT_FALSE(created);
    const std::string message =
        "Błąd podczas kopiowania pliku.\n\nZ: " + source + "\ndo: " + absent + "\n\n Kod błędu: ";
    EXPECT_EQ(es.str().substr(0, message.size()), message);
    EXPECT_NE(es.str().substr(message.size()), "0");
    EXPECT_TRUE(FileBytes(kept) == "old");
    EXPECT_FALSE(fs::exists(absent));
    EXPECT_EQ(std::distance(fs::directory_iterator(folders.dataFolder()), fs::directory_iterator()),
              3);
}

TEST(FileOperations, ClearFileAttributesGivesOwnerWriteBack)
{
    TempFolders folders;
    ErrorStream es;
    EXPECT_FALSE(ClearFileAttributes(es, folders.dataFile("missing")));
    EXPECT_TRUE(es.empty());
    const std::string file = folders.dataFile("ro");
    RawExec(file, "create table x( a )");
    chmod(file.c_str(), 0444);
    EXPECT_TRUE(ClearFileAttributes(es, file));
    struct stat st {};
    stat(file.c_str(), &st);
    EXPECT_TRUE(st.st_mode & S_IWUSR);
}

TEST(FileOperations, ReplaceAll)
{
    ErrorStream es;
    std::string text = "a\\b\\\\c";
    ReplaceAll(es, text, "\\", "/");
    EXPECT_EQ(text, "a/b//c");
}

TEST(Log, DateTimeHasNoLeadingZeros)
{
    EXPECT_EQ(LogDateTime(2015, 6, 23, 7, 5, 9), "2015.6.23 7:5:9");
    EXPECT_EQ(LogDateTime(2026, 12, 10, 23, 59, 0), "2026.12.10 23:59:0");
}

TEST(Log, FirstWriteCreatesTheTableAndKeepsTheText)
{
    TempFolders folders;
    ErrorStream es;
    es << "Plik nie istnieje: \n/x/O'Neil `a`";
    LogWrite(es, "bFunLoadCertData");
    LogWrite(es, "bFunLoadCertData()");
    EXPECT_EQ(es.str(), "Plik nie istnieje: \n/x/O'Neil `a`");
    const auto rows = LogRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].fun, "bFunLoadCertData");
    EXPECT_EQ(rows[0].info, es.str());
    EXPECT_EQ(rows[1].fun, "bFunLoadCertData()");
    const auto dates = RawColumn(folders.dataFile("logs.sqdb"), "select datetime from error");
    const std::regex format(
        R"([0-9]{4}\.[1-9][0-9]?\.[1-9][0-9]? (0|[1-9][0-9]?):(0|[1-9][0-9]?):(0|[1-9][0-9]?))");
    for (const std::string& d : dates)
        EXPECT_TRUE(std::regex_match(d, format)) << d;
}

TEST(Log, KindOneWritesTheInfoTable)
{
    TempFolders folders;
    ErrorStream es;
    es << "x";
    LogWrite(es, "f", 1);
    EXPECT_EQ(RawScalar(folders.dataFile("logs.sqdb"), "select fun || info from info"), "fx");
    EXPECT_TRUE(LogRows().empty());
}
