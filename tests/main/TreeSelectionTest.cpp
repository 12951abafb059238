// Only the user's own click or keyboard move chooses a student in the tree: focus chooses
// nothing, a rebuild leaves nothing chosen, and a rebuild after the user's OK keeps
// exactly the student whose data was just saved.
#include "tests/main/WorkflowTestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QTreeWidgetItem>

#include "forms/dialogs/StudentDialog.h"
#include "main/Glowna.h"
#include "platform/Controls.h"
#include "store/CertFile.h"

namespace {

class TreeSelectionTest : public WorkflowTest {
protected:
    void SetUp() override
    {
        WorkflowTest::SetUp();
        storeStudent({"Adamska", "Anna", "111", "kobieta", "1"});
        storeStudent({"Borek", "Bartosz", "222", "mężczyzna", "2"});
        ASSERT_TRUE(window().ReloadStudentsList());
    }

    // The tree gets the focus as after Tab, a start or a closed dialog.
    void focusTree()
    {
        QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(FGlowna->TreeView, &focus);
    }

    QStringList selectedTexts() const
    {
        QStringList texts;
        for (const QTreeWidgetItem* node : FGlowna->TreeView->selectedItems())
            texts << node->text(0);
        return texts;
    }

    bool hasStudent(const std::string& table)
    {
        ErrorStream es;
        return iFunCheckIsStudentExists(es, workingCopy(), table, false) == 1;
    }
};

}  // namespace

TEST_F(TreeSelectionTest, FocusAloneChoosesAndLoadsNothing)
{
    focusTree();
    EXPECT_TRUE(window().SelectedNodeText(1).isEmpty());
    EXPECT_TRUE(selectedTexts().isEmpty());
    EXPECT_EQ(FDaneUcznia->fieldText("Nazwisko_DATA_EDIT"), "");

    // "Edytuj dane wybranego ucznia" and "Usuń" after the focus: nothing was chosen.
    dialogs.answerMessage(Answer::Ok).answerMessage(Answer::Ok);
    window().EdytujDaneUczniaToolButtonClick();
    window().UsunUczniaToolButtonClick();
    ASSERT_EQ(messages().size(), 2u);
    for (const DialogRequest& shown : messages()) {
        EXPECT_EQ(shown.text, "Nie wybrano ucznia z listy");
        EXPECT_EQ(shown.caption, "Brak wyboru");
    }
    EXPECT_TRUE(dialogs.requestsOf(DialogKind::Modal).empty());
    EXPECT_TRUE(hasStudent("PESEL111"));
    EXPECT_TRUE(hasStudent("PESEL222"));
}

TEST_F(TreeSelectionTest, KeyboardMoveAfterTheFocusChoosesAndLoads)
{
    focusTree();
    pressKey(Qt::Key_Down);
    EXPECT_EQ(selectedTexts(), QStringList{"Adamska Anna"});
    EXPECT_EQ(FDaneUcznia->fieldText("Nazwisko_DATA_EDIT"), "Adamska");
}

TEST_F(TreeSelectionTest, OkInTheStudentDialogKeepsExactlyThatStudentChosen)
{
    click(studentNode("Borek Bartosz"));
    dialogs.answerModal([](QDialog& dialog) {
        FDaneUcznia->fields().setText(u"Plec_DATA_COMBOBOX", "mężczyzna");
        FDaneUcznia->fields().setText(u"NrDziennika_DATA_EDIT", "7");
        Press(dialog, "OK");
    });
    window().EdytujDaneUczniaToolButtonClick();
    EXPECT_EQ(selectedTexts(), QStringList{"Borek Bartosz"});
    EXPECT_TRUE(FGlowna->TreeView->selectedItems().constFirst()->isSelected());

    // The focus coming back from the dialog changes nothing: "Usuń" offers Borek.
    focusTree();
    dialogs.answerMessage(Answer::No);
    window().UsunUczniaToolButtonClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Czy na pewno chcesz skasować dane ucznia: \nBorek Bartosz");
}

TEST_F(TreeSelectionTest, RebuildsKeepOnlyTheStudentJustSaved)
{
    // A new student saved with OK stays chosen; a cancelled one leaves nothing chosen.
    addStudent({"Cichy", "Cezary", "333"});
    EXPECT_EQ(selectedTexts(), QStringList{"Cichy Cezary"});
    EXPECT_EQ(window().SelectedNodeText(1), "Cichy Cezary");

    dialogs.answerModal([](QDialog& dialog) { Press(dialog, "Anuluj"); });
    window().DodajUczniaToolButtonClick();
    EXPECT_TRUE(selectedTexts().isEmpty());

    // A changed PESEL: the student is chosen under his new table.
    click(studentNode("Adamska Anna"));
    dialogs.answerModal([](QDialog& dialog) {
        FDaneUcznia->fields().setText(u"Plec_DATA_COMBOBOX", "kobieta");
        FDaneUcznia->fields().setText(u"NumerPesel_DATA_EDIT", "444");
        Press(dialog, "OK");
    });
    window().EdytujDaneUczniaToolButtonClick();
    EXPECT_EQ(selectedTexts(), QStringList{"Adamska Anna"});
    EXPECT_EQ(window().SelectedStudentTable(), "PESEL444");

    // A delete rebuilds with nothing chosen.
    dialogs.answerMessage(Answer::Yes);
    window().UsunUczniaToolButtonClick();
    EXPECT_TRUE(selectedTexts().isEmpty());
    EXPECT_FALSE(hasStudent("PESEL444"));
    EXPECT_TRUE(window().SelectedNodeText(1).isEmpty());
}
