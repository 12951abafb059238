// The commands that read a file the user points them at, driven through the real main
// window with damaged copies of valid files: "Otwórz plik", choosing the opened file's
// students and documents in the tree, both imports and the calibration import. Each case
// runs in a child forked from a started program with a certificates file open, ended by
// an alarm, so every case starts from the same state and a crash or a hang fails only
// its case; the fixture puts back the files a child wrote. A command may refuse a file,
// but it tells the user, and it loses nothing: the open file, the working copy after a
// refused import and the user's calibration after a refused import stay byte for byte.
#include "tests/main/WorkflowTestSupport.h"

#include <QAction>
#include <QTest>
#include <QDeadlineTimer>
#include <QThread>
#include <QThreadPool>
#include <QTreeWidgetItem>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <map>

#include "main/Glowna.h"
#include "main/SqlImport.h"
#include "main/UpdateCheckThread.h"
#include "platform/Application.h"
#include "platform/Controls.h"
#include "store/CertFile.h"
#include "store/CppSQLite3.h"
#include "store/Folders.h"
#include "tests/support/BoundedChild.h"
#include "tests/support/FuzzCorpus.h"
#include "tests/support/Mutations.h"
#include "tests/support/SqliteStates.h"

namespace fs = std::filesystem;

namespace {

constexpr unsigned kSeed = 20261211;
constexpr int kCases = 30;
// The alarm only catches a hang: far beyond a case's time on a loaded machine under the
// sanitizers (a few seconds).
constexpr unsigned kCaseSeconds = 60;
// More than any case asks for: the tests count the messages, the script only answers them.
constexpr int kMessageAnswers = 16;

// The students the store lists in a certificates file; false when the list or one of the
// listed tables cannot be read.
bool ReadableStudents(const std::string& file, std::vector<StudentEntry>& students)
{
    ErrorStream es;
    std::vector<std::string> unreadable;
    try {
        return bFunGetStudentsList(es, file, students, &unreadable) && unreadable.empty();
    } catch (const CppSQLite3Exception&) {
        return false;
    }
}

// Whether the store loads the student's table whole (no zero byte left out of a text).
bool LoadsWhole(const std::string& file, const std::string& table)
{
    ErrorStream es;
    std::vector<FieldRecord> rows;
    std::vector<std::string> withZeroBytes;
    try {
        return bFunLoadCertData(es, file, table, rows, &withZeroBytes) && withZeroBytes.empty();
    } catch (const CppSQLite3Exception&) {
        return false;
    }
}

class CommandsFuzz : public WorkflowTest {
protected:
    void SetUp() override
    {
        WorkflowTest::SetUp();
        // Each case is forked from this program, which must then run its GUI thread alone:
        // the update check started with the program ends here (whyNoSafeFork ends the rest).
        StopUpdateChecks();
        ErrorStream es;
        ASSERT_TRUE(WriteCertificatesCorpus(es, openFile)) << es.str();
        dialogs.answerOpenFile(QString::fromStdString(openFile));
        window().action("Otworzplik1")->trigger();
        ASSERT_EQ(rootTexts().size(), 2);
        ASSERT_EQ(window().Modified, 0);
        calibration = CalibrationFilePath(es, false);
        for (const std::string& path : {openFile, workingCopy(), calibration}) {
            kept[path] = ReadBytes(path);
            ASSERT_FALSE(kept[path].empty()) << path;
        }
        openTree = rootTexts();
    }

    // Runs `command` (given the case number) on kCases damaged copies of `valid` written to
    // `damaged`; returns the failures.
    std::vector<std::string> Fuzz(const std::string& name, const std::string& valid, bool sqlite,
                                  const std::string& damaged,
                                  const std::function<std::string(int)>& command)
    {
        std::vector<std::string> failures;
        if (const std::string why = whyNoSafeFork(); !why.empty())
            return {why};
        FuzzRng rng(kSeed + static_cast<unsigned>(std::hash<std::string>{}(name)&0xFFFF));
        for (int i = 0; i < kCases; ++i) {
            restoreFiles();
            const std::string what = WriteMutatedCopy(damaged, valid, sqlite, i, rng);
            chosenBytes = ReadBytes(damaged);
            unsoundCases += sqlite && QuickCheck(damaged) != "ok";
            const std::string failure = RunInBoundedChild(
                [&] { return runCase(damaged, [&] { return command(i); }); }, kCaseSeconds);
            if (!failure.empty())
                failures.push_back(name + " case " + std::to_string(i) + " (" + what +
                                   "): " + failure);
            ++casesRun;
            for (const auto& [path, bytes] : kept)
                casesThatChanged[path] += ReadBytes(path) != bytes;
        }
        restoreFiles();
        RecordProperty("unsound_files", unsoundCases);
        return failures;
    }

