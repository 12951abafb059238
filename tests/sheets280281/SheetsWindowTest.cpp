// The windows of the ART-II/280/3 and ART-II/281/3 pages: their buttons, the load bar
// chosen afresh at every showing, the clear button, the locked student fields.
#include "forms/FormRegistry.h"
#include "forms/FormWindow.h"
#include "platform/ComboBox.h"
#include "tests/forms/FormsTestSupport.h"
#include "tests/forms/QtPrinters.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

QStringList buttonCaptions(const FormWindow& w, const QStringList& names)
{
    QStringList out;
    for (const QString& name : names) {
        const auto* b = w.findChild<QPushButton*>(name);
        out << (b ? b->text() : "<none>");
    }
    return out;
}

QStringList itemsOf(const ComboBox* list)
{
    QStringList out;
    for (int i = 0; list && i < list->count(); ++i)
        out << list->itemText(i);
    return out;
}

}  // namespace

TEST(SheetWindows, ButtonsByKindOfPage)
{
    EnsureApplication();
    FormRegistry registry;
    struct Row {
        const char* cls;
        QStringList names, captions;
    };
    const QStringList title = {"OKButton", "BitBtn1", "WczytajSzablonButton"};
    const QStringList twoColumns = {"OKButton", "AnulujButton", "LoadDataToSeetButton", "BitBtn2"};
    const QStringList oneColumn = {"OKButton", "AnulujButton", "BitBtn1", "BitBtn2"};
    const Row table[] = {
        {"TFArkusz280str1", title, {"OK", "Anuluj", "Wczytaj szablon arkusza"}},
        {"TFArkusz281str1", title, {"OK", "Anuluj", "Wczytaj szablon arkusza"}},
        {"TFArkusz280str4",
         oneColumn,
         {"OK", "Anuluj", "Wczytaj dane ze świadectwa", "Wyczyść dane"}},
        {"TFArkusz280str7",
         twoColumns,
         {"OK", "Anuluj", "Wczytaj dane z wybranego świadectwa", "Wyczyść dane"}},
        {"TFArkusz281str6",
         twoColumns,
         {"OK", "Anuluj", "Wczytaj dane z wybranego świadectwa", "Wyczyść dane"}},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.cls);
        FormWindow& w = registry.form(row.cls)->window();
        EXPECT_EQ(buttonCaptions(w, row.names), row.captions);
        EXPECT_EQ(w.certificateList() != nullptr, row.names.contains("BitBtn2"));
    }
}

TEST(SheetWindows, ShowingChoosesTheFirstItemsAndKeepsTheNamesTick)
{
    EnsureApplication();
    FormRegistry registry;
    struct Row {
        const char* cls;
        QStringList certificates, columns;
        bool pickedByUser;
    };
    // A page with one year column shows no column list; ART-II/280/3 page 5 leaves its
    // certificate for the user to pick, and the pick stays.
    const Row table[] = {
        {"TFArkusz280str4", {"ART-II/200/3"}, {}, false},
        {"TFArkusz280str5", {"ART-II/200/3"}, {}, true},
        {"TFArkusz280str7",
         {"ART-II/201/3", "ART-II/201-w/3", "ART-II/220/3", "ART-II/220-w/3"},
         {"kol. 1", "kol. 2"},
         false},
        {"TFArkusz281str4",
         {"ART-II/201/3", "ART-II/201-w/3", "ART-II/203/3", "ART-II/203-w/3"},
         {"kol. 1", "kol. 2"},
         false},
        {"TFArkusz281str7", {"ART-II/204/3"}, {"kol. 1", "kol. 2"}, false},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.cls);
        FormWindow& w = registry.form(row.cls)->window();
        EXPECT_EQ(itemsOf(w.certificateList()), row.certificates);
        w.prepareShow();
        EXPECT_EQ(w.certificateList()->currentIndex(), row.pickedByUser ? -1 : 0);
        EXPECT_EQ(w.columnList() != nullptr, !row.columns.isEmpty());
        if (w.columnList()) {
            EXPECT_EQ(itemsOf(w.columnList()), row.columns);
        }
        ASSERT_NE(w.namesCheckBox(), nullptr);
        EXPECT_EQ(w.namesCheckBox()->text(), "Wczytaj nazwy przedmiotów");
        EXPECT_FALSE(w.namesCheckBox()->isChecked());
        w.certificateList()->setCurrentIndex(row.certificates.size() - 1);
        if (w.columnList())
            w.columnList()->setCurrentIndex(row.columns.size() - 1);
        w.namesCheckBox()->setChecked(true);
        w.prepareShow();
        EXPECT_EQ(w.certificateList()->currentIndex(),
                  row.pickedByUser ? row.certificates.size() - 1 : 0);
        if (w.columnList()) {
            EXPECT_EQ(w.columnList()->currentIndex(), 0);
        }
        EXPECT_TRUE(w.namesCheckBox()->isChecked());
    }
}

