// The student tree: order by the folded key, namesakes told apart by their tables, the
// keyboard moving the selection, the popup entries enabled by the selection.
#include "tests/main/WorkflowTestSupport.h"

#include <QAction>
#include <QDialog>
#include <QTreeWidgetItem>

#include "forms/DocumentForm.h"
#include "forms/dialogs/StudentDialog.h"
#include "main/Glowna.h"
#include "main/StudentOrder.h"
#include "platform/Controls.h"
#include "platform/InputFilter.h"
#include "store/CertFile.h"

TEST(StudentSortKeyTest, FoldsPolishLettersAndCaseIntoWindows1250Bytes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Żak Anna", "ZAK ANNA"},
        {"Zając Ewa", "ZAJAC EWA"},
        {"Łuczak Jan", "LUCZAK JAN"},
        {"de Gaulle Anna", "DE GAULLE ANNA"},
        {"Ąę Śćńóźż", "AE SCNOZZ"},
        {"Renée", "REN\xE9"
                  "E"},  // é keeps its byte
    };
    for (const auto& [name, key] : cases)
        EXPECT_EQ(StudentSortKey(name), key) << name;
}

TEST(StudentSortKeyTest, SortsByKeyBytesAndKeepsTheOrderOfEqualKeys)
{
    auto entries = [](std::initializer_list<const char*> names) {
        std::vector<StudentEntry> list;
        int n = 0;
        for (const char* name : names)
            list.push_back({name, "PESEL" + std::to_string(n++)});
        return list;
    };
    const std::vector<StudentEntry> sorted =
        SortedStudents(entries({"Nowakowski Adam", "Renée Zoe", "Nowak Jan", "Lutek Piotr",
                                "nowak jan", "Łuczak Jan", "Lubicz Jan", "Renata Zoe"}));
    std::vector<std::string> names;
    for (const StudentEntry& entry : sorted)
        names.push_back(entry.display_name);
    EXPECT_EQ(names, (std::vector<std::string>{"Lubicz Jan", "Łuczak Jan", "Lutek Piotr",
                                               "Nowak Jan", "nowak jan", "Nowakowski Adam",
                                               "Renata Zoe", "Renée Zoe"}));
}

TEST_F(WorkflowTest, TreeShowsStudentsInFoldedOrder)
{
    int pesel = 10;
    for (const char* surname : {"Łuczak", "Lis", "Żak", "Zając", "Ćwik", "Cichy"})
        storeStudent({surname, "Jan", QString::number(pesel++)});
    ASSERT_TRUE(window().ReloadStudentsList());
    EXPECT_EQ(rootTexts(), (QStringList{"Cichy Jan", "Ćwik Jan", "Lis Jan", "Łuczak Jan",
                                        "Zając Jan", "Żak Jan"}));
    EXPECT_TRUE(messages().empty());
}

// A damaged file's first name of 10 MB froze the program: the tree laid the label out
// again and again, every form copied the name at each load. The tree shows its first
// 200 characters, the student dialog what a record can hold; choosing the student leaves
// the file whole (a save stores what a record can hold).
TEST_F(WorkflowTest, NameOfMegabytesIsShownCutAndKeptWholeInTheFile)
{
    const QString firstName(10 * 1024 * 1024, u'W');
    storeStudent({"Nowak", firstName, "111"});
    ASSERT_TRUE(window().ReloadStudentsList());
    const QString label = ("Nowak " + firstName).left(kLongestTreeLabel) + u'…';
    ASSERT_EQ(rootTexts(), QStringList{label});

    click(documentNode(label, "ART-II/205/3 świad. klasa II"));
    EXPECT_EQ(window().SelectedStudentTable(), "PESEL111");
    EXPECT_EQ(FDaneUcznia->fieldText("Imie_DATA_EDIT"), firstName.left(kMaxValueBytes));
    EXPECT_TRUE(messages().empty());
    bool whole = false;
    for (const FieldRecord& row : storedRows(workingCopy(), "PESEL111"))
        whole |=
            row.comp_name == "Imie_DATA_EDIT" && row.value == Cp1250Hex(firstName.toStdString());
    EXPECT_TRUE(whole);
}

