#include <gtest/gtest.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include <filesystem>
#include <fstream>

#include "store/Folders.h"
#include "store/RequiredFiles.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/TempFolders.h"

namespace fs = std::filesystem;

namespace {

class RequiredFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        list = folders.programFile("pliki_kat.sqset");
        RawExec(
            list,
            "create table dir( name TEXT ); create table files( name TEXT, `update` INTEGER );");
    }
    void Ship(const std::string& name, const std::string& content, int update)
    {
        fs::create_directories(fs::path(folders.programFile(name)).parent_path());
        std::ofstream(folders.programFile(name)) << content;
        RawExec(list,
                "insert into files values( '" + name + "', " + std::to_string(update) + " );");
    }
    static std::string Content(const std::string& path) { return FileBytes(path); }
    // Runs the check as a user who may not write the program folder; the superuser's test
    // runs it in a child process that has become "nobody".
    bool CheckAsOrdinaryUser()
    {
        if (geteuid() != 0) {
            chmod(folders.programFolder().c_str(), 0555);
            const bool ok = bFunCheckFilesDir(es);
            chmod(folders.programFolder().c_str(), 0755);
            return ok;
        }
        constexpr uid_t kNobody = 65534;
        chmod(folders.root().c_str(), 0755);
        for (const auto& entry : fs::recursive_directory_iterator(folders.dataFolder()))
            lchown(entry.path().c_str(), kNobody, kNobody);
        lchown(folders.dataFolder().c_str(), kNobody, kNobody);
        const pid_t child = fork();
        if (child == 0) {
            if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
                _exit(2);
            ErrorStream childErrors;
            const bool ok = bFunCheckFilesDir(childErrors);
            std::fputs(childErrors.str().c_str(), stderr);
            _exit(ok ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    TempFolders folders;
    ErrorStream es;
    std::string list;
};

}  // namespace

TEST_F(RequiredFiles, EmptyListDoesNothing)
{
    EXPECT_TRUE(bFunCheckFilesDir(es));
    EXPECT_TRUE(fs::is_empty(folders.dataFolder()));
}

TEST_F(RequiredFiles, FillsAnEmptyDataFolder)
{
    RawExec(list,
            "insert into dir values( 'grafika' ); insert into dir values( 'grafika\\blanki' );"
            "insert into dir values( NULL );");
    Ship("ustawienia.sqset", "settings", 0);
    Ship("grafika/blanki/strona.png", "picture", 0);
    RawExec(list,
            "insert into files values( 'grafika\\blanki\\strona.png', 0 );");  // Windows separators
    chmod(folders.programFile("ustawienia.sqset").c_str(), 0444);  // installed read-only
    ASSERT_TRUE(bFunCheckFilesDir(es)) << es.str();
    EXPECT_EQ(Content(folders.dataFile("ustawienia.sqset")), "settings");
    EXPECT_EQ(Content(folders.dataFile("grafika/blanki/strona.png")), "picture");
    EXPECT_EQ(access(folders.dataFile("ustawienia.sqset").c_str(), W_OK), 0);
    struct stat st {};
    stat(folders.dataFile("ustawienia.sqset").c_str(), &st);
    EXPECT_TRUE(st.st_mode & S_IWUSR);
}

TEST_F(RequiredFiles, UserCopyIsKeptUnlessFlagged)
{
    Ship("kept.txt", "factory", 0);
    Ship("replaced.txt", "factory", 1);
    std::ofstream(folders.dataFile("kept.txt")) << "user";
    std::ofstream(folders.dataFile("replaced.txt")) << "user";
    ASSERT_TRUE(bFunCheckFilesDir(es)) << es.str();
    EXPECT_EQ(Content(folders.dataFile("kept.txt")), "user");
    EXPECT_EQ(Content(folders.dataFile("replaced.txt")), "factory");
    EXPECT_EQ(RawScalar(list, "select group_concat(`update`) from files"), "0,0");

    std::ofstream(folders.dataFile("replaced.txt")) << "user again";
    ASSERT_TRUE(bFunCheckFilesDir(es));  // the flag is reset: no second copy
    EXPECT_EQ(Content(folders.dataFile("replaced.txt")), "user again");
}

TEST_F(RequiredFiles, ReadOnlyListStartsWhenNothingIsFlagged)
{
    Ship("a.txt", "factory", 0);
    std::ofstream(folders.dataFile("a.txt")) << "user";
    Ship("b.txt", "factory", 0);
    chmod(list.c_str(), 0444);
    chmod(folders.programFolder().c_str(), 0555);
    const std::string before = Content(list);
    EXPECT_TRUE(bFunCheckFilesDir(es)) << es.str();
    EXPECT_EQ(Content(list), before);  // nothing was written to the list
    EXPECT_EQ(Content(folders.dataFile("b.txt")), "factory");
    chmod(folders.programFolder().c_str(), 0755);
}

// A system-wide installation: the list is read-only to the user, so the flags stay set;
// the user receives each installation's flagged files once.
TEST_F(RequiredFiles, ReadOnlyInstallationReplacesFlaggedFilesOncePerInstallation)
{
    Ship("manual.html", "factory 1", 1);
    Ship("settings", "factory", 0);
    std::ofstream(folders.dataFile("manual.html")) << "user";
    std::ofstream(folders.dataFile("settings")) << "user";

    ASSERT_TRUE(CheckAsOrdinaryUser()) << es.str();
    EXPECT_EQ(Content(folders.dataFile("manual.html")), "factory 1");
    EXPECT_EQ(Content(folders.dataFile("settings")), "user");
    EXPECT_EQ(RawScalar(list, "select group_concat(`update`) from files"), "1,0");

    std::ofstream(folders.dataFile("manual.html")) << "user again";
    ASSERT_TRUE(CheckAsOrdinaryUser()) << es.str();
    EXPECT_EQ(Content(folders.dataFile("manual.html")), "user again");  // same installation

    // A later installation writes the list and the files anew.
    std::ofstream(folders.programFile("manual.html")) << "factory 2";
    fs::copy_file(list, list + ".new");
    fs::rename(list + ".new", list);
    ASSERT_TRUE(CheckAsOrdinaryUser()) << es.str();
    EXPECT_EQ(Content(folders.dataFile("manual.html")), "factory 2");
    EXPECT_EQ(Content(folders.dataFile("settings")), "user");
}

TEST_F(RequiredFiles, MissingFactoryFileFails)
{
    RawExec(list, "insert into files values( 'brak.txt', 0 );");
    EXPECT_FALSE(bFunCheckFilesDir(es));
    EXPECT_EQ(es.str(), "Błąd podczas kopiowania pliku.\n\nZ: " + folders.programFile("brak.txt") +
                            "\ndo: " + folders.dataFile("brak.txt") +
                            "\n\n Kod błędu: " + std::to_string(ENOENT));
    EXPECT_EQ(LogRows().back().fun, "bFunCopyFile()");
}

TEST(RequiredFilesList, Missing)
{
    TempFolders folders;
    ErrorStream es;
    EXPECT_FALSE(bFunCheckFilesDir(es));
    EXPECT_EQ(es.str(),
              "Błąd podczas próby sprawdzenia wymaganych plików / katalogów.\nPlik nie istnieje: " +
                  folders.programFile("pliki_kat.sqset"));
    EXPECT_EQ(LogRows().back().fun, "bFunCheckFilesDir()");
}

TEST(RequiredFilesList, FactoryListNamesTheSettingsFile)
{
    TempFolders folders;
    folders.copyFactoryFiles();
    const std::string list = folders.programFile("pliki_kat.sqset");
    EXPECT_EQ(
        RawScalar(list, "select count(*) from files where name='ustawienia.sqset' and `update`=0"),
        "1");
    // Only the manual follows each installation; the user's settings and calibration never do.
    EXPECT_EQ(RawScalar(list, "select count(*) from files where name='Dovivureze.html'"), "1");
    EXPECT_EQ(
        RawScalar(list, "select count(*) from files where `update`<>0 and name<>'Dovivureze.html'"),
        "0");
    EXPECT_EQ(RawScalar(list, "select count(*) from dir where name='grafika'"), "1");
}