TEST(SheetWindows, ClearButtonEmptiesThePageAndKeepsTheLoadBar)
{
    EnsureApplication();
    FormRegistry registry;
    DocumentForm& page = *registry.form("TFArkusz281str3");
    FormWindow& w = page.window();
    page.setText(u"ZMIENNA_ObEduOpis15_DATA_EDIT", "fizyka");
    page.setText(u"ZMIENNA_DataUchwaly2_DATA_MEMO", "1\r\n2");
    w.columnList()->setCurrentIndex(1);
    w.findChild<QPushButton*>("BitBtn2")->click();
    EXPECT_EQ(page.text(u"ZMIENNA_ObEduOpis15_DATA_EDIT"), "");
    EXPECT_EQ(page.text(u"ZMIENNA_DataUchwaly2_DATA_MEMO"), "");
    EXPECT_EQ(w.columnList()->currentIndex(), 1);
}

TEST(SheetWindows, StudentFieldsOfTitlePagesCannotBeTyped)
{
    EnsureApplication();
    FormRegistry registry;
    for (const char* cls : {"TFArkusz280str1", "TFArkusz281str1"}) {
        DocumentForm& title = *registry.form(cls);
        FormWindow& w = title.window();
        for (const char* name : {"ZMIENNA_Pesel_DATA_EDIT", "ZMIENNA_Wojewodztwo_DATA_EDIT",
                                 "ZMIENNA_DoKlasy_DATA_EDIT"}) {
            SCOPED_TRACE(std::string(cls) + " " + name);
            auto* edit = qobject_cast<QLineEdit*>(w.widget(QString::fromUtf8(name)));
            ASSERT_NE(edit, nullptr);
            title.setText(QString::fromUtf8(name), "");
            edit->setFocus();
            TypeText(edit, "12");
            const bool locked = QByteArray(name) != "ZMIENNA_DoKlasy_DATA_EDIT";
            EXPECT_EQ(title.text(QString::fromUtf8(name)), locked ? "" : "12");
        }
    }
}

// The component order is a stored format and jumps about the page; tabbing reads the page.
TEST(SheetWindows, TabOrderReadsThePageTopDown)
{
    EnsureApplication();
    FormRegistry registry;
    FormWindow& w = registry.form("TFArkusz280str1")->window();
    EXPECT_EQ(w.widget(u"ZMIENNA_SzkolaNiepublicznaProwadzonaPrzez1_DATA_EDIT")->nextInFocusChain(),
              w.widget(u"ZMIENNA_SzkolaNiepublicznaProwadzonaPrzez2_DATA_EDIT"));
    EXPECT_EQ(w.widget(u"ZMIENNA_DoKlasy_DATA_EDIT")->nextInFocusChain(),
              w.widget(u"ZMIENNA_InstrumentGlowny_DATA_EDIT"));
    FormWindow& page = registry.form("TFArkusz280str3")->window();
    EXPECT_EQ(page.widget(u"ZMIENNA_RokSzkolny1_DATA_EDIT")->nextInFocusChain(),
              page.widget(u"ZMIENNA_Klasa1_DATA_EDIT"));
    EXPECT_EQ(page.widget(u"ZMIENNA_GodzOpuszczoneOgolem_DATA_EDIT")->nextInFocusChain(),
              page.widget(u"ZMIENNA_GodzOpuszczoneNieusp_DATA_EDIT"));
}
