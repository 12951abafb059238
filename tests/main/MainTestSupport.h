#pragma once
// A started program against temporary folders, answered by scripted dialogs.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <string>

#include "main/InstanceLock.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/TempFolders.h"
#include "tests/support/TestApplication.h"

class TFGlowna;

// The whole content of a file ("" when it cannot be read).
std::string ReadFile(const std::string& path);

class ShellTest : public ::testing::Test {
protected:
    ShellTest();
    ~ShellTest() override;

    // Brings the data folder up to the factory files before a test presets a setting.
    void prepareDataFolder();
    // Runs the program's start; the main window is FGlowna afterwards.
    bool start(const QStringList& arguments = {});
    TFGlowna& window();

    std::vector<DialogRequest> messages() const { return dialogs.requestsOf(DialogKind::Message); }

    int storedSetting(const std::string& key);
    void storeSetting(const std::string& key, int value);
    // Counts later writes of each key in table `writes` of the user's settings file.
    void recordSettingWrites();
    int settingWrites(const std::string& key);

    TempFolders folders;
    ScriptedDialogs dialogs;
    InstanceLock lock;
};
