// The school-data button of every form that has one, when the real school-data dialog cannot
// read its template: one error message, and no field of any form changes.
#include "forms/FormRegistry.h"
#include "forms/dialogs/SchoolDataDialog.h"
#include "platform/ScriptedDialogs.h"
#include "store/Folders.h"
#include "tests/forms/FormRecords.h"
#include "tests/forms/QtPrinters.h"
#include "tests/support/TempFolders.h"
#include "tests/support/TestApplication.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>
#include <tuple>

namespace {

// Every form with a school-data button, of every family.
const char* const kFormsWithTheButton[] = {
    "TFSwiad200",      "TFSwiad200a",     "TFSwiad201",     "TFSwiad201w",    "TFSwiad201b",
    "TFSwiad201bw",    "TFSwiad201c",     "TFSwiad201cw",   "TFSwiad203",     "TFSwiad203w",
    "TFSwiad204",      "TFSwiad204a",     "TFSwiad205kl1",  "TFSwiad205wkl1", "TFSwiad205kl2",
    "TFSwiad205wkl2",  "TFSwiad205kl3",   "TFSwiad205wkl3", "TFSwiad205kl4",  "TFSwiad205wkl4",
    "TFSwiad205kl5",   "TFSwiad205wkl5",  "TFSwiad205kl6",  "TFSwiad205wkl6", "TFSwiad205a",
    "TFSwiad205aw",    "TFSwiad220",      "TFSwiad220w",    "TFSwiad221",     "TFSwiad221w",
    "TFArkusz280str1", "TFArkusz281str1", "TFArkusz283str1"};

enum class Unreadable {
    NotADatabase,            // the open of the templates file fails
    TableWithoutValueColumn  // the read fails inside the data function
};

const QString kPrefix = QStringLiteral("Błąd podczas odczytu danych.\n\n");

class UnreadableSchoolTemplate
    : public ::testing::TestWithParam<std::tuple<const char*, Unreadable>> {
protected:
    void SetUp() override
    {
        registry.ClearAll();
        // A text in every stored field of every form, so that an emptying write shows too.
        for (const auto& f : registry.forms())
            SetStoredFields(*f, [](const LayoutComponent& c, int) -> QString {
                return c.kind == ComponentKind::Memo ? "przed\r\ndruga ąę" : "przed";
            });
        ErrorStream es;
        if (std::get<1>(GetParam()) == Unreadable::NotADatabase) {
            std::ofstream(TemplatesFilePath(es), std::ios::binary | std::ios::trunc)
                << std::string(4096, '\x5a');
        } else {
            sqlite3* db = nullptr;
            ASSERT_EQ(sqlite3_open(TemplatesFilePath(es).c_str(), &db), SQLITE_OK);
            ASSERT_EQ(
                sqlite3_exec(
                    db,
                    "create table school_data( id TEXT, comp_name TEXT );"
                    "insert into school_data values( 'DANE SZKOLY', 'ZMIENNA_Klasa_DATA_EDIT' );",
                    nullptr, nullptr, nullptr),
                SQLITE_OK);
            sqlite3_close(db);
        }
    }
    DocumentForm& form() { return *registry.form(std::get<0>(GetParam())); }
    QStringList allTexts()
    {
        QStringList texts;
        for (int i = 0; i < form().componentCount(); ++i)
            texts << form().text(i);
        return texts;
    }

    const bool appReady_ = (EnsureApplication(), true);  // the dialog below is a widget
    TempFolders folders;
    ScriptedDialogs dialogs;
    FormRegistry registry;
    TFDaneSzkoly dialog;
};

std::string CaseName(const ::testing::TestParamInfo<std::tuple<const char*, Unreadable>>& info)
{
    return std::string(std::get<0>(info.param)) +
           (std::get<1>(info.param) == Unreadable::NotADatabase ? "_NotADatabase"
                                                                : "_TableWithoutValue");
}

}  // namespace

// The table above is the whole set: a form that gains or loses the button shows here.
TEST(UnreadableSchoolTemplateForms, AreExactlyTheFormsWithTheButton)
{
    QStringList withButton;
    for (const FormSpec& f : LayoutCatalog::builtIn().forms)
        for (const FormButton& b : f.buttons)
            if (b.role == "schoolData")
                withButton << f.className;
    QStringList listed;
    for (const char* cls : kFormsWithTheButton)
        listed << cls;
    withButton.sort();
    listed.sort();
    EXPECT_EQ(withButton, listed);
}

TEST_P(UnreadableSchoolTemplate, ShowsTheMessageOnceAndChangesNothing)
{
    ASSERT_NE(registry.form(std::get<0>(GetParam())), nullptr);
    dialogs.answerMessage(Answer::Ok);
    const Snapshot before = TakeSnapshot(registry);
    const QStringList shownBefore = allTexts();

    form().LoadSchoolData();

    ASSERT_EQ(dialogs.requests().size(), 1u);
    const DialogRequest& r = dialogs.requests()[0];
    EXPECT_EQ(r.kind, DialogKind::Message);
    EXPECT_TRUE(r.text.startsWith(kPrefix)) << r.text.toStdString();
    EXPECT_GT(r.text.size(), kPrefix.size());  // the reason follows
    EXPECT_EQ(r.caption, "Błąd");
    EXPECT_EQ(r.icon, MsgIcon::Error);
    EXPECT_EQ(Changes(before, TakeSnapshot(registry)), Snapshot());
    // Labels and every other text the form shows stay as they were too.
    const QStringList shownAfter = allTexts();
    for (int i = 0; i < form().componentCount(); ++i)
        EXPECT_EQ(shownAfter[i], shownBefore[i]) << form().component(i).name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Forms, UnreadableSchoolTemplate,
                         ::testing::Combine(::testing::ValuesIn(kFormsWithTheButton),
                                            ::testing::Values(Unreadable::NotADatabase,
                                                              Unreadable::TableWithoutValueColumn)),
                         CaseName);
