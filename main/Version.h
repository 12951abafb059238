#pragma once
// The program's own version: shown in the main window's caption and compared with the
// version record of the update server.

struct ProgramVersion {
    int major;
    int minor;
    int build;
};

inline constexpr ProgramVersion BuiltInVersion{1, 1, 2};
