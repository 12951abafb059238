#include "main/InstanceLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

InstanceLock::~InstanceLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool InstanceLock::acquire(const std::string& folder)
{
    if (fd_ >= 0)
        return true;
    const std::string path = folder + "/velmorandia.lock";
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool heldElsewhere = errno == EWOULDBLOCK;
        ::close(fd);
        return !heldElsewhere;
    }
    fd_ = fd;
    return true;
}