    // "" when this program runs its GUI thread alone, as a fork needs (a lock another thread
    // held would stay held in the child for ever). Qt hands parts of its painting (scaling
    // pictures) to its global thread pool, whose idle threads would live on for 30 s: they
    // are ended here, without handling events, which could paint again. A thread the pool
    // let go may take a moment more to leave the process.
    static std::string whyNoSafeFork()
    {
        QThreadPool::globalInstance()->waitForDone();
        const QDeadlineTimer deadline(10000);
        while (ThreadCount() != 1 && !deadline.hasExpired())
            QThread::msleep(1);
        if (ThreadCount() == 1)
            return "";
        return "the started program runs more threads than its GUI thread (" + ThreadNames() +
               "): no safe fork";
    }

    // In the child: the command with every dialog answered, then what holds for every command.
    std::string runCase(const std::string& damaged, const std::function<std::string()>& command)
    {
        std::string problems;
        dialogs.setFailureHandler([&](const std::string& message) {
            problems += "unexpected dialog: " + message + "; ";
        });
        dialogs.clearRequests();
        dialogs.answerOpenFile(QString::fromStdString(damaged));
        for (int i = 0; i < kMessageAnswers; ++i)
            dialogs.answerMessage(Answer::Ok);
        problems += command();
        const QString title = Application::instance()->title();
        for (const DialogRequest& message : messages()) {
            if (!title.isEmpty() && message.caption == title)
                problems +=
                    "an exception reached the error box: " + message.text.toStdString() + "; ";
            // A failure's sentence is followed by its reason, never by nothing.
            if (message.text.trimmed().isEmpty() || message.text.endsWith("\n\n"))
                problems += "a message without its reason: " + message.text.toStdString() + "; ";
        }
        if (fs::is_regular_file(damaged) && ReadBytes(damaged) != chosenBytes)
            problems += "the chosen file changed; ";
        if (ReadBytes(openFile) != kept.at(openFile))
            problems += "the open file changed; ";
        return problems;
    }

    void restoreFiles()
    {
        for (const auto& [path, bytes] : kept)
            WriteBytes(path, bytes);
        for (const char* leftover : {"data_import.sqtmp", "data_tmp.sqtmp-journal",
                                     "data_tmp.sqtmp-wal", "data_tmp.sqtmp-shm"})
            fs::remove(folders.dataFile(leftover));
    }

    int shown(MsgIcon icon) const
    {
        int count = 0;
        for (const DialogRequest& message : messages())
            count += message.icon == icon;
        return count;
    }

    void trigger(const char* command) { window().action(command)->trigger(); }

    // The import command `command` on a damaged export: taken whole, or refused with the
    // working copy, the tree and Modified as they were.
    std::string importCase(const char* command)
    {
        trigger(command);
        std::string problems;
        if (FSQLImport->isVisible())
            problems += "the import window stayed on screen; ";
        for (const char* leftover : {"data_import.sqtmp", "data_import.sqtmp-journal"})
            if (fs::exists(folders.dataFile(leftover)))
                problems += std::string(leftover) + " was left in the data folder; ";
        if (window().currentPath().toStdString() != openFile)
            problems += "the open file's name was dropped; ";
        if (shown(MsgIcon::Error) > 0) {
            if (ReadBytes(workingCopy()) != kept.at(workingCopy()))
                problems += "refused, but the working copy changed; ";
            if (rootTexts() != openTree)
                problems += "refused, but the tree changed; ";
            if (window().Modified != 0)
                problems += "refused, but counted as a change; ";
            return problems;
        }
        if (ReadBytes(workingCopy()) == kept.at(workingCopy()))
            return problems + "neither taken nor refused with a message; ";
        std::vector<StudentEntry> imported;
        if (!ReadableStudents(workingCopy(), imported))
            problems += "taken, but the new working copy cannot be read; ";
        if (imported.empty())
            problems += "taken without a student: the open file's students are gone; ";
        if (rootTexts().size() != qsizetype(imported.size()))
            problems += "taken, but the tree does not list the imported students; ";
        if (window().Modified != 1)
            problems += "taken, but not counted as a change; ";
        return problems;
    }

    // Runs `command` on a file that `make` writes at `path`, in a child like a fuzz case.
    std::string hostileCase(const std::string& path, const std::function<void()>& make,
                            const std::function<std::string()>& command)
    {
        restoreFiles();
        fs::remove(path);
        make();
        chosenBytes = fs::is_regular_file(path) ? ReadBytes(path) : std::string();
        if (const std::string why = whyNoSafeFork(); !why.empty())
            return why;
        return RunInBoundedChild([&] { return runCase(path, command); }, kCaseSeconds);
    }

