#include "store/FileCopy.h"

#include "store/Descriptor.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int CopyBytes(int from, int to)
{
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got == 0)
            return 0;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(to, buffer + done, static_cast<size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            done += put;
        }
    }
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The rename is on disk only once the folder is; a folder that cannot be synced still
// holds the whole new file, so this is not a failure of the copy.
void SyncFolder(const std::string& folder)
{
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

// A hard link never replaces an existing name; a file system without hard links gets a
// rename after a check.
int LinkWithoutReplacing(const std::string& temporary, const std::string& target)
{
    if (::link(temporary.c_str(), target.c_str()) == 0)
        return 0;
    if (errno != EPERM && errno != EOPNOTSUPP)
        return errno;
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0)
        return EEXIST;
    return ::rename(temporary.c_str(), target.c_str()) == 0 ? 0 : errno;
}

// Every copy writes into a temporary named so, which it holds locked from its creation until
// it has the target's name or is gone. One that no copy holds was left by a copy that was cut
// off (a killed or crashed program), in this or any other instance.
constexpr char kTemporaryPrefix[] = ".vlm-kopia-";
constexpr std::size_t kTemporaryName = sizeof kTemporaryPrefix - 1 + 6;  // mkstemp's XXXXXX

}  // namespace

// A temporary is removed only while this holds its lock, and only when its name still names
// the file locked.
void RemoveLeftCopyTemporaries(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strlen(entry->d_name) != kTemporaryName ||
            std::strncmp(entry->d_name, kTemporaryPrefix, sizeof kTemporaryPrefix - 1) != 0)
            continue;
        const std::string path = folder + "/" + entry->d_name;
        Descriptor left(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        struct stat locked {
        }, named{};
        if (left.get() < 0 || ::flock(left.get(), LOCK_EX | LOCK_NB) != 0 ||
            ::fstat(left.get(), &locked) != 0 || !S_ISREG(locked.st_mode) ||
            ::lstat(path.c_str(), &named) != 0 || named.st_dev != locked.st_dev ||
            named.st_ino != locked.st_ino)
            continue;
        ::unlink(path.c_str());
    }
    ::closedir(dir);
}

namespace {

// A new temporary in the folder, locked. A copy cleaning the folder between its creation and
// its lock holds it or has removed it: then another is made. On a file system without locks
// the temporary stays unlocked, and no copy removes one there.
int CreateTemporary(const std::string& folder, Descriptor& out, std::string& name)
{
    for (;;) {
        std::string pattern = folder + "/" + kTemporaryPrefix + "XXXXXX";
        Descriptor fd(::mkostemp(pattern.data(), O_CLOEXEC));
        if (fd.get() < 0)
            return errno;
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
            continue;
        struct stat info {};
        if (::fstat(fd.get(), &info) != 0) {
            const int error = errno;
            ::unlink(pattern.c_str());
            return error;
        }
        if (info.st_nlink > 0) {
            out.reset(fd.release());
            name = pattern;
            return 0;
        }
    }
}

int CopyWholeFile(const std::string& source, const std::string& target, bool replace,
                  const std::function<int()>& beforeRename)
{
    Descriptor in(-1);
    if (const int error = OpenRegularFile(source, in))
        return error;

    const std::string folder = FolderOf(target);
    // A short name of its own: the target's name may be as long as the system allows, and a
    // temporary left by a copy that was cut off is never written through.
    Descriptor out(-1);
    std::string temporary;
    if (const int error = CreateTemporary(folder, out, temporary))
        return error;
    // Holds the temporary's lock past the close of `out`, until it has been renamed or removed.
    const Descriptor lock(::fcntl(out.get(), F_DUPFD_CLOEXEC, 0));
    RemoveLeftCopyTemporaries(folder);

    int error = lock.get() < 0 ? errno : CopyBytes(in.get(), out.get());
    struct stat replaced {};
    const bool replacesFile = ::stat(target.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode);
    const mode_t mode = (replacesFile ? replaced.st_mode & 07777 : 0644) | S_IRUSR | S_IWUSR;
    if (error == 0 && ::fchmod(out.get(), mode) != 0)
        error = errno;
    if (error == 0 && ::fsync(out.get()) != 0)
        error = errno;
    if (::close(out.release()) != 0 && error == 0)
        error = errno;
    if (error == 0 && beforeRename)
        error = beforeRename();
    if (error == 0) {
        if (replace) {
            if (::rename(temporary.c_str(), target.c_str()) != 0)
                error = errno;
        } else {
            error = LinkWithoutReplacing(temporary, target);
        }
    }
    if (error != 0 || !replace)
        ::unlink(temporary.c_str());
    if (error == 0)
        SyncFolder(folder);
    return error;
}

}  // namespace

bool IsRegularFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

int CopyFileReplacing(const std::string& source, const std::string& target)
{
    return CopyWholeFile(source, target, true, {});
}

int CopyFileReplacing(const std::string& source, const std::string& target,
                      const std::function<int()>& beforeRename)
{
    return CopyWholeFile(source, target, true, beforeRename);
}

int CopyFileIfAbsent(const std::string& source, const std::string& target)
{
    return CopyWholeFile(source, target, false, {});
}

int OpenRegularFile(const std::string& path, Descriptor& in)
{
    // Opened without blocking: a pipe or a device must not hold the program before the
    // type check refuses it.
    in.reset(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (in.get() < 0)
        return errno;
    struct stat info {};
    if (::fstat(in.get(), &info) != 0)
        return errno;
    if (!S_ISREG(info.st_mode))
        return S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    return ::fcntl(in.get(), F_SETFL, 0) == 0 ? 0 : errno;
}

int RemoveFileIfPresent(const std::string& path)
{
    if (::unlink(path.c_str()) == 0 || errno == ENOENT)
        return 0;
    const int error = errno;
    struct stat info {};
    return ::lstat(path.c_str(), &info) != 0 && errno == ENOENT ? 0 : error;
}

int CopyOpenFileTo(int from, const std::string& target)
{
    Descriptor out(
        ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (out.get() < 0)
        return errno;
    int error = CopyBytes(from, out.get());
    if (::close(out.release()) != 0 && error == 0)
        error = errno;
    return error;
}
