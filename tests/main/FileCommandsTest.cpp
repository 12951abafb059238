// The certificates file commands: what "Zapisz" counts as saved, what "Otwórz plik"
// does after a save that did not happen, a read-only file, and a copy that breaks off.
#include "tests/main/WorkflowTestSupport.h"

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <fcntl.h>

#include "main/Glowna.h"

namespace fs = std::filesystem;

TEST_F(WorkflowTest, SaveWithTheDialogCancelledKeepsModified)
{
    addStudent({"Adamski", "Piotr", "111"});
    ASSERT_EQ(window().Modified, 1);
    dialogs.answerSaveFile(std::nullopt);
    EXPECT_FALSE(window().Zapisz1Click());
    EXPECT_EQ(window().Modified, 1);

    // "Tak" to the save question of the open command, then a cancelled save: nothing opens.
    dialogs.answerMessage(Answer::Yes).answerSaveFile(std::nullopt);
    window().OtworzPlikToolButtonClick();
    EXPECT_TRUE(dialogs.requestsOf(DialogKind::OpenFile).empty());
    EXPECT_EQ(rootTexts(), QStringList{"Adamski Piotr"});

    const std::string file = folders.root() + "/szkola.sqvlm";
    dialogs.answerSaveFile(QString::fromStdString(file));
    EXPECT_TRUE(window().Zapisz1Click());
    EXPECT_EQ(window().Modified, 0);
    EXPECT_EQ(window().currentPath().toStdString(), file);
    const auto saves = dialogs.requestsOf(DialogKind::SaveFile);
    ASSERT_EQ(saves.size(), 3u);
    EXPECT_EQ(saves[0].caption, "Zapisz");
    EXPECT_EQ(saves[0].text, "nowy");
    EXPECT_EQ(saves[0].detail, "Velmorandia(*.sqvlm)|*.sqvlm");
}

TEST_F(WorkflowTest, NewFileAfterACancelledSaveResetsNothing)
{
    addStudent({"Adamski", "Piotr", "111"});
    click(studentNode("Adamski Piotr"));
    dialogs.answerMessage(Answer::Yes).answerSaveFile(std::nullopt);
    window().NowyPlikToolButtonClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Czy chcesz zapisać zmiany ?");
    EXPECT_EQ(messages()[0].caption, "Edycja");
    EXPECT_EQ(messages()[0].icon, MsgIcon::Question);
    EXPECT_EQ(rootTexts(), QStringList{"Adamski Piotr"});
    EXPECT_TRUE(fs::exists(workingCopy()));
    EXPECT_EQ(window().Modified, 1);
}

TEST_F(WorkflowTest, ReadOnlyFileOpensAndBecomesWritable)
{
    addStudent({"Adamski", "Piotr", "111"});
    const std::string file = folders.root() + "/tylko.sqvlm";
    dialogs.answerSaveFile(QString::fromStdString(file));
    window().Zapiszjako1Click();
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);

    dialogs.answerMessage(Answer::No).answerMessage(Answer::No);
    window().NowyPlikToolButtonClick();
    dialogs.answerOpenFile(QString::fromStdString(file));
    window().OtworzPlikToolButtonClick();

    EXPECT_EQ(window().currentPath().toStdString(), file);
    EXPECT_EQ(rootTexts(), QStringList{"Adamski Piotr"});
    for (const std::string& path : {file, workingCopy()}) {
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_TRUE(info.st_mode & S_IWUSR) << path;
    }
    const auto opens = dialogs.requestsOf(DialogKind::OpenFile);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].caption, "Wczytaj plik");
    EXPECT_EQ(opens[0].detail, "Velmorandia(*.sqvlm)|*.sqvlm");
    EXPECT_EQ(messages().size(), 2u);
}

TEST_F(WorkflowTest, CopyBrokenOffMidwayLeavesTheOldFileWhole)
{
    const std::string file = folders.root() + "/szkola.sqvlm";
    dialogs.answerSaveFile(QString::fromStdString(file));
    window().Zapiszjako1Click();
    const std::string old = ReadFile(file);
    addStudent({"Adamski", "Piotr", "111"});
    ASSERT_GT(fs::file_size(workingCopy()), 64u * 1024);

    // The process may write no file beyond 64 KiB: the copy fails in the middle.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 64 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    dialogs.answerMessage(Answer::Ok);
    const bool savedFile = window().Zapisz1Click();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(savedFile);
    EXPECT_EQ(window().Modified, 1);
    EXPECT_EQ(ReadFile(file), old);
    for (const auto& entry : fs::directory_iterator(folders.root()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".vlm-kopia")) << entry.path();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.startsWith("Błąd kopiowania pliku z\n"));
    EXPECT_EQ(messages()[0].caption, "Błąd");
}

TEST_F(WorkflowTest, OpeningANameThatIsNoFileEndsWithNoFileOpen)
{
    addStudent({"Adamski", "Piotr", "111"});
    const std::string file = folders.root() + "/szkola.sqvlm";
    dialogs.answerSaveFile(QString::fromStdString(file));
    ASSERT_TRUE(window().Zapisz1Click());

    const std::string missing = folders.root() + "/brak.sqvlm";
    dialogs.answerOpenFile(QString::fromStdString(missing)).answerMessage(Answer::Ok);
    window().OtworzPlikToolButtonClick();

    ASSERT_EQ(messages().size(), 1u);
    const QString expected = QString::fromStdString(
        "Błąd kopiowania pliku\nz :" + missing + "\ndo :" + workingCopy() +
        "\nKod błędu: " + std::to_string(ENOENT) + "\nDane świadectw nie zostały wczytane.");
    EXPECT_EQ(messages()[0].text, expected);
    EXPECT_EQ(messages()[0].caption, "Błąd");
    EXPECT_EQ(messages()[0].icon, MsgIcon::Error);
    EXPECT_EQ(window().currentPath(), "");
    EXPECT_TRUE(rootTexts().isEmpty());
    EXPECT_FALSE(fs::exists(workingCopy()));
    EXPECT_EQ(window().Modified, 0);
}