    // The one message the command showed, "" when it showed none or more.
    std::string onlyMessage() const
    {
        return messages().size() == 1 ? messages()[0].text.toStdString() : std::string();
    }

    // Clicks a document node (which the case number picks) under the `student`-th student.
    void clickDocument(int student, int caseNumber)
    {
        QTreeWidgetItem* node = window().TreeView->topLevelItem(student);
        click(node->child(caseNumber % node->childCount()));
    }

    std::string openFile = folders.root() + "/szkola.sqvlm";
    std::string calibration;
    std::map<std::string, std::string> kept;
    QStringList openTree;
    std::string chosenBytes;
    int casesRun = 0;
    // Cases whose file SQLite's quick check finds damaged (recorded as a test property).
    int unsoundCases = 0;
    // Per kept file, the cases after which it was no longer as kept: a file taken.
    std::map<std::string, int> casesThatChanged;
};

}  // namespace

TEST_F(CommandsFuzz, OpenCertificatesFile)
{
    const std::string damaged = folders.root() + "/uszkodzony.sqvlm";
    const auto failures = Fuzz("open", kept.at(openFile), true, damaged, [&](int) {
        trigger("Otworzplik1");
        std::string problems;
        if (window().currentPath().toStdString() != damaged)
            problems += "the chosen file did not become the open file; ";
        if (ReadBytes(workingCopy()) != chosenBytes)
            problems += "the working copy is no whole copy of the chosen file; ";
        std::vector<StudentEntry> students;
        const bool readable = ReadableStudents(workingCopy(), students);
        const bool unsound = QuickCheck(damaged) != "ok";
        if (!readable && shown(MsgIcon::Error) == 0)
            problems += "students that cannot be read, and no message; ";
        if (unsound && shown(MsgIcon::Warning) == 0)
            problems += "SQLite's check finds damage, and no warning; ";
        if (readable && !unsound && !messages().empty())
            problems += "a message over a sound file: " + messages()[0].text.toStdString() + "; ";
        if (rootTexts().size() != qsizetype(students.size()))
            problems += "the tree does not list the students that could be read; ";
        return problems;
    });
    EXPECT_EQ(casesRun, kCases);
    EXPECT_EQ(Joined(failures), "");
}

TEST_F(CommandsFuzz, ChooseStudentsOfADamagedFile)
{
    const std::string damaged = folders.root() + "/uszkodzony.sqvlm";
    const auto failures = Fuzz("choose", kept.at(openFile), true, damaged, [&](int caseNumber) {
        trigger("Otworzplik1");
        std::string problems;
        for (int student = 0; student < window().TreeView->topLevelItemCount(); ++student) {
            for (bool document : {false, true}) {
                const std::size_t before = messages().size();
                if (document)
                    clickDocument(student, caseNumber);
                else
                    click(window().TreeView->topLevelItem(student));
                const std::string table = window().SelectedStudentTable();
                if (!LoadsWhole(workingCopy(), table) && messages().size() == before)
                    problems += table + " not loaded whole, and no message; ";
            }
        }
        if (ReadBytes(workingCopy()) != chosenBytes)
            problems += "choosing students wrote into the working copy; ";
        return problems;
    });
    EXPECT_EQ(casesRun, kCases);
    EXPECT_EQ(Joined(failures), "");
}

TEST_F(CommandsFuzz, ImportMusicSchoolExport)
{
    const auto failures =
        Fuzz("music import", MusicSchoolExportCorpus(), false, folders.root() + "/eksport.snv",
             [&](int) { return importCase("Importuj1"); });
    EXPECT_EQ(casesRun, kCases);
    // Damage outside the markers leaves an export that imports: both outcomes are reached.
    EXPECT_GT(casesThatChanged[workingCopy()], 0);
    EXPECT_LT(casesThatChanged[workingCopy()], kCases);
    EXPECT_EQ(Joined(failures), "");
}

TEST_F(CommandsFuzz, ImportPrimarySchoolExport)
{
    const auto failures =
        Fuzz("primary import", PrimarySchoolExportCorpus(), false, folders.root() + "/eksport.m46",
             [&](int) { return importCase("ImportujSP1"); });
    EXPECT_EQ(casesRun, kCases);
    EXPECT_GT(casesThatChanged[workingCopy()], 0);
    EXPECT_LT(casesThatChanged[workingCopy()], kCases);
    EXPECT_EQ(Joined(failures), "");
}

