// The import commands on the real main window: the tree lists the imported students in
// its order, the student dialog finds their personal data, and the imported students
// count as unsaved changes of the open file.
#include "tests/main/WorkflowTestSupport.h"

#include <QAction>
#include <QTreeWidgetItem>

#include <fstream>

#include "forms/dialogs/StudentDialog.h"
#include "main/Glowna.h"

namespace {

// One student of an older export: Windows-1250 bytes.
struct ExportStudent {
    const char* surname;
    const char* firstName;
    const char* pesel;
};

// The personal data of each student, as the older programs wrote them (CR LF line ends).
void WriteExport(const std::string& path, const char* personalMarker, const char* peselField,
                 std::initializer_list<ExportStudent> students)
{
    std::ofstream out(path, std::ios::binary);
    for (const ExportStudent& s : students) {
        out << "<DANE SWIADECTW DLA: " << s.surname << ">\r\n"
            << "<" << personalMarker << ">\r\n"
            << "<Nazwisko_DATA_EDIT>" << s.surname << "\r\n"
            << "<Imie_DATA_EDIT>" << s.firstName << "\r\n"
            << "<" << peselField << ">" << s.pesel << "\r\n"
            << "</" << personalMarker << ">\r\n"
            << "</KONIEC DANYCH SWIADECTW>\r\n";
    }
}

}  // namespace

TEST_F(WorkflowTest, ImportListsTheStudentsSortedAndAsksBeforeTheyAreLost)
{
    const struct {
        const char* entry;
        const char* personalMarker;
        const char* peselField;
        const char* extension;
    } commands[] = {
        {"Importuj1", "DANE UCZNIA MUZYCZNA", "NumerPesel_DATA_EDIT", "snv"},
        {"ImportujSP1", "DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6", "NrPesel_DATA_EDIT", "m46"},
        {"ImportButton", "DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6", "NrPesel_DATA_EDIT", "m46"},
    };
    // The open file whose students the import replaces in the working copy.
    addStudent({"Stary", "Adam", "1"});
    const std::string file = folders.root() + "/szkola.sqvlm";
    dialogs.answerSaveFile(QString::fromStdString(file));
    ASSERT_TRUE(window().Zapisz1Click());

    for (const auto& c : commands) {
        SCOPED_TRACE(c.entry);
        ASSERT_EQ(window().Modified, 0);
        const std::string source = folders.root() + "/eksport." + c.extension;
        // Żak, Zając, Łuczak, Cichy.
        WriteExport(source, c.personalMarker, c.peselField,
                    {{"\xAF"
                      "ak",
                      "Anna", "11111111111"},
                     {"Zaj\xB9"
                      "c",
                      "Ewa", "22222222222"},
                     {"\xA3"
                      "uczak",
                      "Jan", "33333333333"},
                     {"Cichy", "Olaf", "44444444444"}});
        dialogs.clearRequests();
        dialogs.answerOpenFile(QString::fromStdString(source));

        window().action(c.entry)->trigger();

        EXPECT_TRUE(messages().empty());
        EXPECT_EQ(rootTexts(), (QStringList{"Cichy Olaf", "Łuczak Jan", "Zając Ewa", "Żak Anna"}));
        EXPECT_EQ(window().Modified, 1);
        EXPECT_EQ(window().currentPath().toStdString(), file);
        // The PESEL reaches the student dialog whatever the export called its field.
        click(studentNode("Zając Ewa"));
        EXPECT_EQ(FDaneUcznia->fieldText("Nazwisko_DATA_EDIT"), "Zając");
        EXPECT_EQ(FDaneUcznia->fieldText("NumerPesel_DATA_EDIT"), "22222222222");

        // "Nowy plik" asks before the imported students are lost; the open file itself
        // changes only on "Zapisz".
        dialogs.answerMessage(Answer::No);
        window().NowyPlikToolButtonClick();
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].text, "Czy chcesz zapisać zmiany ?");
        EXPECT_TRUE(rootTexts().isEmpty());
        dialogs.answerMessage(Answer::No).answerOpenFile(QString::fromStdString(file));
        window().OtworzPlikToolButtonClick();
        ASSERT_EQ(messages().size(), 2u);
        EXPECT_EQ(messages()[1].text, "Czy chcesz zapisać zmiany ?");
        EXPECT_EQ(messages()[1].caption, "");
        EXPECT_EQ(messages()[1].icon, MsgIcon::None);
        EXPECT_EQ(rootTexts(), QStringList{"Stary Adam"});
        ASSERT_TRUE(window().Zapisz1Click());
    }
}
