#pragma once
// Copies of SQLite files as SQLite reads them, and replacing one safely. A file's committed
// content may lie partly beside it: in a rollback journal that a write cut off leaves behind
// (to be played back: the main file alone is torn) or in a write-ahead log (committed, not
// yet moved into the main file). A journal or log left beside a file that is then replaced
// would be played back into the new content by the next program that opens it.
#include <string>

// The names SQLite gives the files beside a database: "-journal", "-wal", "-shm".
inline constexpr const char* kDatabaseSidecars[] = {"-journal", "-wal", "-shm"};

// True when another process holds one of SQLite's locks on the file: a connection of
// another program is reading or writing it at this moment (or keeps it open in
// write-ahead-log mode).
bool DatabaseInUse(const std::string& path);

struct DatabaseCopyResult {
    int error = 0;       // the system error code of the copy; EBUSY: written to all the while
    std::string damage;  // what SQLite's quick check reports of the copy; empty when sound
};

// Makes `target` a single file (rollback-journal mode, no journal or log beside it) holding
// what SQLite reads from `source`: the main file together with its hot journal or its
// write-ahead log is copied under SQLite's shared lock, and SQLite recovers the copy.
// Neither `source` nor anything beside it is written. A copy that SQLite finds damaged is
// still made, the damage named in the result; on an error nothing is left at `target`.
DatabaseCopyResult CopyDatabaseAsRead(const std::string& source, const std::string& target);

// Replaces `target` by a whole copy of `source` (CopyFileReplacing) and removes the journal,
// log and shared-memory files left beside the target just before the new file takes its name,
// so none of them is played back into it. EBUSY, nothing written, while another program has
// the target open (DatabaseInUse).
int ReplaceDatabaseFile(const std::string& source, const std::string& target);

// Removes `path` and its journal, log and shared-memory files; 0 or the first error code
// (a file that is not there is no error).
int RemoveDatabaseFiles(const std::string& path);
