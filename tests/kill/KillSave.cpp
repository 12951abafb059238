// One save, to be killed from outside:
//   vlm_kill_save student <data folder> <certificates file> <tag> <rows>
//   vlm_kill_save copy <data folder> <source> <target>
// Writes 'S' to stdout just before the save and 'D' once it returned, then waits to be
// killed, so the one who kills it knows whether the kill landed mid-save.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "store/CertFile.h"
#include "store/ErrorStream.h"
#include "store/FileCopy.h"
#include "store/Folders.h"
#include "tests/kill/KillRecords.h"

namespace {

void Signal(char c)
{
    if (::write(STDOUT_FILENO, &c, 1) != 1)
        std::_Exit(3);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5 && argc != 6)
        return 2;
    const std::string mode = argv[1];
    SetDataFolderOverride(argv[2]);
    bool saved = false;
    if (mode == "student" && argc == 6) {
        const auto records = LargeStudent(argv[4], std::atoi(argv[5]));
        ErrorStream es;
        Signal('S');
        saved = ReplaceStudentTable(es, argv[3], kKilledStudentTable, records);
    } else if (mode == "copy" && argc == 5) {
        Signal('S');
        saved = CopyFileReplacing(argv[3], argv[4]) == 0;
    } else {
        return 2;
    }
    if (!saved)
        return 1;
    Signal('D');
    for (;;)
        ::pause();
}
