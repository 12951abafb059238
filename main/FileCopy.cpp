#include "main/FileCopy.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace

int CopyFileReplacing(const std::string& source, const std::string& target)
{
    Descriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return errno;
    struct stat info {};
    if (::fstat(in.get(), &info) != 0)
        return errno;
    if (!S_ISREG(info.st_mode))
        return EISDIR;

    const std::string temporary = target + ".vlm-kopia";
    // A temporary left by a copy that was cut off is made anew, never written through.
    ::unlink(temporary.c_str());
    Descriptor out(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (out.get() < 0)
        return errno;
    int error = CopyBytes(in.get(), out.get());
    // The new file keeps the permissions of the one it replaces (a file kept private stays so).
    struct stat replaced {};
    if (error == 0 && ::stat(target.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode) &&
        ::fchmod(out.get(), replaced.st_mode & 07777) != 0)
        error = errno;
    if (error == 0 && ::fsync(out.get()) != 0)
        error = errno;
    if (::close(out.release()) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(temporary.c_str());
    return error;
}
