#include "store/FileCopy.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { if (fd_ >= 0) ::close(fd_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() { int fd = fd_; fd_ = -1; return fd; }

private:
    int fd_;
};

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

int CopyWholeFile(const std::string& source, const std::string& target, bool replace)
{
    // Opened without blocking: a pipe or a device must not hold the program before the
    // type check refuses it.
    Descriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (in.get() < 0)
        return errno;
    struct stat info {};
    if (::fstat(in.get(), &info) != 0)
        return errno;
    if (!S_ISREG(info.st_mode))
        return S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    if (::fcntl(in.get(), F_SETFL, 0) != 0)
        return errno;

    const std::string folder = FolderOf(target);
    // A short name of its own: the target's name may be as long as the system allows, and a
    // temporary left by a copy that was cut off is never written through.
    std::string temporaryName = folder + "/.vlm-kopia-XXXXXX";
    std::vector<char> pattern(temporaryName.begin(), temporaryName.end());
    pattern.push_back('\0');
    Descriptor out(::mkostemp(pattern.data(), O_CLOEXEC));
    if (out.get() < 0)
        return errno;
    const std::string temporary(pattern.data());

    int error = CopyBytes(in.get(), out.get());
    struct stat replaced {};
    const bool replacesFile = ::stat(target.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode);
    const mode_t mode = (replacesFile ? replaced.st_mode & 07777 : 0644) | S_IRUSR | S_IWUSR;
    if (error == 0 && ::fchmod(out.get(), mode) != 0)
        error = errno;
    if (error == 0 && ::fsync(out.get()) != 0)
        error = errno;
    if (::close(out.release()) != 0 && error == 0)
        error = errno;
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
    return CopyWholeFile(source, target, true);
}

int CopyFileIfAbsent(const std::string& source, const std::string& target)
{
    return CopyWholeFile(source, target, false);
}
