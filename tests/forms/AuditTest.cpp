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
#include "tests/support/TestApplication.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QSet>

#include <gtest/gtest.h>

#include <map>

namespace {

const QString kPromotionEnding = QStringLiteral("ZMIENNA_PromocjiE_STR1_DATA_EDIT");

}  // namespace

// A new student's plain certificates read "promocję": every plain form whose promotion
// line has the ending gets "ę" after the clear; the "-w" forms and all others get nothing.
TEST(NewStudent, PromotionEndingOnEveryPlainCertificate)
{
    EnsureApplication();
    const QSet<QString> withEnding = {
        "TFSwiad200",    "TFSwiad200a",   "TFSwiad201",    "TFSwiad201b",   "TFSwiad201c",
        "TFSwiad203",    "TFSwiad205kl1", "TFSwiad205kl2", "TFSwiad205kl3", "TFSwiad205kl4",
        "TFSwiad205kl5", "TFSwiad205kl6", "TFSwiad205a"};
    FormRegistry registry;
    registry.ClearAll();
    for (const auto& form : registry.forms())
        form->ApplyPreset("newStudent");

    int ended = 0;
    for (const auto& form : registry.forms()) {
        const std::string name = form->className().toStdString();
        // Only these forms have the promotion line with its ending.
        EXPECT_EQ(form->find(kPromotionEnding) >= 0, withEnding.contains(form->className()))
            << name;
        if (withEnding.contains(form->className())) {
            EXPECT_EQ(form->text(kPromotionEnding), "ę") << name;
            ++ended;
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

void PrintTo(const ButtonCase& c, std::ostream* os)
{
    *os << c.form;
}

class SchoolDataButton : public ::testing::TestWithParam<ButtonCase> {
protected:
    void SetUp() override
    {
        registry.ClearAll();
        ASSERT_GE(form().find(QString(GetParam().copied)), 0);
        ASSERT_GE(form().find(QString(GetParam().emptied)), 0);
        ASSERT_GE(form().find(QString(GetParam().untouched)), 0);
        form().setText(QString(GetParam().emptied), "typed");
        form().setText(QString(GetParam().untouched), "mine");
    }
    DocumentForm& form() { return *registry.form(GetParam().form); }
    const bool appReady_ = (EnsureApplication(), true);  // the dialog below is a widget
    TempFolders folders;
    ScriptedDialogs dialogs;
    FormRegistry registry;
    TFDaneSzkoly dialog;
};

}  // namespace

TEST_P(SchoolDataButton, TemplateWithoutTheValueEmptiesTheFieldTwiceAlike)
{
    const ButtonCase c = GetParam();
    // The dialog's edit that the copied field reads.
    QString source;
    for (const auto& [dialogField, field] :
         registry.catalog().schoolData.value(form().definition().schoolData))
        if (field == c.copied)
            source = dialogField;
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
                                 "ZMIENNA_Klasa_STR1_DATA_EDIT",
                                 "ZMIENNA_UchwalaRok_STR1_DATA_EDIT"},
                      ButtonCase{"TFSwiad205wkl6", "ZMIENNA_NadobowiazkoweOpis5_STR2_DATA_EDIT",
                                 "ZMIENNA_ObowiazkowyEduOpis10_STR2_DATA_EDIT",
                                 "ZMIENNA_ObowiazkowyEduOpis11_STR2_DATA_EDIT"},
                      ButtonCase{"TFArkusz283str1", "ZMIENNA_DecyzjaZDnia_DATA_EDIT",
                                 "ZMIENNA_DecyzjaNr_DATA_EDIT", "ZMIENNA_DoKlasy_DATA_EDIT"}),
    [](const ::testing::TestParamInfo<ButtonCase>& paramInfo) {
        return std::string(paramInfo.param.form);
    });

