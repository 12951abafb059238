// The forms together with the real school-data dialog and the new-student endings of
// every certificate family.
#include "forms/FormRegistry.h"
#include "forms/FormWindow.h"
#include "forms/dialogs/SchoolDataDialog.h"
#include "platform/Application.h"
#include "platform/ScriptedDialogs.h"
#include "store/Cp1250.h"
#include "store/Folders.h"
#include "store/Templates.h"
#include "tests/support/TempFolders.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QSet>

#include <gtest/gtest.h>

#include <sqlite3.h>

namespace {

const QString kPromotionEnding = QStringLiteral("ZMIENNA_PromocjiE_STR1_DATA_EDIT");

void EnsureApp() {
    static int argc = 1;
    static char name[] = "forms_audit";
    static char* argv[] = {name, nullptr};
    static Application* app = new Application(argc, argv);
    (void)app;
}

}  // namespace

// A new student's plain certificates read "promocję": every plain form whose promotion
// line has the ending gets "ę" after the clear; the "-w" forms and all others get nothing.
TEST(NewStudent, PromotionEndingOnEveryPlainCertificate) {
    EnsureApp();
    const QSet<QString> withEnding = {
        "TFSwiad200",    "TFSwiad200a",   "TFSwiad201",    "TFSwiad201b",   "TFSwiad201c",
        "TFSwiad203",    "TFSwiad205kl1", "TFSwiad205kl2", "TFSwiad205kl3", "TFSwiad205kl4",
        "TFSwiad205kl5", "TFSwiad205kl6", "TFSwiad205a"};
    FormRegistry registry;
    registry.ClearAll();
    for (const auto& form : registry.forms()) form->ApplyPreset("newStudent");

    int ended = 0;
    for (const auto& form : registry.forms()) {
        const std::string name = form->className().toStdString();
        if (withEnding.contains(form->className())) {
            ASSERT_GE(form->find(kPromotionEnding), 0) << name;
            EXPECT_EQ(form->text(kPromotionEnding), "ę") << name;
            ++ended;
        } else if (form->find(kPromotionEnding) >= 0) {
            EXPECT_EQ(form->text(kPromotionEnding), "") << name;
        }
        // The occasion sets nothing but the ending.
        for (int i = 0; i < form->componentCount(); ++i) {
            const LayoutComponent& c = form->component(i);
            if (c.isStored() && c.name != kPromotionEnding) {
                EXPECT_EQ(form->text(i), "") << name << " " << c.name.toStdString();
            }
        }
    }
    EXPECT_EQ(ended, 13);
}

namespace {

// The school-data buttons of a certificate and of the ART-II/283/3 title page, reading
// the template through the real dialog from the templates file of a temporary data folder.
struct ButtonCase {
    const char* form;
    const char* copied;     // written by the button from a template value
    const char* emptied;    // written by the button; the template test holds no value for it
    const char* untouched;  // written by no school-data pair
};

void PrintTo(const ButtonCase& c, std::ostream* os) { *os << c.form; }

class SchoolDataButton : public ::testing::TestWithParam<ButtonCase> {
protected:
    void SetUp() override {
        registry.ClearAll();
        ASSERT_GE(form().find(QString(GetParam().copied)), 0);
        ASSERT_GE(form().find(QString(GetParam().emptied)), 0);
        ASSERT_GE(form().find(QString(GetParam().untouched)), 0);
        form().setText(QString(GetParam().emptied), "typed");
        form().setText(QString(GetParam().untouched), "mine");
    }
    DocumentForm& form() { return *registry.form(GetParam().form); }
    const bool appReady_ = (EnsureApp(), true);  // the dialog below is a widget
    TempFolders folders;
    ScriptedDialogs dialogs;
    FormRegistry registry;
    TFDaneSzkoly dialog;
};

}  // namespace

TEST_P(SchoolDataButton, UnreadableTemplateIsReportedAndChangesNoField) {
    // A template table without its value column: the read fails inside the data function.
    ErrorStream es;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(TemplatesFilePath(es).c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "create table school_data( id TEXT, comp_name TEXT );"
                           "insert into school_data values( 'DANE SZKOLY', 'ZMIENNA_Klasa_DATA_EDIT' );",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    dialogs.answerMessage(Answer::Ok);
    const QStringList before = [&] {
        QStringList texts;
        for (int i = 0; i < form().componentCount(); ++i) texts << form().text(i);
        return texts;
    }();

    form().LoadSchoolData();

    const auto requests = dialogs.requestsOf(DialogKind::Message);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].text.startsWith("Błąd podczas odczytu danych.\n\n")) << requests[0].text.toStdString();
    EXPECT_GT(requests[0].text.size(), QString("Błąd podczas odczytu danych.\n\n").size());
    EXPECT_EQ(requests[0].caption, "Błąd");
    EXPECT_EQ(requests[0].icon, MsgIcon::Error);
    for (int i = 0; i < form().componentCount(); ++i)
        EXPECT_EQ(form().text(i), before[i]) << form().component(i).name.toStdString();
}

