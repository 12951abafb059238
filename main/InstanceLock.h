#pragma once
// One running program per data folder: a second one would delete the first one's working
// copy. The lock is a file lock on the data folder itself, which the system drops when the
// holding process ends, however it ends.
#include <string>

class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock of `folder` (once; later calls keep it); false when another instance
    // holds it. A folder that cannot be opened at all does not stop the program.
    bool acquire(const std::string& folder);

private:
    int fd_ = -1;
};