TEST_F(WorkflowTest, SaveAsOntoAnExistingFileAsksBeforeReplacingIt)
{
    const std::string file = folders.root() + "/szkola.sqvlm";
    std::ofstream(file, std::ios::binary) << "poprzedni plik";
    addStudent({"Adamski", "Piotr", "111"});

    for (const Answer answer : {Answer::No, Answer::Yes}) {
        dialogs.clearRequests();
        // A name typed without its extension names the same file.
        dialogs.answerSaveFile(QString::fromStdString(folders.root() + "/szkola"))
            .answerMessage(answer);
        window().Zapiszjako1Click();

        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].text,
                  "Wybrany plik już istnieje.\nCzy chcesz zastąpić istniejący plik ?");
        EXPECT_EQ(messages()[0].caption, "Zapisz");
        EXPECT_EQ(messages()[0].icon, MsgIcon::Question);
        EXPECT_EQ(messages()[0].buttons, MsgButtons::YesNo);
        if (answer == Answer::No) {
            EXPECT_EQ(ReadFile(file), "poprzedni plik");
            EXPECT_EQ(window().currentPath(), "");
        } else {
            EXPECT_TRUE(ReadFile(file) == ReadFile(workingCopy()));
            EXPECT_EQ(window().currentPath().toStdString(), file);
        }
        EXPECT_EQ(window().Modified, 1);
    }
}

TEST_F(WorkflowTest, SaveKeepsTheFilesPermissionsAndNeverWritesThroughALeftTemporary)
{
    const std::string file = folders.root() + "/szkola.sqvlm";
    dialogs.answerSaveFile(QString::fromStdString(file));
    window().Zapiszjako1Click();
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    // A temporary of the same name left behind, pointing at another file.
    const std::string other = folders.root() + "/inny.txt";
    std::ofstream(other, std::ios::binary) << "cudzy plik";
    fs::create_symlink(other, file + ".vlm-kopia");
    addStudent({"Adamski", "Piotr", "111"});

    EXPECT_TRUE(window().Zapisz1Click());

    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_TRUE(ReadFile(file) == ReadFile(workingCopy()));
    EXPECT_EQ(ReadFile(other), "cudzy plik");
    // The save's own temporary is gone with it.
    for (const auto& entry : fs::directory_iterator(folders.root()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".vlm-kopia")) << entry.path();
}

TEST_F(WorkflowTest, OpeningAFileWhoseStudentsCannotBeReadShowsNoStudentsOfTheFileBefore)
{
    addStudent({"Adamski", "Piotr", "111"});
    dialogs.answerSaveFile(QString::fromStdString(folders.root() + "/szkola.sqvlm"));
    ASSERT_TRUE(window().Zapisz1Click());
    const std::string broken = folders.root() + "/zepsuty.sqvlm";
    std::ofstream(broken, std::ios::binary) << std::string(4096, 'x');

    dialogs.clearRequests();
    dialogs.answerOpenFile(QString::fromStdString(broken))
        .answerMessage(Answer::Ok)
        .answerMessage(Answer::Ok);
    window().OtworzPlikToolButtonClick();

    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0].text,
              QString::fromStdString("Plik\n" + broken +
                                     "\njest uszkodzony. SQLite znajduje w nim:\n"
                                     "UNKNOWN_ERROR[26]: file is not a database\n\n"
                                     "Część danych może być nieczytelna lub niepełna. "
                                     "Sprawdź uczniów przed zapisaniem pliku."));
    EXPECT_EQ(messages()[1].text, "Błąd podczas próby wczytania listy uczniów");
    EXPECT_EQ(window().currentPath().toStdString(), broken);
    EXPECT_TRUE(rootTexts().isEmpty());
    EXPECT_TRUE(window().SelectedNodeText(1).isEmpty());
}

// A save killed midway leaves its temporary beside the user's file; the next open of a file
// there removes it, but never one a running copy holds (its lock).
TEST_F(WorkflowTest, OpeningRemovesTheTemporariesOfKilledSavesBesideTheFile)
{
    addStudent({"Adamski", "Piotr", "111"});
    const std::string file = folders.root() + "/szkola.sqvlm";
    dialogs.answerSaveFile(QString::fromStdString(file));
    ASSERT_TRUE(window().Zapisz1Click());
    const std::string left = folders.root() + "/.vlm-kopia-Ab12Cd";
    const std::string held = folders.root() + "/.vlm-kopia-Ef34Gh";
    const std::string notOurs = folders.root() + "/.vlm-kopia-zbyt-dluga";
    for (const std::string& path : {left, held, notOurs})
        std::ofstream(path, std::ios::binary) << "niepełna kopia";
    const int holder = ::open(held.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);

    dialogs.answerOpenFile(QString::fromStdString(file));
    window().OtworzPlikToolButtonClick();

    EXPECT_FALSE(fs::exists(left));
    EXPECT_TRUE(fs::exists(held));
    EXPECT_TRUE(fs::exists(notOurs));
    EXPECT_TRUE(messages().empty());
    ::close(holder);
}