namespace {

struct PasteCase {
    const char* form;
    const char* field;
    QString pasted;
};

void PrintTo(const PasteCase& c, std::ostream* os)
{
    *os << c.form << " " << c.field;
}

class PasteIntoForm : public ::testing::TestWithParam<PasteCase> {};

}  // namespace

// A stored value holds at most 2,047 Windows-1250 bytes (a Polish letter is one byte), so a
// paste into a field without a typing limit keeps what fits and the value never grows past it.
TEST_P(PasteIntoForm, ValueStopsAt2047Windows1250Bytes)
{
    EnsureApplication();
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
    ::testing::Values(PasteCase{"TFArkusz283str1", "ZMIENNA_DecyzjaNr_DATA_EDIT",
                                QString(2100, u'ą')},
                      PasteCase{"TFArkusz283str2", "ZMIENNA_SzczegolneOsiagniecia1_DATA_MEMO",
                                QString(1500, u'ż') + "\r\n" + QString(1500, u'x')}),
    [](const ::testing::TestParamInfo<PasteCase>& paramInfo) {
        return std::string(paramInfo.param.form);
    });

namespace {

using Records = std::map<std::pair<std::string, std::string>, std::string>;

Records CollectedRecords(const FormRegistry& registry)
{
    std::vector<FieldRecord> records;
    registry.CollectAll(records);
    Records out;
    for (const FieldRecord& r : records)
        out[{r.id, r.comp_name}] = r.value;
    return out;
}

Records Changed(const Records& before, const Records& after)
{
    Records out;
    for (const auto& [key, value] : after)
        if (!before.count(key) || before.at(key) != value)
            out[key] = value;
    for (const auto& [key, value] : before)
        if (!after.count(key))
            out[key] = "<gone>";
    return out;
}

std::string Padded(const std::string& text, int width)
{
    return text + std::string(width - int(text.size()), '.');
}

// Fills a class certificate with texts that name their row.
void FillCertificate(DocumentForm& cert, const QString& longLine)
{
    cert.setText(u"ZMIENNA_RokSzkolny1_STR1_DATA_EDIT", "2002");
    cert.setText(u"ZMIENNA_RokSzkolny2_STR1_DATA_EDIT", "");
    cert.setText(u"ZMIENNA_Klasa_STR1_DATA_EDIT", cert.className());
    cert.setText(u"ZMIENNA_NrNaSwiadectwie_STR1_DATA_EDIT", "7");
    for (int r = 1; r <= 17; ++r) {
        cert.setText(QString("ZMIENNA_ObowiazkowyEduOpis%1_STR2_DATA_EDIT").arg(r),
                     QString::fromStdString(Padded("przedmiot " + std::to_string(r), 42)));
        cert.setText(QString("ZMIENNA_ObowiazkowyEduOcn%1_STR2_DATA_COMBOBOX").arg(r),
                     QString("ocena %1").arg(r));
    }
    for (int r = 1; r <= 5; ++r) {
        cert.setText(QString("ZMIENNA_NadobowiazkoweOpis%1_STR2_DATA_EDIT").arg(r),
                     QString("zajęcia %1").arg(r));
        cert.setText(QString("ZMIENNA_NadopowiazkoweOcn%1_STR2_DATA_COMBOBOX").arg(r),
                     r == 5 ? QString("uczestniczył ") : QString("dodatkowa %1").arg(r));
    }
    cert.setText(u"ZMIENNA_Szczegolne_STR2_DATA_MEMO", "m1\r\n" + longLine + "\r\nm3\r\nm4");
}

}  // namespace