// A record holds at most 2047 characters of a value: a longer stored value of a document
// field is shown cut, and the next save of the student stores the cut value.
TEST_F(WorkflowTest, StoredValueOver2047CharactersIsCutToThemWhenSavedAgain)
{
    const std::string grade = "ZMIENNA_ObowiazkowyEduOcn1_STR2_DATA_COMBOBOX";
    storeStudent({"Nowak", "Jan", "111"});
    const std::string key = form("TFSwiad205kl2").key().toStdString();
    std::vector<FieldRecord> rows = {
        {"DANE UCZNIA", "Nazwisko_DATA_EDIT", "Nowak"},
        {"DANE UCZNIA", "Imie_DATA_EDIT", "Jan"},
        {"DANE UCZNIA", "NumerPesel_DATA_EDIT", "111"},
        {key, grade, std::string(2046, 'a') + "bc"},
    };
    ErrorStream es;
    ASSERT_TRUE(ReplaceStudentTable(es, workingCopy(), "PESEL111", rows)) << es.str();
    ASSERT_TRUE(window().ReloadStudentsList());

    click(documentNode("Nowak Jan", "ART-II/205/3 świad. klasa II"));
    editSelectedDocument([&](DocumentForm& certificate, QDialog& dialog) {
        certificate.setText(u"ZMIENNA_Szczegolne_STR2_DATA_MEMO", "uwagi");
        Press(dialog, "OK");
    });

    std::string saved;
    for (const FieldRecord& row : storedRows(workingCopy(), "PESEL111"))
        if (row.id == key && row.comp_name == grade)
            saved = row.value;
    EXPECT_EQ(saved, Cp1250Hex(std::string(2046, 'a') + "b"));
    EXPECT_TRUE(messages().empty());
}

