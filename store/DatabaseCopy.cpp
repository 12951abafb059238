#include "store/DatabaseCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "store/CppSQLite3.h"
#include "store/Descriptor.h"
#include "store/FileCopy.h"
#include "store/FileState.h"

namespace {

// The bytes SQLite's Unix locking takes on a database file (far beyond the data of any file
// the program keeps, which is why they may be locked at all): a reader holds a read lock on
// the shared range, a writer a write lock on the reserved byte from its first change on, and
// a commit a write lock on the whole shared range.
constexpr off_t kPendingByte = 0x40000000;
constexpr off_t kReservedByte = kPendingByte + 1;
constexpr off_t kSharedFirst = kPendingByte + 2;
constexpr off_t kSharedSize = 510;

// Whether a lock of `type` on the range would conflict with one another process holds.
bool LockedByOther(int fd, short type, off_t start, off_t length)
{
    struct flock probe {};
    probe.l_type = type;
    probe.l_whence = SEEK_SET;
    probe.l_start = start;
    probe.l_len = length;
    return ::fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
}

// SQLite's shared lock, taken as a reader of the file: no commit can change the main file
// while it is held. A commit holds the range for a moment only, so a refused lock is tried
// again for some seconds. A file system without locks gives none, and the copy goes on.
int TakeSharedLock(int fd)
{
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kSharedFirst;
    lock.l_len = kSharedSize;
    for (int attempt = 0; attempt < 250; ++attempt) {
        if (::fcntl(fd, F_OFD_SETLK, &lock) == 0)
            return 0;
        if (errno != EAGAIN && errno != EACCES && errno != EINTR)
            return 0;
        const timespec pause{0, 20'000'000};
        ::nanosleep(&pause, nullptr);
    }
    return EBUSY;
}

int CopyFileTo(const std::string& source, const std::string& target)
{
    Descriptor in(-1);
    if (const int error = OpenRegularFile(source, in))
        return error;
    return CopyOpenFileTo(in.get(), target);
}

int RemoveSidecars(const std::string& path)
{
    for (const char* suffix : kDatabaseSidecars)
        if (const int error = RemoveFileIfPresent(path + suffix))
            return error;
    return 0;
}

// One pass: the main file from the locked descriptor, the journal when it is hot (no writer
// holds the reserved byte: then it is the journal of a write that was cut off), the log when
// there is one. True in `steady` when none of the source's files changed meanwhile.
int CopyFileSet(int in, const std::string& source, const std::string& target, bool& steady)
{
    const std::string journal = source + "-journal";
    const std::string log = source + "-wal";
    const FileMark before[] = {MarkOf(source), MarkOf(journal), MarkOf(log)};
    if (::lseek(in, 0, SEEK_SET) != 0)
        return errno;
    if (const int error = CopyOpenFileTo(in, target))
        return error;
    const bool journalIsHot = before[1].present && !LockedByOther(in, F_WRLCK, kReservedByte, 1);
    if (const int error = journalIsHot ? CopyFileTo(journal, target + "-journal")
                                       : RemoveFileIfPresent(target + "-journal"))
        return error;
    if (const int error = before[2].present ? CopyFileTo(log, target + "-wal")
                                            : RemoveFileIfPresent(target + "-wal"))
        return error;
    if (const int error = RemoveFileIfPresent(target + "-shm"))
        return error;
    const FileMark after[] = {MarkOf(source), MarkOf(journal), MarkOf(log)};
    steady = before[0] == after[0] && before[1] == after[1] && before[2] == after[2];
    return 0;
}

int CopyFileSetSteadily(const std::string& source, const std::string& target)
{
    Descriptor in(-1);
    if (const int error = OpenRegularFile(source, in))
        return error;
    if (const int error = TakeSharedLock(in.get()))
        return error;
    // A log is written under no lock of the main file: a pass during which a file changed
    // is done again.
    for (int attempt = 0; attempt < 5; ++attempt) {
        bool steady = false;
        if (const int error = CopyFileSet(in.get(), source, target, steady))
            return error;
        if (steady)
            return 0;
    }
    return EBUSY;
}

// The first lines of SQLite's report and how many more there are: a damaged file may give
// thousands.
std::string Abridged(const std::string& report)
{
    constexpr int kLines = 4;
    std::string shown;
    int lines = 0;
    std::size_t from = 0;
    while (from <= report.size()) {
        std::size_t end = report.find('\n', from);
        if (end == std::string::npos)
            end = report.size();
        if (lines++ < kLines) {
            if (!shown.empty())
                shown += '\n';
            shown.append(report, from, end - from);
        }
        from = end + 1;
    }
    if (lines > kLines)
        shown += "\n(i " + std::to_string(lines - kLines) + " dalszych wierszy)";
    return shown;
}

// SQLite plays a hot journal back, or takes the log's commits in, on the first read; the
// check is that read. Leaving write-ahead-log mode moves the log into the file and removes it.
std::string RecoverAndCheck(const std::string& path)
{
    std::string report;
    auto add = [&report](const std::string& line) {
        if (!report.empty())
            report += '\n';
        report += line;
    };
    try {
        CppSQLite3DB db;
        db.Open(path);
        for (CppSQLite3Query check = db.RunQuery("pragma quick_check"); !check.AtEnd();
             check.Step())
            if (const std::string line = check.TextAt(0); line != "ok")
                add(line);
        db.RunQuery("pragma journal_mode=DELETE");
        db.Close();
    } catch (const CppSQLite3Exception& e) {
        add(e.Message());
    }
    for (const char* suffix : {"-journal", "-wal"})
        if (::access((path + suffix).c_str(), F_OK) == 0)
            add(std::string("nie udało się przenieść pliku \"") + suffix + "\" do kopii");
    return report.empty() ? report : Abridged(report);
}

}  // namespace

bool DatabaseInUse(const std::string& path)
{
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    return fd.get() >= 0 && LockedByOther(fd.get(), F_WRLCK, kPendingByte, 2 + kSharedSize);
}

DatabaseCopyResult CopyDatabaseAsRead(const std::string& source, const std::string& target)
{
    DatabaseCopyResult result;
    result.error = CopyFileSetSteadily(source, target);
    if (result.error != 0) {
        RemoveDatabaseFiles(target);
        return result;
    }
    result.damage = RecoverAndCheck(target);
    // What could not be played back stays out of the copy: no later open may try again.
    RemoveSidecars(target);
    return result;
}

int ReplaceDatabaseFile(const std::string& source, const std::string& target)
{
    return CopyFileReplacing(source, target, [&target] {
        if (DatabaseInUse(target))
            return EBUSY;
        return RemoveSidecars(target);
    });
}

int RemoveDatabaseFiles(const std::string& path)
{
    if (const int error = RemoveFileIfPresent(path))
        return error;
    return RemoveSidecars(path);
}
