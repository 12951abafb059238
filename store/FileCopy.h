#pragma once
// Whole-file copies: the bytes go to a temporary file with a short name beside the target,
// which then takes the target's name, and the folder's entry is synced, so the target is
// either the old file or the complete new one, whatever the length of its name. A copy
// holds its temporary locked, and removes the temporaries of the folder no copy holds:
// those of copies cut off by a killed program.
#include <functional>
#include <string>

// True when the path names a regular file (after links). Nothing is opened, so a pipe or
// a device never blocks the caller.
bool IsRegularFile(const std::string& path);

// 0 on success, else the system error code (errno) of the step that failed; the temporary
// file is removed and the target left as it was. A source that is no regular file is
// refused (EISDIR for a folder, EINVAL for a pipe, socket or device) without waiting on it.
// The copy keeps the permissions of the file it replaces, and is always writable by its
// owner.
int CopyFileReplacing(const std::string& source, const std::string& target);
// The same, with `beforeRename` run once the new content is complete and synced, right
// before it takes the target's name; its non-zero result (an error code) ends the copy there,
// the target left as it was.
int CopyFileReplacing(const std::string& source, const std::string& target,
                      const std::function<int()>& beforeRename);
// The same, but an existing target is never replaced: EEXIST.
int CopyFileIfAbsent(const std::string& source, const std::string& target);

class Descriptor;

// Opens a regular file for reading into `in`, without ever waiting on a pipe or a device:
// 0, or EISDIR for a folder, EINVAL for anything else that is no regular file, or the
// system error code.
int OpenRegularFile(const std::string& path, Descriptor& in);

// Writes what `from` reads from its current offset on into `target`, created or emptied
// (owner only), in place: for the program's own files, which need no whole-or-nothing.
// 0 or the system error code.
int CopyOpenFileTo(int from, const std::string& target);

// Removes the file; 0 also when there is none (a read-only folder refuses to remove a name
// it does not hold with EROFS: that is no failure), else the system error code.
int RemoveFileIfPresent(const std::string& path);

// Removes the copies' temporaries in `folder` that no copy holds (left by a killed
// program); a temporary in use, here or in another instance, stays.
void RemoveLeftCopyTemporaries(const std::string& folder);
