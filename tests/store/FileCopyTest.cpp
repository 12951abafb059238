// Whole-file copies: old file or whole new one, any name length, pipes refused without
// waiting, a full disk reported with its own code, a copy always writable by its owner,
// temporaries left by cut-off copies removed by the next copy into their folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "store/FileCopy.h"
#include "store/Folders.h"
#include "tests/support/TempFolders.h"

namespace fs = std::filesystem;

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A file system of 64 KiB mounted on a new folder for one test.
class SmallDisk {
public:
    explicit SmallDisk(const std::string& folder)
        : folder_(folder)
    {
        fs::create_directory(folder_);
        mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk()
    {
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }

private:
    std::string folder_;
    bool mounted_ = false;
};

}  // namespace

TEST(FileCopyTest, TargetIsEitherTheOldFileOrTheWholeNewOne)
{
    TempFolders folders;
    const std::string source = folders.root() + "/zrodlo";
    const std::string target = folders.root() + "/cel";
    std::ofstream(source, std::ios::binary) << std::string(200000, 'n');
    std::ofstream(target, std::ios::binary) << "stary";

    EXPECT_EQ(CopyFileReplacing(folders.root() + "/brak", target), ENOENT);
    EXPECT_EQ(CopyFileReplacing(folders.root(), target), EISDIR);
    EXPECT_EQ(fs::file_size(target), 5u);
    EXPECT_EQ(CopyFileIfAbsent(source, target), EEXIST);
    EXPECT_EQ(fs::file_size(target), 5u);

    EXPECT_EQ(CopyFileReplacing(source, target), 0);
    EXPECT_EQ(fs::file_size(target), 200000u);
    const std::string fresh = folders.root() + "/nowy";
    EXPECT_EQ(CopyFileIfAbsent(source, fresh), 0);
    EXPECT_EQ(fs::file_size(fresh), 200000u);
    EXPECT_EQ(FolderEntries(folders.root()),
              (std::vector<std::string>{"cel", "data", "nowy", "program", "zrodlo"}));
}

TEST(FileCopyTest, NamesAsLongAsTheSystemAllowsAreCopiedTo)
{
    TempFolders folders;
    const std::string source = folders.root() + "/zrodlo";
    std::ofstream(source, std::ios::binary) << "dane";
    for (const std::size_t length : {246u, 255u}) {
        const std::string target = folders.root() + "/" + std::string(length - 6, 'a') + ".sqvlm";
        EXPECT_EQ(CopyFileReplacing(source, target), 0) << length;
        EXPECT_EQ(fs::file_size(target), 4u) << length;
    }
}

TEST(FileCopyTest, PipesAndDevicesAreRefusedWithoutWaitingForThem)
{
    TempFolders folders;
    const std::string pipe = folders.root() + "/potok.sqvlm";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    const std::string target = folders.root() + "/cel";
    std::ofstream(target, std::ios::binary) << "stary";
    // Nobody writes into the pipe: a copy that opened it for reading would wait for ever.
    EXPECT_EQ(CopyFileReplacing(pipe, target), EINVAL);
    EXPECT_EQ(CopyFileReplacing("/dev/zero", target), EINVAL);
    EXPECT_EQ(fs::file_size(target), 5u);
    EXPECT_FALSE(IsRegularFile(pipe));
    EXPECT_FALSE(IsRegularFile(folders.root()));
    EXPECT_TRUE(IsRegularFile(target));
}

TEST(FileCopyTest, CopyOfAReadOnlyFileIsWritableByItsOwner)
{
    TempFolders folders;
    const std::string factory = folders.programFile("vlm_kalibracja.sqset");
    std::ofstream(factory, std::ios::binary) << "fabryczny";
    fs::permissions(factory, fs::perms(0444));
    const std::string user = folders.dataFile("vlm_kalibracja.sqset");
    for (bool replacing : {false, true}) {
        ErrorStream es;
        ASSERT_TRUE(bFunCopyFile(es, factory, user, !replacing)) << es.str();
        EXPECT_EQ(fs::status(user).permissions() & fs::perms(0777), fs::perms(0644)) << replacing;
    }
}

