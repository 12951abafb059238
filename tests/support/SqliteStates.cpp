#include "tests/support/SqliteStates.h"

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "store/Cp1250.h"

namespace fs = std::filesystem;

namespace {

void Exec(sqlite3* db, const std::string& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, Utf8ToCp1250(sql).c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error ? error : "?";
        sqlite3_free(error);
        throw std::runtime_error(sql + ": " + text);
    }
}

sqlite3* OpenOrThrow(const std::string& path, int flags)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + path);
    }
    return db;
}

void CopyReplacing(const std::string& from, const std::string& to)
{
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

}  // namespace

void CopyMidTransaction(const std::string& path, const std::string& copy, const std::string& change)
{
    sqlite3* db = OpenOrThrow(path, SQLITE_OPEN_READWRITE);
    // A cache of a few pages spills the change into the main file before the commit.
    Exec(db, "pragma journal_mode=DELETE; pragma cache_size=10; pragma cache_spill=1; begin;");
    Exec(db, change);
    if (!fs::exists(path + "-journal"))
        throw std::runtime_error("the change made no journal");
    fs::remove(copy + "-wal");
    CopyReplacing(path, copy);
    CopyReplacing(path + "-journal", copy + "-journal");
    Exec(db, "rollback;");
    sqlite3_close(db);
}

void CopyWithCommitInLog(const std::string& path, const std::string& copy,
                         const std::string& change)
{
    sqlite3* db = OpenOrThrow(path, SQLITE_OPEN_READWRITE);
    Exec(db, "pragma journal_mode=WAL; pragma wal_autocheckpoint=0;");
    Exec(db, change);
    fs::remove(copy + "-journal");
    CopyReplacing(path, copy);
    CopyReplacing(path + "-wal", copy + "-wal");
    sqlite3_close(db);
}

std::string QuickCheck(const std::string& path)
{
    sqlite3* db = nullptr;
    std::string result = "cannot open";
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "pragma quick_check", -1, &st, nullptr) != SQLITE_OK) {
            result = sqlite3_errmsg(db);
        } else {
            const int rc = sqlite3_step(st);
            result = rc == SQLITE_ROW ? reinterpret_cast<const char*>(sqlite3_column_text(st, 0))
                                      : sqlite3_errmsg(db);
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return result;
}

std::map<std::string, std::string> FilesBeside(const std::string& path)
{
    std::map<std::string, std::string> files;
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
        std::ifstream in(path + suffix, std::ios::binary);
        if (in)
            files[suffix] = {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    return files;
}

std::string QuickCheckOfMainFileAlone(const std::string& path)
{
    const std::string alone = path + ".alone";
    CopyReplacing(path, alone);
    const std::string result = QuickCheck(alone);
    fs::remove(alone);
    return result;
}

WriterInAnotherProcess::WriterInAnotherProcess(const std::string& path)
{
    int ready[2], release[2];
    if (::pipe(ready) != 0 || ::pipe(release) != 0)
        throw std::runtime_error("no pipe");
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(ready[0]);
        ::close(release[1]);
        sqlite3* db = nullptr;
        char done = 'L';
        if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
            sqlite3_exec(db, "begin immediate transaction;", nullptr, nullptr, nullptr) !=
                SQLITE_OK)
            done = 'E';
        if (::write(ready[1], &done, 1) != 1)
            ::_exit(1);
        // Until the parent closes its end.
        while (::read(release[0], &done, 1) > 0) {
        }
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    release_ = release[1];
    char answer = 0;
    const bool locked = ::read(ready[0], &answer, 1) == 1 && answer == 'L';
    ::close(ready[0]);
    if (!locked) {
        end();
        throw std::runtime_error("the other process could not lock " + path);
    }
}

WriterInAnotherProcess::~WriterInAnotherProcess()
{
    end();
}

void WriterInAnotherProcess::end()
{
    if (release_ >= 0)
        ::close(release_);
    release_ = -1;
    if (pid_ > 0)
        ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
}
