// Start of the program: caption, factory files, stored options, the command-line file and
// the ways the start ends early.
#include "tests/main/MainTestSupport.h"

#include <QCheckBox>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "main/Glowna.h"
#include "main/InstanceLock.h"
#include "main/ProgramStart.h"
#include "main/WindowRegistry.h"

namespace fs = std::filesystem;

namespace {

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

TEST_F(ShellTest, StartShowsTheVersionCaptionAndCopiesTheFactoryFiles)
{
    ASSERT_TRUE(start());
    EXPECT_EQ(window().windowTitle(), "Velmorandia, wersja: 1.1.2");
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(dialogs.requests().empty());
    for (const char* name : {"ustawienia.sqset", "vlm_kalibracja.sqset", "Dovivureze.html"})
        EXPECT_TRUE(fs::exists(folders.dataFile(name))) << name;
    EXPECT_EQ(window().Modified, 0);
    EXPECT_EQ(window().Closing, 0);
}

TEST_F(ShellTest, WindowsAreCreatedOnceInTheFixedOrderMainWindowFirst)
{
    ASSERT_TRUE(start());
    const auto created = WindowRegistry::instance().created();
    ASSERT_FALSE(created.empty());
    EXPECT_EQ(created[0], "TFGlowna");
    EXPECT_EQ(created[1], "TFDaneUcznia");
    EXPECT_TRUE(std::is_sorted(created.begin(), created.end(), [](auto a, auto b) {
        return std::find(kWindowOrder.begin(), kWindowOrder.end(), a) <
               std::find(kWindowOrder.begin(), kWindowOrder.end(), b);
    }));
    for (const char* name :
         {"TFDaneSzkoly", "TFKalibracja", "TFDrukuj", "TFAktualizacja", "TFSQLImport", "TFWait",
          "TFOProgramie", "TFLogi", "TFSwiad205kl1", "TFSwiad205wkl6", "TFArkusz283str4"})
        EXPECT_NE(WindowRegistry::instance().window(name), nullptr) << name;
}

TEST_F(ShellTest, ImportAlertIsShownOnceAndClearedAfterwards)
{
    prepareDataFolder();
    storeSetting("import_alert", 1);
    dialogs.answerMessage(Answer::Ok);
    ASSERT_TRUE(start());
    const auto shown = messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text,
              "UWAGA !!!\n\nNastąpiła zmiana w plikach przechowujących dane. Stare pliki można "
              "wczytać poprzez funkcję import w menu plik.");
    EXPECT_EQ(shown[0].caption, "");
    EXPECT_EQ(shown[0].icon, MsgIcon::Warning);
    EXPECT_EQ(shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(storedSetting("import_alert"), 0);

    WindowRegistry::instance().clear();
    dialogs.clearRequests();
    ASSERT_TRUE(start());
    EXPECT_TRUE(messages().empty());
}

struct StoredOption {
    const char* key;
    int stored;
    QCheckBox* TFGlowna::*box;
    bool checked;
    int writesBack;
};

class StoredOptionTest : public ShellTest, public ::testing::WithParamInterface<StoredOption> {};

TEST_P(StoredOptionTest, StartsTheBoxAsStoredAndWritesBackOnlyAChange)
{
    const StoredOption& option = GetParam();
    prepareDataFolder();
    storeSetting(option.key, option.stored);
    recordSettingWrites();
    ASSERT_TRUE(start());
    EXPECT_EQ((window().*option.box)->isChecked(), option.checked);
    EXPECT_EQ(settingWrites(option.key), option.writesBack);
    EXPECT_EQ(storedSetting(option.key), option.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Options, StoredOptionTest,
    ::testing::Values(
        StoredOption{"strike_empty_fields", 0, &TFGlowna::WykreskujPusteCheckBox, false, 1},
        StoredOption{"strike_empty_fields", 1, &TFGlowna::WykreskujPusteCheckBox, true, 0},
        StoredOption{"print_without_dots", 1, &TFGlowna::PrintNoDotsCheckBox, true, 1},
        StoredOption{"print_without_dots", 0, &TFGlowna::PrintNoDotsCheckBox, false, 0},
        StoredOption{"word_wrap", 1, &TFGlowna::cbWordWrap, true, 1},
        StoredOption{"word_wrap", 0, &TFGlowna::cbWordWrap, false, 0}),
    [](const ::testing::TestParamInfo<StoredOption>& paramInfo) {
        return std::string(paramInfo.param.key) + "_" + std::to_string(paramInfo.param.stored);
    });

TEST_F(ShellTest, MissingRequiredFilesListEndsTheStartWithItsMessageOnly)
{
    const std::string list = folders.programFile("pliki_kat.sqset");
    fs::remove(list);
    const std::string file = folders.root() + "/klasa.sqvlm";
    WriteFile(file, "dane");
    dialogs.answerMessage(Answer::Ok);
    EXPECT_FALSE(start({QString::fromStdString(file)}));
    const auto shown = messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.toStdString(),
              "Błąd podczas próby sprawdzenia wymaganych plików / katalogów.\n\n"
              "Błąd podczas próby sprawdzenia wymaganych plików / katalogów.\nPlik nie istnieje: " +
                  list);
    EXPECT_EQ(shown[0].caption, "Błąd");
    EXPECT_EQ(shown[0].icon, MsgIcon::Error);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(window().Closing, 1);
    EXPECT_FALSE(fs::exists(folders.dataFile("data_tmp.sqtmp")));
}

TEST_F(ShellTest, SecondInstanceEndsWithAMessageAndKeepsTheFirstOnesWorkingCopy)
{
    ASSERT_TRUE(start());
    WriteFile(folders.dataFile("data_tmp.sqtmp"), "praca");
    InstanceLock second;
    dialogs.answerMessage(Answer::Ok);
    EXPECT_FALSE(StartProgram({}, second));
    const auto shown = messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, kApplicationTitle);
    EXPECT_EQ(shown[0].icon, MsgIcon::Warning);
    EXPECT_EQ(ReadFile(folders.dataFile("data_tmp.sqtmp")), "praca");
}