TEST_P(SchoolDataButton, TemplateWithoutTheValueEmptiesTheFieldTwiceAlike) {
    const ButtonCase c = GetParam();
    // The dialog's edit that the copied field reads.
    QString source;
    for (const auto& [dialogField, field] : registry.catalog().schoolData.value(form().spec().schoolData))
        if (field == c.copied) source = dialogField;
    ASSERT_FALSE(source.isEmpty());
    ErrorStream es;
    ASSERT_TRUE(bFunSqlTemplateWriteData(es, TemplatesFilePath(es), "school_data",
                                         {{"DANE SZKOLY", source.toStdString(), "śląskie"}}))
        << es.str();
    for (int press = 1; press <= 2; ++press) {
        form().LoadSchoolData();
        EXPECT_EQ(form().text(QString(c.copied)), "śląskie") << press;
        EXPECT_EQ(form().text(QString(c.emptied)), "") << press;
        EXPECT_EQ(form().text(QString(c.untouched)), "mine") << press;
    }
    EXPECT_TRUE(dialogs.requestsOf(DialogKind::Message).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Forms, SchoolDataButton,
    ::testing::Values(ButtonCase{"TFSwiad205kl3", "ZMIENNA_SzkolaWoj_STR1_DATA_EDIT",
                                 "ZMIENNA_Klasa_STR1_DATA_EDIT", "ZMIENNA_UchwalaRok_STR1_DATA_EDIT"},
                      ButtonCase{"TFSwiad205wkl6", "ZMIENNA_NadobowiazkoweOpis5_STR2_DATA_EDIT",
                                 "ZMIENNA_ObowiazkowyEduOpis10_STR2_DATA_EDIT",
                                 "ZMIENNA_ObowiazkowyEduOpis11_STR2_DATA_EDIT"},
                      ButtonCase{"TFArkusz283str1", "ZMIENNA_DecyzjaZDnia_DATA_EDIT",
                                 "ZMIENNA_DecyzjaNr_DATA_EDIT", "ZMIENNA_DoKlasy_DATA_EDIT"}),
    [](const ::testing::TestParamInfo<ButtonCase>& info) { return std::string(info.param.form); });

namespace {

struct PasteCase {
    const char* form;
    const char* field;
    QString pasted;
};

void PrintTo(const PasteCase& c, std::ostream* os) { *os << c.form << " " << c.field; }

class PasteIntoForm : public ::testing::TestWithParam<PasteCase> {};

}  // namespace

// A stored value holds at most 2,047 Windows-1250 bytes (a Polish letter is one byte), so a
// paste into a field without a typing limit keeps what fits and the value never grows past it.
TEST_P(PasteIntoForm, ValueStopsAt2047Windows1250Bytes) {
    EnsureApp();
    const PasteCase& c = GetParam();
    FormRegistry registry;
    DocumentForm& form = *registry.form(c.form);
    form.ClearFields();
    QWidget* widget = form.window().widget(QString(c.field));
    ASSERT_NE(widget, nullptr);
    widget->setFocus();
    QGuiApplication::clipboard()->setText(c.pasted);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::sendEvent(widget, &press);

    const std::string value = form.text(QString(c.field)).toStdString();
    EXPECT_EQ(Cp1250Length(value), 2047u);
    EXPECT_TRUE(c.pasted.startsWith(form.text(QString(c.field)).left(100)));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, PasteIntoForm,
    ::testing::Values(
        PasteCase{"TFArkusz283str1", "ZMIENNA_DecyzjaNr_DATA_EDIT", QString(2100, u'ą')},
        PasteCase{"TFArkusz283str2", "ZMIENNA_SzczegolneOsiagniecia1_DATA_MEMO",
                  QString(1500, u'ż') + "\r\n" + QString(1500, u'x')}),
    [](const ::testing::TestParamInfo<PasteCase>& info) { return std::string(info.param.form); });
