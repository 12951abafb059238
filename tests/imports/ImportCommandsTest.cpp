#include <filesystem>

#include "main/ImportCommands.h"
#include "store/Folders.h"
#include "tests/imports/ImportTestSupport.h"

namespace {

// Windows-1250 bytes of the Polish surnames: Żak, Zając, Łuczak.
const std::string kZak = "\xAF" "ak";
const std::string kZajac = "Zaj\xB9" "c";
const std::string kLuczak = "\xA3" "uczak";

class ImportCommands : public ImportTest {
protected:
    bool importFileLeftBehind() const { return FileExists(folders.dataFile("data_import.sqtmp")); }
    // The command asked for one file, with this title and filter, and showed no message.
    void expectOneQuietFileDialog(const QString& title, const QString& filter) const
    {
        const auto opened = dialogs.requestsOf(DialogKind::OpenFile);
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(opened[0].caption, title);
        EXPECT_EQ(opened[0].detail, filter);
        EXPECT_TRUE(messages().empty());
    }
};

}  // namespace

TEST_F(ImportCommands, MusicSchoolExportReplacesTheStudentsAndSetsModified)
{
    prepareWorkingCopy();
    const std::string source = writeExport("szkola.snv", Join({
        {"header line of the older program"},
        MusicSchoolStudent(kZak, "Anna", "11111111111"),
        MusicSchoolStudent(kLuczak, "Jan", "22222222222"),
        {"line between students"},
        MusicSchoolStudent(kZajac, "Ewa", "33333333333"),
    }));
    dialogs.answerOpenFile(QString::fromStdString(source));

    Importuj1Click(host);

    expectOneQuietFileDialog("Import danych", "Sonavera(*.snv)|*.snv");
    EXPECT_TRUE(host.modified);
    EXPECT_EQ(host.reloads, 1);
    EXPECT_EQ(host.tree, (std::vector<std::string>{"Łuczak Jan", "Zając Ewa", "Żak Anna"}));
    const auto rows = workingCopyRows("PESEL11111111111");
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0], (FieldRecord{"DANE UCZNIA", "Nazwisko_DATA_EDIT", "Żak"}));
    EXPECT_EQ(rows[6], (FieldRecord{"KLASA II MUZYCZNA", "ZMIENNA_Uwagi_DATA_MEMO03", "trzecia"}));
    EXPECT_FALSE(importFileLeftBehind());
}

TEST_F(ImportCommands, PrimarySchoolExportStoresThePeselUnderTheStudentDialogsName)
{
    const std::string source = writeExport("sp.m46", PrimarySchoolStudent("Nowak", "Jan", "44444444444"));
    dialogs.answerOpenFile(QString::fromStdString(source));

    ImportButtonClick(host);

    expectOneQuietFileDialog("Import danych uczniów z SP 4-6", "Miralenska(*.m46)|*.m46");
    EXPECT_TRUE(host.modified);
    EXPECT_EQ(host.tree, std::vector<std::string>{"Nowak Jan"});
    EXPECT_EQ(workingCopyRows("PESEL44444444444"),
              (std::vector<FieldRecord>{{"DANE UCZNIA", "Nazwisko_DATA_EDIT", "Nowak"},
                                        {"DANE UCZNIA", "Imie_DATA_EDIT", "Jan"},
                                        {"DANE UCZNIA", "NumerPesel_DATA_EDIT", "44444444444"}}));
}

TEST_F(ImportCommands, FailedImportKeepsTheWorkingCopyAndShowsTheReason)
{
    prepareWorkingCopy();
    const std::vector<StudentEntry> before = workingCopyStudents();
    const std::string missing = folders.dataFile("brak.snv");
    const std::string folder = folders.dataFile("katalog.snv");
    std::filesystem::create_directory(folder);
    // The second student repeats the first one's PESEL after the first was written.
    const std::string repeated = writeExport("powtorzony.snv", Join({
        MusicSchoolStudent("Nowak", "Jan", "55555555555"),
        MusicSchoolStudent("Kowal", "Ewa", "55555555555"),
    }));
    const struct {
        std::string source;
        std::string reason;
    } cases[] = {
        {missing, "Plik źródłowy nie istnieje: \n" + missing},
        {folder, "Nie można otworzyć pliku źródłowego: \n" + folder},
        {repeated, "Numer PESEL powtarza się w pliku importu, uczeń pominięty: \nPESEL55555555555"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        dialogs.clearRequests();
        dialogs.answerOpenFile(QString::fromStdString(c.source)).answerMessage(Answer::Ok);

        Importuj1Click(host);

        const auto shown = messages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text.toStdString(), "Błąd podczas importu danych.\n\n" + c.reason);
        EXPECT_EQ(shown[0].caption, "Błąd");
        EXPECT_EQ(shown[0].icon, MsgIcon::Error);
        EXPECT_EQ(shown[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(workingCopyStudents(), before);
        EXPECT_FALSE(host.modified);
        EXPECT_EQ(host.reloads, 0);
        EXPECT_FALSE(importFileLeftBehind());
        EXPECT_FALSE(window.isVisible());
    }
}

TEST_F(ImportCommands, ExportWithoutStudentsLeavesAnEmptyWorkingCopyAndTree)
{
    prepareWorkingCopy();
    host.tree = {"Stary Adam"};
    dialogs.answerOpenFile(QString::fromStdString(writeExport("pusty.snv", {"no student here"})));

    Importuj1Click(host);

    EXPECT_TRUE(messages().empty());
    ASSERT_TRUE(FileExists(workingCopy()));
    EXPECT_TRUE(workingCopyStudents().empty());
    EXPECT_EQ(host.reloads, 1);
    EXPECT_TRUE(host.tree.empty());
    EXPECT_TRUE(host.modified);
}

TEST_F(ImportCommands, CancelledDialogChangesNothing)
{
    prepareWorkingCopy();
    dialogs.answerOpenFile(std::nullopt);

    ImportButtonClick(host);

    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(workingCopyStudents(), (std::vector<StudentEntry>{{"Stary Adam", "PESEL00000000000"}}));
    EXPECT_FALSE(host.modified);
    EXPECT_EQ(host.reloads, 0);
    EXPECT_TRUE(window.stages.empty());
}
