// A save killed with SIGKILL at a random moment, 100 times for each kind of save: the
// student save into the working copy and the copy of the working copy over the user's
// file. After each kill the program's start-up cleanup runs and another file is opened.
// Every file must pass SQLite's integrity check and hold either the whole old or the whole
// new content, and the file opened next must not pick up the killed save's journal.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <thread>

#include "store/CertFile.h"
#include "store/FileCopy.h"
#include "store/Folders.h"
#include "tests/kill/KillRecords.h"
#include "tests/support/TempFolders.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr unsigned kSeed = 20261210;
constexpr int kKillsPerKind = 100;
constexpr int kOldRows = 3000;
constexpr int kNewRows = 3400;
constexpr int kOtherRows = 2000;
constexpr const char* kSmallTable = "PESEL85050554321";

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string IntegrityCheck(const std::string& path)
{
    sqlite3* db = nullptr;
    std::string result = "cannot open";
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        result = "cannot check";
        if (sqlite3_prepare_v2(db, "pragma integrity_check", -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            result = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return result;
}

std::vector<FieldRecord> Load(const std::string& file, const std::string& table)
{
    ErrorStream es;
    std::vector<FieldRecord> rows;
    EXPECT_TRUE(bFunLoadCertData(es, file, table, rows)) << es.str();
    return rows;
}

// A certificates file with the large student and a small one beside it.
void MakeCertificates(const std::string& path, const std::string& tag, int rows)
{
    ErrorStream es;
    ASSERT_EQ(iFunCheckIsStudentExists(es, path, kKilledStudentTable, true), 0) << es.str();
    ASSERT_TRUE(bFunSaveCertData(es, path, kKilledStudentTable, LargeStudent(tag, rows)))
        << es.str();
    ASSERT_TRUE(bFunSaveCertData(es, path, kSmallTable, LargeStudent("mały", 20))) << es.str();
}

enum class Kind { Student, Copy };

struct SaveRun {
    bool midSave = false;  // killed before the save reported its end
    double seconds = 0;    // from the save's start to its end (uninterrupted runs only)
};

// Starts the helper, waits until it begins the save, kills it after `delay` (a negative
// delay: lets it finish first) and waits for its end.
SaveRun SaveAndKill(const std::vector<std::string>& args, std::chrono::microseconds delay)
{
    int out[2];
    EXPECT_EQ(::pipe(out), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        std::vector<char*> argv;
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(VLM_KILL_SAVE, argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    SaveRun run;
    char c = 0;
    EXPECT_EQ(::read(out[0], &c, 1), 1);
    EXPECT_EQ(c, 'S');
    const auto start = Clock::now();
    if (delay.count() >= 0) {
        std::this_thread::sleep_for(delay);
    } else {
        EXPECT_EQ(::read(out[0], &c, 1), 1);
        run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    }
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "helper status " << status;
    if (delay.count() >= 0)
        run.midSave = ::read(out[0], &c, 1) != 1;
    ::close(out[0]);
    return run;
}

class KillSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        ErrorStream es;
        working_ = DataTmpPath(es);
        userFolder_ = folders_.root() + "/dokumenty";
        fs::create_directories(userFolder_);
        base_ = folders_.root() + "/stary.sqvlm";
        saved_ = folders_.root() + "/nowy.sqvlm";
        other_ = userFolder_ + "/inna klasa.sqvlm";
        user_ = userFolder_ + "/klasa 4b.sqvlm";
        MakeCertificates(base_, "stary", kOldRows);
        MakeCertificates(saved_, "nowy", kNewRows);
        MakeCertificates(other_, "inny", kOtherRows);
        oldRows_ = Load(base_, kKilledStudentTable);
        newRows_ = Load(saved_, kKilledStudentTable);
        otherRows_ = Load(other_, kKilledStudentTable);
        smallRows_ = Load(base_, kSmallTable);
        oldBytes_ = ReadBytes(base_);
        newBytes_ = ReadBytes(saved_);
        otherBytes_ = ReadBytes(other_);
    }

    // The working copy and the user's file as a save of the given kind finds them.
    void Prepare(Kind kind)
    {
        ErrorStream es;
        ASSERT_TRUE(bFunDeleteTmpFile(es)) << es.str();
        ASSERT_EQ(CopyFileReplacing(kind == Kind::Student ? base_ : saved_, working_), 0);
        ASSERT_EQ(CopyFileReplacing(base_, user_), 0);
    }

    std::vector<std::string> Args(Kind kind) const
    {
        if (kind == Kind::Student)
            return {VLM_KILL_SAVE, "student", folders_.dataFolder(),
                    working_,      "nowy",    std::to_string(kNewRows)};
        return {VLM_KILL_SAVE, "copy", folders_.dataFolder(), working_, user_};
    }

    // "old" or "new"; a failure is recorded and returns "failed".
    std::string Outcome(Kind kind, int run)
    {
        if (kind == Kind::Copy) {
            EXPECT_EQ(IntegrityCheck(user_), "ok") << "run " << run;
            const std::string bytes = ReadBytes(user_);
            if (bytes == oldBytes_)
                return "old";
            if (bytes == newBytes_)
                return "new";
            ADD_FAILURE() << "run " << run
                          << ": the user's file is neither the old nor the new one";
            return "failed";
        }
        // The working copy as the kill left it, journal included, checked aside, so the
        // start-up below still meets the journal.
        const std::string found = folders_.root() + "/zastany.sqtmp";
        for (const char* suffix : {"", "-journal"}) {
            fs::remove(found + suffix);
            if (fs::exists(working_ + suffix))
                fs::copy_file(working_ + suffix, found + suffix);
        }
        if (fs::exists(working_ + "-journal"))
            ++journalsLeft_;
        const std::string check = IntegrityCheck(found);
        if (check != "ok") {
            ADD_FAILURE() << "run " << run << ": integrity check of the working copy: " << check;
            return "failed";
        }
        EXPECT_EQ(Load(found, kSmallTable), smallRows_) << "run " << run;
        const auto rows = Load(found, kKilledStudentTable);
        if (rows == oldRows_)
            return "old";
        if (rows == newRows_)
            return "new";
        ADD_FAILURE() << "run " << run << ": the student has " << rows.size()
                      << " rows, neither the old nor the new content";
        return "failed";
    }

    // What the program does next: the start-up cleanup, then another file is opened.
    void StartAndOpenOther(Kind kind, int run)
    {
        ErrorStream es;
        ASSERT_TRUE(bFunDeleteTmpFile(es)) << es.str();
        ASSERT_EQ(CopyFileReplacing(other_, working_), 0);
        EXPECT_EQ(IntegrityCheck(working_), "ok") << "run " << run;
        EXPECT_EQ(Load(working_, kKilledStudentTable), otherRows_) << "run " << run;
        EXPECT_EQ(ReadBytes(other_), otherBytes_) << "run " << run;
        if (kind == Kind::Student) {
            EXPECT_EQ(ReadBytes(user_), oldBytes_) << "run " << run;
        }
        // A copy cut off may leave its temporary beside the target; it is never the target,
        // and the next copy into that folder removes it.
        temporariesLeft_ += TemporariesIn(userFolder_);
        ASSERT_EQ(CopyFileReplacing(base_, user_), 0);
        EXPECT_EQ(TemporariesIn(userFolder_), 0) << "run " << run;
        EXPECT_EQ(ReadBytes(user_), oldBytes_) << "run " << run;
    }

    static int TemporariesIn(const std::string& folder)
    {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(folder))
            count += entry.path().filename().string().starts_with(".vlm-kopia-");
        return count;
    }

    void KillMany(Kind kind, const char* name)
    {
        double longest = 0;
        for (int i = 0; i < 3; ++i) {
            Prepare(kind);
            longest =
                std::max(longest, SaveAndKill(Args(kind), std::chrono::microseconds(-1)).seconds);
            ASSERT_EQ(Outcome(kind, -1), "new");
            StartAndOpenOther(kind, -1);
        }
        // Kill times spread over the save and a little past its end.
        std::mt19937 random(kSeed + int(kind));
        std::uniform_int_distribution<long> delay(0, long(longest * 1.2e6));
        int midSave = 0, old = 0, fresh = 0, failed = 0;
        for (int run = 0; run < kKillsPerKind; ++run) {
            Prepare(kind);
            const SaveRun r = SaveAndKill(Args(kind), std::chrono::microseconds(delay(random)));
            midSave += r.midSave;
            const std::string outcome = Outcome(kind, run);
            if (outcome == "old")
                ++old;
            else if (outcome == "new")
                ++fresh;
            else
                ++failed;
            StartAndOpenOther(kind, run);
        }
        std::cout << name << ": uninterrupted save " << int(longest * 1000 + 0.5) << " ms, "
                  << kKillsPerKind << " kills, " << midSave << " mid-save, outcome old " << old
                  << ", new " << fresh << ", failed " << failed << ", journals left "
                  << journalsLeft_ << ", temporaries left " << temporariesLeft_ << std::endl;
        EXPECT_EQ(failed, 0);
    }

    TempFolders folders_;
    std::string working_, userFolder_, base_, saved_, other_, user_;
    std::vector<FieldRecord> oldRows_, newRows_, otherRows_, smallRows_;
    std::string oldBytes_, newBytes_, otherBytes_;
    int journalsLeft_ = 0;
    int temporariesLeft_ = 0;
};

TEST_F(KillSave, StudentSaveKilledLeavesOldOrNewStudent)
{
    KillMany(Kind::Student, "student save");
}

TEST_F(KillSave, SaveToFileKilledLeavesOldOrNewFile)
{
    KillMany(Kind::Copy, "save to file");
}

}  // namespace
