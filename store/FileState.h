#pragma once
// What a file on disk is at one moment, to tell later whether someone wrote it meanwhile: its
// identity, size, modification time and a hash of its bytes, and the same of the
// write-ahead log beside it (another program's commits may change only that).
#include <sys/types.h>

#include <cstdint>
#include <ctime>
#include <string>

// What tells one state of a file from another without reading it: a change in any of these
// means it was written. A file that is not there is not present.
struct FileMark {
    bool present = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    bool operator==(const FileMark& other) const
    {
        return present == other.present && device == other.device && inode == other.inode &&
               size == other.size && modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
};

FileMark MarkOf(const std::string& path);

struct FileState {
    FileMark file;
    std::uint64_t contentHash = 0;
    FileMark log;  // the "-wal" beside it
};

FileState ReadFileState(const std::string& path);

// What changed from `before` to `now`, one line a change ("- rozmiar: ..."), in Polish;
// empty when nothing did.
std::string DescribeChange(const FileState& before, const FileState& now);
