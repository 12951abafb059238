#pragma once
// What a file on disk is at one moment, to tell later whether someone wrote it meanwhile: its
// identity, size, modification time and a hash of its bytes, and the same of the
// write-ahead log beside it (another program's commits may change only that).
#include <sys/types.h>

#include <cstdint>
#include <ctime>
#include <string>

struct FileState {
    bool present = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    std::uint64_t contentHash = 0;
    bool logPresent = false;
    off_t logSize = 0;
    timespec logModified{};
};

FileState ReadFileState(const std::string& path);

// What changed from `before` to `now`, one line a change ("- rozmiar: ..."), in Polish;
// empty when nothing did.
std::string DescribeChange(const FileState& before, const FileState& now);
