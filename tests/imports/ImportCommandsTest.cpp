#include <filesystem>
#include <fstream>

#include "main/ImportCommands.h"
#include "store/Folders.h"
#include "tests/imports/ImportTestSupport.h"

namespace {

// Windows-1250 bytes of the Polish surnames: Żak, Zając, Łuczak.
const std::string kZak = "\xAF"
                         "ak";
const std::string kZajac = "Zaj\xB9"
                           "c";
const std::string kLuczak = "\xA3"
                            "uczak";

class ImportCommands : public ImportTest {
protected:
    bool importFileLeftBehind() const
    {
        return FileExists(folders.dataFile("data_import.sqtmp")) ||
               FileExists(folders.dataFile("data_import.sqtmp-journal"));
    }
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
    const std::string source =
        writeExport("szkola.snv", Join({
                                      {"header line of the older program"},
                                      MusicSchoolStudent(kZak, "Anna", "11111111111"),
                                      MusicSchoolStudent(kLuczak, "Jan", "22222222222"),
                                      {"line between students"},
                                      MusicSchoolStudent(kZajac, "Ewa", "33333333333"),
                                  }));
    dialogs.answerOpenFile(QString::fromStdString(source));
    // A journal left by an import that was killed must not be played back into this one.
    std::ofstream(folders.dataFile("data_import.sqtmp-journal"), std::ios::binary)
        << std::string(512, 'j');

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
    const std::string source =
        writeExport("sp.m46", PrimarySchoolStudent("Nowak", "Jan", "44444444444"));
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
    // The first student's document block has no end line: read on, it would swallow the
    // second student as rows of the first.
    ExportLines unterminated = MusicSchoolStudent("Nowak", "Jan", "55555555555");
    unterminated.erase(unterminated.begin() + 11);
    const std::string open =
        writeExport("bez_konca.snv", Join({
                                         unterminated,
                                         MusicSchoolStudent("Kowal", "Ewa", "66666666666"),
                                     }));
    // The primary-school export chosen in the music-school import.
    const std::string otherFormat =
        writeExport("zle.snv", PrimarySchoolStudent("Nowak", "Jan", "1"));
    // Lines ended by CR alone read as one line: one empty nameless student.
    const std::string crOnly = folders.dataFile("mac.snv");
    {
        std::ofstream out(crOnly, std::ios::binary);
        for (const std::string& line : MusicSchoolStudent("Nowak", "Jan", "7"))
            out << line << "\r";
    }
    const std::string empty = writeExport("pusty.snv", {"no student here"});
    const std::string notExport = "Wybrany plik nie jest eksportem danych Sonavera (*.snv):\n";
    const struct {
        std::string source;
        std::string reason;
    } cases[] = {
        {missing, "Plik źródłowy nie istnieje: \n" + missing},
        {folder, "Plik źródłowy nie jest zwykłym plikiem (katalog): \n" + folder},
        {open, "Blok \"KLASA II MUZYCZNA\" z wiersza 7 nie ma wiersza końcowego \"</KLASA II "
               "MUZYCZNA>\". Import przerwano, dane nie zostały zmienione."},
        {otherFormat,
         notExport + otherFormat + "\n\nUczeń z wiersza 1 nie ma danych osobowych w tym formacie."},
        {crOnly,
         notExport + crOnly +
             "\n\nWiersz 1 zawiera znak CR bez znaku LF: plik ma nieznany podział na wiersze."},
        {empty, notExport + empty + "\n\nPlik nie zawiera danych żadnego ucznia."},
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

TEST_F(ImportCommands, RepeatedOrMissingPeselSkipsOnlyThatStudentAndSaysWhich)
{
    prepareWorkingCopy();
    ExportLines withoutPesel = MusicSchoolStudent("Bez", "Numeru", "");
    ExportLines secondWithoutPesel = MusicSchoolStudent("Drugi", "Bez", "");
    // Without the PESEL line itself (the line after the first and the last name).
    ExportLines withoutPeselLine = MusicSchoolStudent("Brak", "Linii", "");
    withoutPeselLine.erase(withoutPeselLine.begin() + 4);
    ExportLines secondWithoutPeselLine = MusicSchoolStudent("Drugi", "Brak", "");
    secondWithoutPeselLine.erase(secondWithoutPeselLine.begin() + 4);
    ExportLines longMemo = MusicSchoolStudent("Dlugi", "Opis", "88888888888");
    longMemo.insert(longMemo.begin() + 11, 98, "<ZMIENNA_Uwagi_DATA_MEMO>dalej");
    const std::string source =
        writeExport("powtorzony.snv", Join({
                                          MusicSchoolStudent("Nowak", "Jan", "55555555555"),
                                          MusicSchoolStudent("Kowal", "Ewa", "55555555555"),
                                          withoutPesel,
                                          secondWithoutPesel,
                                          withoutPeselLine,
                                          secondWithoutPeselLine,
                                          longMemo,
                                          MusicSchoolStudent("Zaorski", "Piotr", "77777777777"),
                                      }));
    dialogs.answerOpenFile(QString::fromStdString(source)).answerMessage(Answer::Ok);

    Importuj1Click(host);

    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(
        messages()[0].text.toStdString(),
        "Dane zostały zaimportowane, z wyjątkiem:\n"
        "\nuczeń pominięty, numer PESEL powtarza się: 55555555555 (Kowal Ewa)"
        "\nuczeń pominięty, bez numeru PESEL jest już inny uczeń: Drugi Bez"
        "\nuczeń pominięty, bez numeru PESEL jest już inny uczeń: Drugi Brak"
        "\nnotatka ZMIENNA_Uwagi_DATA_MEMO ucznia Dlugi Opis: pominięto wiersze ponad 99 (2)");
    EXPECT_EQ(messages()[0].caption, "Import danych");
    EXPECT_EQ(messages()[0].icon, MsgIcon::Warning);
    EXPECT_EQ(host.tree, (std::vector<std::string>{"Bez Numeru", "Brak Linii", "Dlugi Opis",
                                                   "Nowak Jan", "Zaorski Piotr"}));
    EXPECT_EQ(workingCopyRows("").size(), 2u + 4u);
    EXPECT_EQ(workingCopyRows("PESEL55555555555")[0].value, "Nowak");
    EXPECT_EQ(workingCopyRows("PESEL88888888888").size(), 3u + 1u + 99u);
    EXPECT_TRUE(host.modified);
}

TEST_F(ImportCommands, CancelledDialogChangesNothing)
{
    prepareWorkingCopy();
    dialogs.answerOpenFile(std::nullopt);

    ImportButtonClick(host);

    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(workingCopyStudents(),
              (std::vector<StudentEntry>{{"Stary Adam", "PESEL00000000000"}}));
    EXPECT_FALSE(host.modified);
    EXPECT_EQ(host.reloads, 0);
    EXPECT_TRUE(window.stages.empty());
}
