#include "tests/main/MainTestSupport.h"

#include "main/Glowna.h"
#include "main/ProgramStart.h"
#include "main/WindowRegistry.h"
#include "platform/Application.h"
#include "store/CppSQLite3.h"
#include "store/Folders.h"
#include "store/RequiredFiles.h"
#include "store/Settings.h"

void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "main_shell_test";
    static char* argv[] = {name, nullptr};
    if (!Application::instance())
        new Application(argc, argv);
}

ShellTest::ShellTest()
{
    EnsureApplication();
    // The update check at every start finds nobody listening and stays silent.
    qputenv("VLM_UPDATE_URL", "http://127.0.0.1:9");
    folders.copyFactoryFiles();
    dialogs.setFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
}

ShellTest::~ShellTest()
{
    WindowRegistry::instance().clear();
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