TEST(FileCopyTest, FullDiskIsReportedWithItsOwnCodeAndLeavesNoPartialFile)
{
    TempFolders folders;
    const std::string disk = folders.root() + "/maly";
    SmallDisk small(disk);
    if (!small.mounted())
        GTEST_SKIP() << "this machine does not let the test mount a file system";
    const std::string source = folders.programFile("grafika.jpg");
    std::ofstream(source, std::ios::binary) << std::string(256 * 1024, 'g');
    const std::string target = disk + "/grafika.jpg";

    ErrorStream es;
    EXPECT_FALSE(bFunCopyFile(es, source, target, true));
    EXPECT_EQ(es.str(), "Błąd podczas kopiowania pliku.\n\nZ: " + source + "\ndo: " + target +
                            "\n\n Kod błędu: " + std::to_string(ENOSPC));
    EXPECT_TRUE(FolderEntries(disk).empty());
    EXPECT_EQ(CopyFileReplacing(source, target), ENOSPC);
    EXPECT_TRUE(FolderEntries(disk).empty());
}

// Run twice: as the test, which starts this same test program under strace, and as that
// traced program, which only makes the copy named in its environment.
TEST(FileCopyTest, TheFolderIsSyncedAfterTheRename)
{
    if (const char* traced = std::getenv("VLM_TRACED_COPY")) {
        const std::string folder = traced;
        EXPECT_EQ(CopyFileReplacing(folder + "/zrodlo", folder + "/cel"), 0);
        return;
    }
    if (std::system("strace -V > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "strace is not installed";
    TempFolders folders;
    std::ofstream(folders.root() + "/zrodlo", std::ios::binary) << "dane";
    const std::string log = folders.root() + "/strace.log";
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    const std::string command =
        "VLM_TRACED_COPY=" + folders.root() + " strace -f -qq -y -o " + log +
        " -e trace=fsync,rename,renameat,renameat2 " + self +
        " --gtest_filter=FileCopyTest.TheFolderIsSyncedAfterTheRename > /dev/null 2>&1";
    if (std::system(command.c_str()) != 0 || !fs::exists(log))
        GTEST_SKIP() << "this machine does not let strace trace a program";
    ASSERT_EQ(ReadText(folders.root() + "/cel"), "dane");

    std::ifstream calls(log);
    bool renamed = false, folderSynced = false;
    for (std::string line; std::getline(calls, line);) {
        if (line.find("rename") != std::string::npos &&
            line.find(folders.root() + "/cel") != std::string::npos)
            renamed = true;
        else if (renamed && line.find("fsync(") != std::string::npos &&
                 line.find("<" + folders.root() + ">") != std::string::npos)
            folderSynced = true;
    }
    EXPECT_TRUE(renamed);
    EXPECT_TRUE(folderSynced);
}

// A temporary no copy holds was left by a copy that was cut off; one held locked is being
// written by a live copy, maybe of another instance, and stays until that copy lets it go.
TEST(FileCopyTest, TheNextCopyIntoAFolderRemovesTheTemporariesNoCopyHolds)
{
    TempFolders folders;
    const std::string source = folders.root() + "/zrodlo";
    const std::string target = folders.root() + "/cel";
    std::ofstream(source, std::ios::binary) << std::string(200000, 'n');
    std::ofstream(target, std::ios::binary) << "stary";
    const std::string left = folders.root() + "/.vlm-kopia-Ab12Cd";
    const std::string held = folders.root() + "/.vlm-kopia-Zy98Xw";
    const std::string lookAlike = folders.root() + "/.vlm-kopia-nie-nasza";
    for (const std::string& path : {left, held, lookAlike})
        std::ofstream(path, std::ios::binary) << std::string(70000, 'p');
    const int holder = ::open(held.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);

    EXPECT_EQ(CopyFileReplacing(source, target), 0);
    EXPECT_EQ(ReadText(target), std::string(200000, 'n'));
    EXPECT_EQ(FolderEntries(folders.root()),
              (std::vector<std::string>{".vlm-kopia-Zy98Xw", ".vlm-kopia-nie-nasza", "cel", "data",
                                        "program", "zrodlo"}));

    ::close(holder);
    const std::string fresh = folders.root() + "/nowy";
    EXPECT_EQ(CopyFileIfAbsent(source, fresh), 0);
    EXPECT_EQ(ReadText(fresh), std::string(200000, 'n'));
    EXPECT_EQ(FolderEntries(folders.root()),
              (std::vector<std::string>{".vlm-kopia-nie-nasza", "cel", "data", "nowy", "program",
                                        "zrodlo"}));
}