TEST_F(WorkflowTest, NamesakesAreReachedAndDeletedByTheirOwnTable)
{
    storeStudent({"Nowak", "Jan", "111", "mężczyzna", "7"});
    storeStudent({"Nowak", "Jan", "222", "mężczyzna", "8"});
    ASSERT_TRUE(window().ReloadStudentsList());
    ASSERT_EQ(rootTexts(), (QStringList{"Nowak Jan", "Nowak Jan"}));

    for (int index : {1, 0}) {
        click(documentNode("Nowak Jan", "ART-II/205/3 świad. klasa II", index));
        const QString pesel = FDaneUcznia->fieldText("NumerPesel_DATA_EDIT");
        click(studentNode("Nowak Jan", index));
        EXPECT_EQ(FDaneUcznia->fieldText("NumerPesel_DATA_EDIT"), pesel);
    }
    const std::string second =
        studentNode("Nowak Jan", 1)->data(0, Qt::UserRole).toString().toStdString();

    click(studentNode("Nowak Jan", 1));
    dialogs.answerMessage(Answer::Yes);
    window().UsunUczniaToolButtonClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Czy na pewno chcesz skasować dane ucznia: \nNowak Jan");
    EXPECT_EQ(messages()[0].caption, "Usuń");
    EXPECT_EQ(messages()[0].icon, MsgIcon::Warning);
    EXPECT_EQ(messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(rootTexts(), QStringList{"Nowak Jan"});
    ErrorStream es;
    EXPECT_EQ(iFunCheckIsStudentExists(es, workingCopy(), second, false), 0);
    EXPECT_EQ(window().Modified, 1);
}

TEST_F(WorkflowTest, KeyboardSelectionLoadsWhatTheEditCommandsThenShow)
{
    storeStudent({"Adamski", "Piotr", "111", "mężczyzna", "1"});
    storeStudent({"Borek", "Anna", "222", "kobieta", "2"});
    ASSERT_TRUE(window().ReloadStudentsList());
    click(studentNode("Adamski Piotr"));
    EXPECT_EQ(FDaneUcznia->fieldText("Nazwisko_DATA_EDIT"), "Adamski");

    pressKey(Qt::Key_Down);
    EXPECT_EQ(window().SelectedNodeText(1), "Borek Anna");
    EXPECT_EQ(FDaneUcznia->fieldText("Nazwisko_DATA_EDIT"), "Borek");
    dialogs.answerModal([](QDialog& dialog) {
        EXPECT_EQ(FDaneUcznia->fieldText("NumerPesel_DATA_EDIT"), "222");
        Press(dialog, "Anuluj");
    });
    window().EdytujDaneUczniaToolButtonClick();
    EXPECT_EQ(FDaneUcznia->editedTable, "PESEL222");

    pressKey(Qt::Key_Right);
    pressKey(Qt::Key_Down);
    EXPECT_EQ(window().SelectedNodeText(0), "ART-II/200/3a świad. kl. I");
    editSelectedDocument([](DocumentForm& certificate, QDialog& dialog) {
        EXPECT_EQ(certificate.className(), "TFSwiad200a");
        Press(dialog, "Anuluj");
    });
    EXPECT_EQ(window().SelectedNodeText(1), "Borek Anna");
    EXPECT_TRUE(messages().empty());
}

TEST_F(WorkflowTest, PopupEntriesFollowTheSelectionOfTheLastLoad)
{
    storeStudent({"Adamski", "Piotr", "111"});
    ASSERT_TRUE(window().ReloadStudentsList());
    QTreeWidgetItem* student = studentNode("Adamski Piotr");
    struct Case {
        QTreeWidgetItem* node;
        bool studentEntries;
        bool documentEntries;
    };
    const Case cases[] = {
        {student, true, false},
        {student->child(2), true, false},  // a separator
        {student->child(0), true, true},
    };
    for (const Case& c : cases) {
        click(c.node);
        EXPECT_EQ(window().action("Edytujdaneucznia1")->isEnabled(), c.studentEntries);
        EXPECT_EQ(window().action("Usundaneucznia1")->isEnabled(), c.studentEntries);
        EXPECT_EQ(window().action("Edytujwybraneswiadectwo2")->isEnabled(), c.documentEntries);
        EXPECT_EQ(window().action("Drukujwybraneswiadectwo2")->isEnabled(), c.documentEntries);
        EXPECT_TRUE(window().action("Dodajucznia1")->isEnabled());
    }
}

TEST_F(WorkflowTest, EveryStudentHasTheFiftyThreeDocumentNodesInTheirFixedOrder)
{
    const QStringList expected = {
        "ART-II/200/3a świad. kl. I",
        "ART-II/200/3 świad. kl. II-III",
        "",
        "ART-II/201/3b świad. szkolne",
        "ART-II/201-w/3b świad. szkolne z wyr.",
        "ART-II/201/3c świad. szkolne",
        "ART-II/201-w/3c świad. szkolne z wyr.",
        "ART-II/201/3 świad. szkolne",
        "ART-II/201-w/3 świad. szkolne z wyr.",
        "",
        "ART-II/220/3 świad. ukończenia",
        "ART-II/220-w/3 świad. ukończenia",
        "",
        "ART-II/280/3 arkusz str. tytułowa",
        "ART-II/280/3 arkusz klasa I",
        "ART-II/280/3 arkusz klasa II",
        "ART-II/280/3 arkusz klasa III",
        "ART-II/280/3 arkusz klasa II/III",
        "ART-II/280/3 arkusz klasa IV/V",
        "ART-II/280/3 arkusz klasa V/VI",
        "",
        "ART-II/203/3 świadectwo szkolne",
        "ART-II/203-w/3 świadectwo szkolne",
        "ART-II/204/3 świadectwo szkolne",
        "ART-II/204/3a świad. szkolne",
        "",
        "ART-II/281/3 arkusz str. tytułowa",
        "ART-II/281/3 świadectwo 201 i 201-w, klasa I",
        "ART-II/281/3 świadectwo 201 i 201-w, klasa II",
        "ART-II/281/3 świadectwo 203 i 203-w, klasa III",
        "ART-II/281/3 świadectwo 201 i 201-w, klasa IV",
        "ART-II/281/3 świadectwo 201 i 201-w klasa V",
        "ART-II/281/3 świadectwo 204, klasa VI",
        "",
        "ART-II/205/3a świad. klasa I",
        "ART-II/205-w/3a świad. klasa I z wyr.",
        "ART-II/205/3 świad. klasa II",
        "ART-II/205-w/3 świad. klasa II wyr.",
        "ART-II/205/3 świad. klasa III",
        "ART-II/205-w/3 świad. klasa III wyr.",
        "ART-II/205/3 świad. klasa IV",
        "ART-II/205-w/3 świad. klasa IV wyr.",
        "ART-II/205/3 świad. klasa V",
        "ART-II/205-w/3 świad. klasa V wyr.",
        "ART-II/205/3 świad. klasa VI",
        "ART-II/205-w/3 świad. klasa VI wyr.",
        "ART-II/221/3 świad. ukończenia",
        "ART-II/221-w/3 świad. ukończenia z wyr.",
        "",
        "ART-II/283/3 arkusz str. tytułowa",
        "ART-II/283/3 arkusz kl. I/II",
        "ART-II/283/3 arkusz kl. II/III/IV/V",
        "ART-II/283/3 arkusz kl. V/VI",
    };
    storeStudent({"Adamski", "Piotr", "111"});
    ASSERT_TRUE(window().ReloadStudentsList());
    const QTreeWidgetItem* student = studentNode("Adamski Piotr");
    ASSERT_NE(student, nullptr);
    QStringList children;
    for (int i = 0; i < student->childCount(); ++i)
        children << student->child(i)->text(0);
    EXPECT_EQ(children, expected);
}

TEST_F(WorkflowTest, ASaveMovesOnlyItsOwnStudentAndTheSelectionIsOnIt)
{
    storeStudent({"Adamska", "Ewa", "101"});
    storeStudent({"Bąk", "Jan", "102"});
    storeStudent({"Cichy", "Jan", "103"});
    ASSERT_TRUE(window().ReloadStudentsList());
    QTreeWidgetItem* other = studentNode("Adamska Ewa");
    QTreeWidgetItem* document = documentNode("Bąk Jan", "ART-II/205/3 świad. klasa II");
    click(document);

    struct Case {
        const char* surname;
        QStringList roots;
    };
    const Case cases[] = {
        {"Bąk", {"Adamska Ewa", "Bąk Jan", "Cichy Jan"}},
        {"Żak", {"Adamska Ewa", "Cichy Jan", "Żak Jan"}},
        {"Aaron", {"Aaron Jan", "Adamska Ewa", "Cichy Jan"}},
    };
    for (const Case& c : cases) {
        FDaneUcznia->fields().setText(u"Nazwisko_DATA_EDIT", c.surname);
        ASSERT_TRUE(window().SaveStudentData()) << c.surname;
        EXPECT_EQ(rootTexts(), c.roots) << c.surname;
        EXPECT_EQ(studentNode("Adamska Ewa"), other)
            << "the other students' nodes stay as they were";
        EXPECT_EQ(window().TreeView->currentItem(), document->parent()) << c.surname;
        EXPECT_TRUE(document->parent()->isSelected()) << c.surname;
        EXPECT_EQ(document->parent()->text(0), QString(c.surname) + " Jan");
        EXPECT_EQ(window().SelectedStudentTable(), "PESEL102");
    }
    const QStringList shown = rootTexts();
    ASSERT_TRUE(window().ReloadStudentsList());
    EXPECT_EQ(rootTexts(), shown) << "the list read from the file agrees";
    EXPECT_TRUE(messages().empty());
}
