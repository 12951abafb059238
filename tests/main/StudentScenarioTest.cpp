// The whole round: a student added, a certificate filled in, the file saved, closed by
// "Nowy plik", opened again, and the certificate's values found where they were.
#include "tests/main/WorkflowTestSupport.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTreeWidgetItem>

#include <algorithm>
#include <filesystem>

#include "forms/FormRegistry.h"
#include "forms/FormWindow.h"
#include "forms/dialogs/StudentDialog.h"
#include "main/Glowna.h"
#include "main/Wait.h"
#include "platform/Controls.h"
#include "render/Catalogue.h"

namespace {

const QString kLabel = "ART-II/205/3 świad. klasa II";
const QString kGrade = "ZMIENNA_ObowiazkowyEduOcn1_STR2_DATA_COMBOBOX";
const QString kMemo = "ZMIENNA_Szczegolne_STR2_DATA_MEMO";
const QString kMemoText = "Laureat konkursu – śpiew, ćwiczenia żłobkowe";

}  // namespace

TEST_F(WorkflowTest, StudentCertificateSurvivesSaveNewAndOpen)
{
    addStudent({"nowak", "jan", "12345678901"});
    ASSERT_EQ(rootTexts(), QStringList{"Nowak Jan"});
    QTreeWidgetItem* student = studentNode("Nowak Jan");
    QStringList expectedLabels;
    for (const DocumentLabel& row : DocumentLabels())
        if (row.inTree)
            expectedLabels << QString::fromUtf8(row.label.data(), qsizetype(row.label.size()));
    ASSERT_EQ(expectedLabels.size(), 53);
    ASSERT_EQ(student->childCount(), 53);
    for (int i = 0; i < 53; ++i)
        EXPECT_EQ(student->child(i)->text(0), expectedLabels[i]) << i;

    click(documentNode("Nowak Jan", kLabel));
    editSelectedDocument([](DocumentForm& certificate, QDialog& dialog) {
        EXPECT_EQ(certificate.className(), "TFSwiad205kl2");
        FormWindow& shown = certificate.window();
        auto* grade = qobject_cast<QComboBox*>(shown.widget(kGrade));
        ASSERT_NE(grade, nullptr);
        Type(grade->lineEdit(), "bardzo dobry");
        Type(shown.widget(kMemo), kMemoText);
        EXPECT_EQ(certificate.text(kGrade), "bardzo dobry");
        Press(dialog, "OK");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    // The wait window was stepped once per row written, and is closed.
    EXPECT_EQ(FWait->ProgressBar->maximum(), int(window().RecordList.size()));
    EXPECT_EQ(FWait->ProgressBar->value(), FWait->ProgressBar->maximum());
    EXPECT_FALSE(FWait->isVisible());
    // The edit command shows the same document again, loaded from the working copy.
    EXPECT_EQ(window().SelectedNodeText(0), kLabel);
    EXPECT_EQ(form("TFSwiad205kl2").text(kGrade), "bardzo dobry");

    const std::string file = folders.root() + "/a.sqvlm";
    dialogs.answerSaveFile(QString::fromStdString(folders.root() + "/a"));
    window().Zapiszjako1Click();
    EXPECT_EQ(window().currentPath().toStdString(), file);
    EXPECT_EQ(window().Modified, 1);

    dialogs.answerMessage(Answer::No);
    window().NowyPlikToolButtonClick();
    EXPECT_TRUE(rootTexts().isEmpty());
    EXPECT_EQ(window().currentPath(), "");
    EXPECT_EQ(form("TFSwiad205kl2").text(kGrade), "");
    EXPECT_FALSE(std::filesystem::exists(workingCopy()));

    dialogs.answerMessage(Answer::No).answerOpenFile(QString::fromStdString(file));
    window().OtworzPlikToolButtonClick();
    EXPECT_EQ(window().currentPath().toStdString(), file);
    ASSERT_EQ(rootTexts(), QStringList{"Nowak Jan"});
    click(documentNode("Nowak Jan", kLabel));
    EXPECT_EQ(form("TFSwiad205kl2").text(kGrade), "bardzo dobry");
    EXPECT_EQ(form("TFSwiad205kl2").text(kMemo), kMemoText);
    EXPECT_EQ(FDaneUcznia->fieldText("NumerPesel_DATA_EDIT"), "12345678901");

    // Exactly the stored fields: the student dialog, then every form in the window's order.
    std::vector<FieldRecord> expected;
    FDaneUcznia->CollectFields(expected);
    FormRegistry::instance().CollectAll(expected);
    const std::vector<FieldRecord> rows = storedRows(file, "PESEL12345678901");
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].id, expected[i].id) << i;
        EXPECT_EQ(rows[i].comp_name, expected[i].comp_name) << i;
        EXPECT_EQ(rows[i].value, Cp1250Hex(expected[i].value)) << i << " " << expected[i].comp_name;
    }
    EXPECT_EQ(rows.front().id, "DANE UCZNIA");
    const auto memoRow = std::find_if(rows.begin(), rows.end(), [](const FieldRecord& row) {
        return row.comp_name == kMemo.toStdString() && row.value != "";
    });
    ASSERT_NE(memoRow, rows.end());
    EXPECT_EQ(memoRow->value, Cp1250Hex(kMemoText.toStdString()));
    EXPECT_EQ(messages().size(), 2u);
}