TEST(CommandLineFileTest, JoinsTheArgumentsAndIgnoresFiveCharactersOrFewer)
{
    struct Case {
        QStringList arguments;
        QString file;
    };
    const Case cases[] = {
        {{}, ""},
        {{"a.sqv"}, ""},
        {{"ab", "cd"}, ""},
        {{"ab.sqv"}, "ab.sqv"},
        {{"/home/ja/moje", "pliki/a.sqvlm"}, "/home/ja/moje pliki/a.sqvlm"},
        {{"\"/tmp/a.sqvlm\""}, "\"/tmp/a.sqvlm\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CommandLineFile(c.arguments), c.file) << c.arguments.join('|').toStdString();
}

TEST_F(ShellTest, CommandLineFileIsOpenedIntoTheWorkingCopy)
{
    const std::string file = folders.root() + "/klasa 1.sqvlm";
    WriteFile(file, "zawartosc pliku");
    // The copy is no database: SQLite's check says so, its student list cannot be read, the
    // open still counts.
    dialogs.answerMessage(Answer::Ok).answerMessage(Answer::Ok);
    ASSERT_TRUE(start({QString::fromStdString(folders.root() + "/klasa"), "1.sqvlm"}));
    EXPECT_EQ(window().currentPath().toStdString(), file);
    EXPECT_EQ(ReadFile(folders.dataFile("data_tmp.sqtmp")), "zawartosc pliku");
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_TRUE(messages()[0].text.startsWith(
        QString::fromStdString("Plik\n" + file + "\njest uszkodzony.")));
    EXPECT_EQ(messages()[1].text, "Błąd podczas próby wczytania listy uczniów");
}

TEST_F(ShellTest, QuotedOrShortCommandLineOpensNothing)
{
    const std::string file = folders.root() + "/a.sqv";
    WriteFile(file, "x");
    for (const QString& argument : {"\"" + QString::fromStdString(file) + "\"", QString("a.sqv")}) {
        ASSERT_TRUE(start({argument}));
        EXPECT_EQ(window().currentPath(), "");
        EXPECT_FALSE(fs::exists(folders.dataFile("data_tmp.sqtmp")));
        WindowRegistry::instance().clear();
    }
    EXPECT_TRUE(messages().empty());
}
