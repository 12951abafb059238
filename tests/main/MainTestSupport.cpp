#include "tests/main/MainTestSupport.h"

#include <fstream>

#include "forms/FormRegistry.h"
#include "main/Glowna.h"
#include "main/ProgramStart.h"
#include "main/WindowRegistry.h"
#include "tests/support/TestApplication.h"
#include "store/CppSQLite3.h"
#include "store/Folders.h"
#include "store/RequiredFiles.h"
#include "store/Settings.h"

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

ShellTest::ShellTest()
{
    EnsureApplication();
    folders.copyFactoryFiles();
    dialogs.setFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
}

ShellTest::~ShellTest()
{
    WindowRegistry::instance().clear();
    // The test process keeps its application to the end: windows go with the test.
    for (const auto& form : FormRegistry::instance().forms())
        form->releaseWindow();
}

void ShellTest::prepareDataFolder()
{
    ErrorStream es;
    ASSERT_TRUE(bFunCheckFilesDir(es)) << es.str();
}

bool ShellTest::start(const QStringList& arguments)
{
    return StartProgram(arguments, lock);
}

TFGlowna& ShellTest::window()
{
    EXPECT_NE(FGlowna, nullptr);
    return *FGlowna;
}

int ShellTest::storedSetting(const std::string& key)
{
    ErrorStream es;
    int value = -1;
    EXPECT_TRUE(bFunSqlGetSettingsValue(es, key, value)) << es.str();
    return value;
}

void ShellTest::storeSetting(const std::string& key, int value)
{
    ErrorStream es;
    ASSERT_TRUE(bFunSqlSettingWriteValue(es, key, value)) << es.str();
}

void ShellTest::recordSettingWrites()
{
    ErrorStream es;
    CppSQLite3DB db;
    db.Open(SettingsFilePath(es, false));
    db.RunUpdate("create table `writes`( name TEXT )");
    db.RunUpdate("create trigger `count_updates` after update on `settings` "
                 "begin insert into `writes` values( new.name ); end");
    db.RunUpdate("create trigger `count_inserts` after insert on `settings` "
                 "begin insert into `writes` values( new.name ); end");
}

int ShellTest::settingWrites(const std::string& key)
{
    ErrorStream es;
    CppSQLite3DB db;
    db.Open(SettingsFilePath(es, false));
    return db.RunScalar("select count(*) from `writes` where name = '" + key + "'");
}
