// Two users with one certificates file on a shared folder: "Zapisz" and "Zapisz jako" ask
// before replacing a file that changed on disk since this program opened or last saved it,
// name the change, and "Nie" leaves the file and the working copy as they are.
#include "tests/main/WorkflowTestSupport.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>

#include "main/Glowna.h"
#include "store/CertFile.h"
#include "store/FileCopy.h"

namespace fs = std::filesystem;

namespace {

// 2026-01-02 03:04:05 UTC and one second later.
constexpr time_t kOpened = 1767323045;
constexpr time_t kChanged = kOpened + 1;

void SetModified(const std::string& path, time_t when)
{
    const timespec times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

class SaveConflict : public WorkflowTest {
protected:
    void SetUp() override
    {
        WorkflowTest::SetUp();
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        writeStudentFile(school, "PESEL11111111111", "Adamski");
        writeStudentFile(otherSave, "PESEL22222222222", "Nowak");
        SetModified(school, kOpened);
        dialogs.answerOpenFile(QString::fromStdString(school));
        window().OtworzPlikToolButtonClick();
        storeStudent({"Wiśniewska", "Ola", "55555555555"});
        window().Modified = 1;
    }

    static void writeStudentFile(const std::string& path, const std::string& table,
                                 const std::string& surname)
    {
        ErrorStream es;
        ASSERT_EQ(iFunCheckIsStudentExists(es, path, table, true), 0) << es.str();
        std::vector<FieldRecord> rows = {{"DANE UCZNIA", "Nazwisko_DATA_EDIT", surname}};
        // Another user's file is larger: its size differs from the one opened.
        if (surname == "Nowak")
            rows.push_back(
                {"KLASA I MUZYCZNA", "ZMIENNA_Uwagi_STR2_DATA_MEMO", std::string(9000, 'u')});
        ASSERT_TRUE(bFunSaveCertData(es, path, table, rows)) << es.str();
    }

    std::string question(const std::string& change) const
    {
        return "Plik\n" + school +
               "\nzmienił się na dysku, odkąd program go otworzył lub ostatnio zapisał:\n" +
               change +
               "\n\nMógł go zapisać inny użytkownik albo ten program na innym komputerze. "
               "Zastąpienie pliku "
               "usunie zmiany, które ktoś inny w nim zapisał.\n\nCzy mimo to zastąpić plik danymi "
               "z programu?";
    }

    std::string school = folders.root() + "/szkola.sqvlm";
    std::string otherSave = folders.root() + "/zapis innego.sqvlm";
};

struct ChangeCase {
    const char* name;
    std::function<void(const std::string& file, const std::string& otherSave)> change;
    std::function<std::string(const std::string& file, const std::string& otherSave)> named;
};

std::string Size(const std::string& path)
{
    return std::to_string(fs::file_size(path)) + " B";
}

const ChangeCase kChanges[] = {
    {"another instance saved",
     [](const std::string& file, const std::string& other) {
         ASSERT_EQ(CopyFileReplacing(other, file), 0);
         SetModified(file, kChanged);
     },
     [](const std::string& file, const std::string& other) {
         return "- plik został zastąpiony innym plikiem\n- rozmiar: był " + Size(file) + ", jest " +
                Size(other) +
                "\n- czas modyfikacji: był 2026-01-02 03:04:05, jest 2026-01-02 03:04:06\n"
                "- zawartość pliku jest inna";
     }},
    {"bytes written in place, size and time kept",
     [](const std::string& file, const std::string&) {
         std::fstream bytes(file, std::ios::binary | std::ios::in | std::ios::out);
         bytes.seekp(-1, std::ios::end);
         bytes.put('\x5A');
         bytes.close();
         SetModified(file, kOpened);
     },
     [](const std::string&, const std::string&) {
         return std::string("- zawartość pliku jest inna");
     }},
    {"only touched",
     [](const std::string& file, const std::string&) { SetModified(file, kChanged); },
     [](const std::string&, const std::string&) {
         return std::string(
             "- czas modyfikacji: był 2026-01-02 03:04:05, jest 2026-01-02 03:04:06");
     }},
};

}  // namespace

TEST_F(SaveConflict, SaveAsksBeforeReplacingAFileChangedSinceItWasOpened)
{
    const std::string opened = ReadFile(school);
    for (const ChangeCase& c : kChanges) {
        for (const Answer answer : {Answer::No, Answer::Yes}) {
            SCOPED_TRACE(std::string(c.name) + (answer == Answer::Yes ? ", Tak" : ", Nie"));
            // The file as opened, then the other's change.
            const std::string expectedChange = c.named(school, otherSave);
            c.change(school, otherSave);
            const std::string changed = ReadFile(school);
            const std::string working = ReadFile(workingCopy());
            dialogs.clearRequests();
            dialogs.answerMessage(answer);

            EXPECT_EQ(window().Zapisz1Click(), answer == Answer::Yes);

            ASSERT_EQ(messages().size(), 1u);
            EXPECT_EQ(messages()[0].text.toStdString(), question(expectedChange));
            EXPECT_EQ(messages()[0].caption, "Zapisz");
            EXPECT_EQ(messages()[0].icon, MsgIcon::Warning);
            EXPECT_EQ(messages()[0].buttons, MsgButtons::YesNo);
            EXPECT_EQ(messages()[0].defaultButton, Answer::No);
            EXPECT_TRUE(ReadFile(workingCopy()) == working);
            if (answer == Answer::No) {
                EXPECT_TRUE(ReadFile(school) == changed);
                EXPECT_EQ(window().Modified, 1);
                // Asked again at the next save: nothing was decided.
                dialogs.clearRequests();
                dialogs.answerMessage(Answer::No);
                EXPECT_FALSE(window().Zapisz1Click());
                EXPECT_EQ(messages().size(), 1u);
            } else {
                EXPECT_TRUE(ReadFile(school) == working);
                EXPECT_EQ(window().Modified, 0);
                // The program's own save is no change of another's.
                dialogs.clearRequests();
                EXPECT_TRUE(window().Zapisz1Click());
                EXPECT_TRUE(messages().empty());
            }
            // Back to the file as opened for the next case.
            std::ofstream(school, std::ios::binary | std::ios::trunc) << opened;
            SetModified(school, kOpened);
            window().Modified = 0;
            dialogs.answerOpenFile(QString::fromStdString(school));
            window().OtworzPlikToolButtonClick();
            storeStudent({"Wiśniewska", "Ola", "55555555555"});
            window().Modified = 1;
        }
    }
}

TEST_F(SaveConflict, AnUnchangedFileIsSavedWithoutAQuestion)
{
    EXPECT_TRUE(window().Zapisz1Click());
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(ReadFile(school) == ReadFile(workingCopy()));
}

TEST_F(SaveConflict, SaveAsOverTheOpenFileChangedMeanwhileAsksToo)
{
    ASSERT_EQ(CopyFileReplacing(otherSave, school), 0);
    const std::string changed = ReadFile(school);
    dialogs.answerSaveFile(QString::fromStdString(school))
        .answerMessage(Answer::Yes)
        .answerMessage(Answer::No);

    window().Zapiszjako1Click();

    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0].text,
              "Wybrany plik już istnieje.\nCzy chcesz zastąpić istniejący plik ?");
    EXPECT_TRUE(messages()[1].text.startsWith(QString::fromStdString(
        "Plik\n" + school +
        "\nzmienił się na dysku, odkąd program go otworzył lub ostatnio zapisał:\n"
        "- plik został zastąpiony innym plikiem\n")))
        << messages()[1].text.toStdString();
    EXPECT_TRUE(ReadFile(school) == changed);
}