TEST_F(CommandsFuzz, ImportCalibration)
{
    const std::string damaged = folders.root() + "/kalibracja.sqset";
    const auto failures =
        Fuzz("calibration import", kept.at(calibration), true, damaged, [&](int caseNumber) {
            trigger("Importujustawieniakalibracji1");
            std::string problems;
            if (shown(MsgIcon::Warning) > 0) {
                if (ReadBytes(calibration) != kept.at(calibration))
                    problems += "refused, but the user's calibration changed; ";
                return problems;
            }
            if (ReadBytes(calibration) != chosenBytes)
                problems +=
                    "no message, but the user's calibration is no copy of the chosen file; ";
            // The preview draws every document with the calibration just taken.
            clickDocument(0, caseNumber);
            return problems;
        });
    EXPECT_EQ(casesRun, kCases);
    // Damage inside cell values leaves a sound file: both outcomes are reached.
    EXPECT_GT(casesThatChanged[calibration], 0);
    EXPECT_LT(casesThatChanged[calibration], kCases);
    EXPECT_EQ(Joined(failures), "");
}

// Files that damage seldom makes, chosen in the commands that read them: a pipe (opened for
// reading it would wait for a writer for ever), exports whose two students lack the PESEL
// line, and one whose first student lacks his end line.
TEST_F(CommandsFuzz, HostileFilesInTheImportCommands)
{
    auto pipeAt = [](const std::string& path) {
        return [path] { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); };
    };
    auto exportAt = [](const std::string& path, std::string text) {
        return [path, text] { WriteBytes(path, text); };
    };
    auto withoutLine = [](std::string text, const std::string& line) {
        for (std::size_t at; (at = text.find(line + "\r\n")) != std::string::npos;)
            text.erase(at, line.size() + 2);
        return text;
    };
    const std::string music = MusicSchoolExportCorpus(), primary = PrimarySchoolExportCorpus();
    const std::string musicPipe = folders.root() + "/potok.snv",
                      primaryPipe = folders.root() + "/potok.m46";
    const std::string noPesel = folders.root() + "/bez_peselu.snv",
                      noPeselPrimary = folders.root() + "/bez_peselu.m46";
    const std::string open = folders.root() + "/bez_konca.snv";
    auto refusedWith = [&](const char* command, const std::string& reason) {
        return [this, command, reason] {
            std::string problems = importCase(command);
            if (onlyMessage() != "Błąd podczas importu danych.\n\n" + reason)
                problems +=
                    "not refused with the reason \"" + reason + "\" but: " + onlyMessage() + "; ";
            return problems;
        };
    };
    auto takenWithoutTheSecond = [&](const char* command) {
        return [this, command] {
            std::string problems = importCase(command);
            if (onlyMessage().find("uczeń pominięty, bez numeru PESEL jest już inny uczeń: ") ==
                std::string::npos)
                problems += "the second student without a PESEL was not named as passed over: " +
                            onlyMessage() + "; ";
            return problems;
        };
    };
    const struct {
        const char* name;
        std::string path;
        std::function<void()> make;
        std::function<std::string()> command;
    } cases[] = {
        {"music import of a pipe", musicPipe, pipeAt(musicPipe),
         refusedWith("Importuj1",
                     "Plik źródłowy nie jest zwykłym plikiem (potok): \n" + musicPipe)},
        {"primary import of a pipe", primaryPipe, pipeAt(primaryPipe),
         refusedWith("ImportujSP1",
                     "Plik źródłowy nie jest zwykłym plikiem (potok): \n" + primaryPipe)},
        {"calibration import of a pipe", folders.root() + "/potok.sqset",
         pipeAt(folders.root() + "/potok.sqset"),
         [this] {
             trigger("Importujustawieniakalibracji1");
             return shown(MsgIcon::Warning) == 1
                        ? std::string()
                        : "a pipe taken as calibration without a warning; ";
         }},
        {"music import without PESEL lines", noPesel,
         exportAt(noPesel, withoutLine(music + music, "<NumerPesel_DATA_EDIT>01234567890")),
         takenWithoutTheSecond("Importuj1")},
        {"primary import without PESEL lines", noPeselPrimary,
         exportAt(noPeselPrimary, withoutLine(primary + primary, "<NrPesel_DATA_EDIT>22222222222")),
         takenWithoutTheSecond("ImportujSP1")},
        {"music import of a student without his end line", open,
         exportAt(open, withoutLine(music, "</KONIEC DANYCH SWIADECTW>") + music),
         refusedWith(
             "Importuj1",
             "Blok \"DANE SWIADECTW DLA: Nowak Anna\" z wiersza 1 nie ma wiersza końcowego "
             "\"</KONIEC DANYCH SWIADECTW>\". Import przerwano, dane nie zostały zmienione.")},
    };
    std::vector<std::string> failures;
    for (const auto& c : cases)
        if (const std::string failure = hostileCase(c.path, c.make, c.command); !failure.empty())
            failures.push_back(std::string(c.name) + ": " + failure);
    restoreFiles();
    EXPECT_EQ(Joined(failures), "");
}
