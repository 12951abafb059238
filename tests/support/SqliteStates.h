#pragma once
// SQLite files in the states another program leaves them in, in which the main file's bytes
// alone are not what SQLite reads. Each is made by copying the files of a database while a
// connection is in the middle of its work, so nobody holds a lock on the copies. SQL is
// given in UTF-8 and reaches SQLite as Windows-1250 bytes, as the program writes it.
#include <sys/types.h>

#include <map>
#include <string>

// `copy` and `copy`-journal: `change` (SQL) was under way on `path`, part of it already
// written into the main file (the cache spilled), when its writer stopped: a hot journal.
// `path` itself is left as it was.
void CopyMidTransaction(const std::string& path, const std::string& copy,
                        const std::string& change);

// `copy` and `copy`-wal: `change` committed into the write-ahead log of `path` and not yet
// moved into the main file. `path` keeps the change, in write-ahead-log mode.
void CopyWithCommitInLog(const std::string& path, const std::string& copy,
                         const std::string& change);

// Every file named `path` + a suffix SQLite gives its files ("", "-journal", "-wal", "-shm"),
// with its bytes.
std::map<std::string, std::string> FilesBeside(const std::string& path);

// SQLite's "pragma quick_check" of the file ("ok" when sound), read through a private
// copy of the main file alone (what a plain byte copy of the file gives).
std::string QuickCheckOfMainFileAlone(const std::string& path);
// The same of the file as SQLite reads it, opened read-only.
std::string QuickCheck(const std::string& path);

// Another process with a write transaction open on the file (SQLite's reserved lock) while
// the object lives: SQLite's locks belong to a process, and the program asks whether
// another one holds them.
class WriterInAnotherProcess {
public:
    explicit WriterInAnotherProcess(const std::string& path);
    ~WriterInAnotherProcess();
    WriterInAnotherProcess(const WriterInAnotherProcess&) = delete;
    WriterInAnotherProcess& operator=(const WriterInAnotherProcess&) = delete;

private:
    void end();

    pid_t pid_ = -1;
    int release_ = -1;  // closed: the writer ends
};