// Each class certificate of classes II to V copies into all seven (page, column) pairs of
// the ART-II/283/3 year pages exactly its column's fields; the others copy nothing.
TEST(CopyGradesToSheet, EveryCertificateIntoEveryColumnAndNothingElse)
{
    EnsureApplication();
    const QStringList copying = {"TFSwiad205kl2",  "TFSwiad205wkl2", "TFSwiad205kl3",
                                 "TFSwiad205wkl3", "TFSwiad205kl4",  "TFSwiad205wkl4",
                                 "TFSwiad205kl5",  "TFSwiad205wkl5"};
    const QStringList silent = {"TFSwiad205kl1", "TFSwiad205wkl1", "TFSwiad205kl6",
                                "TFSwiad205wkl6"};
    const std::pair<int, int> pairs[] = {{2, 1}, {2, 2}, {3, 1}, {3, 2}, {3, 3}, {4, 1}, {4, 2}};
    const QString longLine =
        "osiągnięcie opisane tak szeroko i tak obszernie, że na świadectwie ten jeden wiersz "
        "zawija się w drugą linię tekstu";
    FormRegistry registry;
    for (const QStringList* group : {&copying, &silent}) {
        for (const QString& className : *group) {
            for (const auto& [page, column] : pairs) {
                SCOPED_TRACE(className.toStdString() + " page " + std::to_string(page) +
                             " column " + std::to_string(column));
                registry.ClearAll();
                DocumentForm& cert = *registry.form(className);
                FillCertificate(cert, longLine);
                ASSERT_EQ(cert.memoLines(u"ZMIENNA_Szczegolne_STR2_DATA_MEMO").size(), 5);
                const Records before = CollectedRecords(registry);
                cert.CopyGradesToSheet(column, page, true);
                const Records changed = Changed(before, CollectedRecords(registry));
                if (group == &silent) {
                    EXPECT_EQ(changed, Records());
                    continue;
                }
                const std::string key = "ARKUSZ OCEN STR " + std::to_string(page) + " MUZYCZNA";
                const std::string s = std::to_string(page == 3 ? column - 1 : column);
                Records expected = {
                    {{key, "ZMIENNA_Rok" + s + "_DATA_EDIT"}, "2002 / "},
                    {{key, "ZMIENNA_Klasa" + s + "_DATA_EDIT"}, className.toStdString()},
                    {{key, "ZMIENNA_NrDziennika" + s + "_DATA_EDIT"}, "7"},
                    {{key, "ZMIENNA_SzczegolneOsiagniecia" + s + "_DATA_MEMO01"}, "m1"}};
                // The long line breaks where the sheet's printed line ends (its column is 246
                // units wide on page 3, 211 on pages 2 and 4); the limit of three keeps its
                // first two lines.
                const bool wide = page == 3;
                expected[{key, "ZMIENNA_SzczegolneOsiagniecia" + s + "_DATA_MEMO02"}] =
                    wide ? "osiągnięcie opisane tak szeroko i tak obszernie, że na "
                         : "osiągnięcie opisane tak szeroko i tak obszernie, ";
                expected[{key, "ZMIENNA_SzczegolneOsiagniecia" + s + "_DATA_MEMO03"}] =
                    wide ? "świadectwie ten jeden wiersz zawija się w drugą linię "
                         : "że na świadectwie ten jeden wiersz zawija się ";
                for (int r = 1; r <= 17; ++r) {
                    const std::string row = std::to_string(r);
                    expected[{key, "ZMIENNA_ObowiazkoweOcn" + row + s + "_DATA_COMBOBOX"}] =
                        "ocena " + row;
                    if (page != 3)
                        expected[{key, "ZMIENNA_ObowiazkowyOpis" + row + "_DATA_EDIT"}] =
                            Padded("przedmiot " + row, 42);
                }
                for (int r = 1; r <= 5; ++r) {
                    const std::string row = std::to_string(r);
                    expected[{key, "ZMIENNA_NadobowiazkoweZajOcn" + row + s + "_DATA_COMBOBOX"}] =
                        r == 5 ? "uczestniczył " : "dodatkowa " + row;
                    if (page != 3)
                        expected[{key, "ZMIENNA_NadobowiazkoweZajOpis" + row + "_DATA_EDIT"}] =
                            "zajęcia " + row;
                }
                EXPECT_EQ(changed, expected);
            }
        }
    }
}
